#include "PruebaRecuerdos.h"

TEST(Recuerdos, EveryPassLeavesWhatACompilerWithoutMemoryLeaves) {
    PanelMemoria cmd, cmdSin;
    PruebaRecuerdos prueba{
        cmd, cmdSin, [](const PanelTexto& p, int k) { return static_cast<const PanelMemoria&>(p).ColorEn(k); }, {}, {}};
    prueba.Correr(12, 120, 30);
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
