// The worked examples of the help pages are what the compiler really gives.
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "PanelMemoria.h"
#include "Module1.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString SinEntidades(QString t) {
    t.replace(QStringLiteral("&#x27;"), QStringLiteral("'"));
    t.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return t;
}

QString Compilar(const QString& linea) {
    PanelMemoria tx_Cmd(linea), tx_Cod;
    EntornoCompilador entorno;
    Compilador c(tx_Cmd, tx_Cod, entorno);
    c.CompilarLineas(false);
    return tx_Cod.TextoLinea(0);
}

TEST(EjemplosAyuda, EveryExampleRowCompilesToTheCodeLineShown) {
    const QDir carpeta(Module1::CarpetaAyudaHtml());
    // A row of an examples table: command line, then code line.
    static const QRegularExpression fila(QStringLiteral(R"re(<tr><td><tt>([^<]*)</tt></td><td><tt>([^<]*)</tt></td></tr>)re"));
    int vistos = 0;
    for (const QString& nombre : carpeta.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
        QFile f(carpeta.filePath(nombre));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        for (const auto& m : fila.globalMatch(html)) {
            const QString linea = SinEntidades(m.captured(1));
            const QString esperado = SinEntidades(m.captured(2));
            const QString obtenido = Compilar(linea);
            ++vistos;
            EXPECT_EQ(obtenido, esperado) << nombre.toStdString() << ": " << linea.toStdString();
        }
    }
    EXPECT_GE(vistos, 25);
}

}   // namespace
