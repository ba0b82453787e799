#include "PruebaRecuerdos.h"

// On a card list a pass stops below a line changed in place once its state
// is the last pass's: what it leaves must still be what a full pass leaves.
TEST(Recuerdos, EveryPassLeavesWhatACompilerWithoutMemoryLeavesAlsoWhenItStopsEarly) {
    for (const bool tarjetas : {false, true}) {
        SCOPED_TRACE(tarjetas ? "card list" : "any lines");
        PanelMemoria cmd, cmdSin;
        PruebaRecuerdos prueba{cmd, cmdSin, [](const PanelTexto& p, int k) { return static_cast<const PanelMemoria&>(p).ColorEn(k); }, {}, {}, tarjetas};
        prueba.Correr(12, tarjetas ? 150 : 120, tarjetas ? 40 : 30);
    }
}

// A line without arguments shows the arguments the line above left: after
// lines kept from the last pass, they are the kept lines', not the last pass's last.
TEST(Recuerdos, KeptLinesLeaveTheCaptionAndArgumentsAsTheyWere) {
    Banco b({QStringLiteral("AING 1, 12345678, 01, 02"), QStringLiteral("ACK"), QStringLiteral("FECH 1, 05/12/2026, 09:05")});
    b.c.SetRecordar(true);
    b.Compilar(0, true);
    EXPECT_EQ(b.c.lbl_Info, QStringLiteral("Insertando código: 05/12/2026"));
    b.cmd.SetText(QStringLiteral("AING 1, 12345678, 01, 02\r\nack"));
    b.Compilar(-1);
    EXPECT_EQ(b.c.lbl_Info, QStringLiteral("Insertando código: 12345678"));
    EXPECT_EQ(b.Codigo().size(), 2);
}

// Passes over the same pane, with and without memory, leave the same.
// A line repeated from the last pass that filled v_Arg leaves it for the
// lines below as running its handler would: a later pass that keeps it must
// hand its arguments on, not those of the last line of the pane. An empty
// pane compiles nothing: the next pass must not take what the memory noted
// before it for the state after its one line.
TEST(Recuerdos, ARepeatedLineHandsItsArgumentsOnAndAnEmptyPaneLeavesNoState) {
    const struct {
        int linAnt;
        QStringList pasos;
        const char* info;   // the caption the last pass leaves
    } casos[] = {
        {-1,
         {QStringLiteral("-- x\r\nAING 1, 11111, 01\r\nACK\r\nAING 1, 33333, 01, 02\r\nINIA 2"),
          QStringLiteral("-- y\r\nAING 1, 11111, 01\r\nACK\r\nAING 1, 33333, 01, 02\r\nINIA 2"),
          QStringLiteral("-- y\r\nAING 1, 11111, 01\r\nack\r\nINIA 3\r\nINIA 2")},
         "Insertando código: 11111"},
        {0,
         {QStringLiteral("INIA 1\r\nINIA 2\r\n"), QString(), QStringLiteral("INIA 1\r\n"), QStringLiteral("INIA 1\r\nLREG 0\r\n"), QString(),
          QStringLiteral("\r\n")},
         nullptr},
    };
    for (const auto& k : casos) {
        Banco con, sin;
        con.c.SetRecordar(true);
        for (const QString& texto : k.pasos) {
            SCOPED_TRACE(texto.toStdString());
            for (Banco* b : {&con, &sin}) {
                b->cmd.SetText(texto);
                b->Compilar(k.linAnt);
            }
            EXPECT_EQ(con.c.lbl_Info, sin.c.lbl_Info);
            EXPECT_EQ(con.Codigo(), sin.Codigo());
            EXPECT_EQ(con.c.lst_Debug, sin.c.lst_Debug);
            EXPECT_EQ(con.c.v_OrigenCodigo, sin.c.v_OrigenCodigo);
        }
        if (k.info) {
            EXPECT_EQ(sin.c.lbl_Info, QString::fromUtf8(k.info));
        }
    }
}
