// Thousands of random lines: words from the command table, random
// arguments, junk and non-ASCII text. Nothing may crash or hang, every error
// line has its debug entry with the right line number, and every frame passes
// its own check byte.
#include "BancoCompilador.h"
#include "Bytes.h"
#include "GeneradorLineas.h"
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(Aleatorio, RandomScriptsKeepEveryInvariantOfThePass) {
    static const QRegularExpression bytes(QStringLiteral("^([0-9A-F]{1,2}( [0-9A-F]{1,2})*)?$"));
    int lineasProbadas = 0;
    for (unsigned semilla = 1; semilla <= 20; ++semilla) {
        Generador g(semilla);
        QStringList lineas;
        for (int i = 0; i < 250; ++i) lineas.append(g.Linea());

        // Line by line on its own: what each line leaves.
        QStringList codigoEsperado, debugEsperado;
        for (int i = 0; i < lineas.size(); ++i) {
            Banco una({lineas[i]});
            una.Compilar(-1);
            // An empty pane is not compiled at all; an empty line in a script leaves an empty code line.
            const QStringList codigo = lineas[i].isEmpty() ? QStringList{QString()} : una.Codigo();
            codigoEsperado += codigo;
            for (const QString& e : una.c.lst_Debug) {
                ASSERT_TRUE(e.startsWith(QStringLiteral("Linea 1 - "))) << e.toStdString();
                debugEsperado.append(QStringLiteral("Linea %1 - ").arg(i + 1) + e.mid(10));
            }
            // Error lines and debug entries correspond one to one, in order.
            QStringList rojas;
            for (int k = 0; k < codigo.size(); ++k)
                if (una.cod.ColorEn(una.cod.LineIndex(k)) == Colores::Rojo) rojas.append(codigo[k]);
            QStringList mensajes;
            for (const QString& e : una.c.lst_Debug) mensajes.append(e.mid(10));
            EXPECT_EQ(rojas, mensajes) << lineas[i].toStdString();

            if (una.c.TipoLinea == TipoDeLinea::Cmd && !codigo.isEmpty() && !codigo[0].isEmpty()) {
                EXPECT_TRUE(bytes.match(codigo[0]).hasMatch()) << lineas[i].toStdString() << " -> " << codigo[0].toStdString();
                const bool trama = codigo[0].startsWith(QLatin1String("02 52 ")) || codigo[0].startsWith(QLatin1String("00 00 "));
                if (trama && una.c.v_Cmd[0] != QLatin1String("CMD")) {
                    EXPECT_EQ(f_BCC(codigo[0]), QStringLiteral("00")) << lineas[i].toStdString();
                }
            }
            ++lineasProbadas;
        }

        // The whole script, outside the chain: the same lines with their own numbers.
        Banco todo(lineas);
        todo.Compilar(-1);
        EXPECT_EQ(todo.Codigo(), codigoEsperado) << "semilla " << semilla;
        EXPECT_EQ(todo.c.lst_Debug, debugEsperado) << "semilla " << semilla;

        // As a file is opened: the chain from line 0, the model stays consistent.
        Banco abierto(lineas + QStringList{QString()});
        abierto.Compilar(0, true);
        EXPECT_EQ(abierto.cmd.Length(), abierto.cmd.Text().size());
        EXPECT_EQ(abierto.cmd.LineCount(), abierto.cmd.Text().count(QStringLiteral("\r\n")) + 1);
        EXPECT_GE(abierto.cmd.LineCount(), lineas.size()) << "at most the one action line is removed";
        EXPECT_FALSE(abierto.c.Compilando());
        EXPECT_TRUE(abierto.cod.Visible());
    }
    EXPECT_EQ(lineasProbadas, 5000);
}

}   // namespace
