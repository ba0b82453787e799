// Thousands of random lines: words from the command table, random
// arguments, junk and non-ASCII text. Nothing may crash or hang, every error
// line has its debug entry with the right line number, and every frame passes
// its own check byte.
#include "BancoCompilador.h"
#include "Bytes.h"
#include "TablaComandos.h"
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <random>

namespace {

class Generador {
public:
    explicit Generador(unsigned semilla) : v_Rng(semilla) {}

    QString Linea() {
        switch (Entre(0, 9)) {
        case 0: return QString();
        case 1: return Basura(Entre(1, 12));
        case 2: return QStringLiteral("-- ") + Basura(Entre(0, 8));
        default: break;
        }
        QString palabra = Palabra();
        if (Entre(0, 5) == 0) palabra = palabra.toLower();
        if (Entre(0, 9) == 0) return palabra;
        QStringList args;
        const int n = Entre(0, 7);
        for (int i = 0; i < n; ++i) args.append(Argumento());
        QString sep = Entre(0, 1) ? QStringLiteral(", ") : QStringLiteral(",");
        return palabra + (Entre(0, 15) ? QStringLiteral(" ") : QStringLiteral("  ")) + args.join(sep);
    }

private:
    int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(v_Rng); }

    QString Palabra() {
        int cantidad = 0;
        const DefComando* tabla = Comandos(&cantidad);
        if (Entre(0, 12) == 0) return QStringLiteral("FECHA");
        return QString::fromLatin1(tabla[Entre(0, cantidad - 1)].palabra);
    }

    QString Argumento() {
        static const char* fijos[] = {"1", "a", "Z", "0", "10", "?", "", " ", "5/12/26", "31/02/2026", "29-2-2024",
                                      "9:05", "23:59:59", "24:00", "0252", "02 52 31 41 03 23", "ff", "x0Z", "12345678",
                                      "01", "L", "1111111", "08:00", "@"};
        switch (Entre(0, 4)) {
        case 0: return Basura(Entre(0, 6));
        case 1: return QString::number(Entre(0, 99999999));
        default: return QString::fromUtf8(fijos[Entre(0, std::size(fijos) - 1)]);
        }
    }

    QString Basura(int largo) {
        static const QString alfabeto = QStringLiteral("aZ09 ,;:/-?@\t#ñÉ€中") + QString::fromUtf8("\xF0\x9F\x98\x80");
        QString r;
        for (int i = 0; i < largo; ++i) {
            const int k = Entre(0, static_cast<int>(alfabeto.size()) - 1);
            if (alfabeto.at(k).isSurrogate()) {
                r += QString::fromUtf8("\xF0\x9F\x98\x80");
            } else {
                r += alfabeto.at(k);
            }
        }
        return r;
    }

    std::mt19937 v_Rng;
};

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
