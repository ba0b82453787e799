// The command line of orvo: one optional file, --help and --version, "--".
#include "Argumentos.h"
#include <gtest/gtest.h>

namespace {

using P = Argumentos::Pedido;

struct Caso {
    QStringList args;
    P pedido;
    QString archivo;
    bool sinVentana = false;   // read before QApplication exists
};

// Before QApplication exists the line still holds Qt's own options: they are
// passed over, with their values, and everything else is read as usual.
TEST(Argumentos, OneFileHelpVersionAndUsageErrorsWithQtsOwnOptionsLeftToQt) {
    const std::vector<Caso> casos = {
        {{}, P::Abrir, {}},
        {{"guion.txt"}, P::Abrir, "guion.txt"},
        {{"-"}, P::Abrir, "-"},
        {{"--", "--help"}, P::Abrir, "--help"},
        {{"--", "-x"}, P::Abrir, "-x"},
        {{"guion.txt", "--help"}, P::Ayuda, {}},
        {{"--opcion", "--version"}, P::Version, {}},
        {{"--opcion"}, P::Error, {}},
        {{"-x", "guion.txt"}, P::Error, {}},
        {{"a.txt", "b.txt"}, P::Error, {}},
        {{"--", "a.txt", "b.txt"}, P::Error, {}},
        {{""}, P::Error, {}},
        {{"-platform", "offscreen", "guion.txt"}, P::Abrir, "guion.txt", true},
        {{"--style=fusion", "-reverse", "guion.txt"}, P::Abrir, "guion.txt", true},
        {{"-platform", "offscreen", "--bogus"}, P::Error, {}, true},
        {{"-qwindowtitle", "--help"}, P::Abrir, {}, true},
        {{"--", "-platform"}, P::Abrir, "-platform", true},
        {{"-h"}, P::Ayuda, {}, true},
        {{"-platformx"}, P::Error, {}, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const Argumentos a = c.sinVentana ? LeerArgumentosSinVentana(c.args) : LeerArgumentos(c.args);
        EXPECT_EQ(a.pedido, c.pedido);
        EXPECT_EQ(a.archivo, c.archivo);
        EXPECT_EQ(a.problema.isEmpty(), c.pedido != P::Error);
    }
}

}   // namespace
