#include "InformeInicio.h"
#include "Module1.h"
#include "fr_Principal.h"
#include <QFileInfo>
#include <QListWidget>

bool InformeInicioPedido() { return !qEnvironmentVariableIsEmpty("ORVO_INFORME_INICIO"); }

QString InformeInicio(fr_Principal& ventana) {
    QString r;
    r += QStringLiteral("archivo: ") + Module1::v_Archivo + QLatin1Char('\n');
    r += QStringLiteral("datos: ") + QFileInfo(Module1::v_ArchCFG).absolutePath() + QLatin1Char('\n');
    r += QStringLiteral("ayuda: ") + Module1::CarpetaAyudaHtml() + QLatin1Char('\n');
    r += QStringLiteral("debug: ") + QString::number(ventana.lst_Debug->count()) + QLatin1Char('\n');
    r += QStringLiteral("codigo:\n");
    QString codigo = ventana.Cod().Text();
    codigo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    r += codigo;
    return r;
}
