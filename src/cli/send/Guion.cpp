#include "Guion.h"
#include "CompilarArchivo.h"
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "LlenarArchTmp.h"
#include "Module1.h"
#include "PanelMemoria.h"
#include <QDir>

GuionCompilado CompilarGuion(const QByteArray& bytes, const QString& carpeta) {
    PanelMemoria tx_Cmd(TextoComoAbrir(bytes)), tx_Cod;
    EntornoCompilador sinVentanas;
    Compilador compilador(tx_Cmd, tx_Cod, sinVentanas);
    const bool cargando = Module1::v_Cargando;
    Module1::v_Cargando = true;
    compilador.LinAntCmd = 0;
    compilador.CompilarLineas();
    Module1::v_Cargando = cargando;

    GuionCompilado r;
    r.debug = compilador.lst_Debug;
    if (!r.debug.isEmpty()) return r;
    for (const QString& l : tx_Cod.Text().split(QStringLiteral("\r\n")))
        if (!l.isEmpty()) ++r.tramas;
    Module1::v_ArchCodigo = QDir(carpeta).filePath(QStringLiteral("Codigo.tmp"));
    Module1::v_ArchComandos = QDir(carpeta).filePath(QStringLiteral("Comandos.tmp"));
    LlenarArchTmp(compilador, &r.error);
    return r;
}
