// Input that arrives while the pass yields: a second request and edits of
// the pane must neither nest passes nor lose what the user typed.
#include "BancoCompilador.h"
#include <gtest/gtest.h>

namespace {

TEST(Reentrada, ARequestDuringAPassRunsOnceAfterItFromTheCallersLine) {
    Banco b({"inia 1", "inia 2", "", "inia 3", "inia 4"});
    int profundidad = 0, maxima = 0, pedidos = 0;
    b.entorno.alCeder = [&] {
        maxima = std::max(maxima, ++profundidad);
        if (pedidos++ == 1) {   // during the first pass, the caret left line 3
            b.c.LinAntCmd = 3;
            b.c.CompilarLineas(false);
        }
        --profundidad;
    };
    b.Compilar(0);
    EXPECT_EQ(maxima, 1) << "passes never nest";
    EXPECT_EQ(b.entorno.sincronizas, 2) << "two whole passes, one after the other";
    EXPECT_EQ(b.Comandos(), QStringList({"INIA 1", "INIA 2", "", "INIA 3", "INIA 4"}));
    EXPECT_EQ(b.Codigo().size(), 5);
    EXPECT_FALSE(b.c.Compilando());
}

TEST(Reentrada, ALineEditedDuringThePassIsNotOverwrittenByItsStaleRewrite) {
    Banco b({"inia 1", "inia 2", "inia 3"});
    bool escrito = false;
    b.entorno.alCeder = [&] {
        if (escrito) return;
        escrito = true;
        b.cmd.SetSelStart(b.cmd.LineIndex(1) + 6);
        b.cmd.SetSelText(QStringLiteral("0"));   // "inia 2" becomes "inia 20" before the pass gets there
    };
    b.Compilar(0);
    EXPECT_EQ(b.Comandos(), QStringList({"INIA 1", "inia 20", "inia 3"}));
}

TEST(Reentrada, AnActionLineChangedWhileItsWindowWasOpenIsNotRemoved) {
    Banco b({"ack", "TOOLS", "x"});
    b.entorno.alHerramientas = [&] {
        b.cmd.SetSelStart(b.cmd.LineIndex(1));
        b.cmd.SetSelText(QStringLiteral("-- "));
    };
    b.Compilar(1);
    EXPECT_EQ(b.cmd.Text(), QStringLiteral("ack\r\n-- TOOLS\r\nx"));
}

}   // namespace
