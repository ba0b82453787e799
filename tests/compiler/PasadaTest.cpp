// The compile pass: the colouring chain, the rewritten line, help and action
// lines, and a pass that input reaches in the middle.
#include "BancoCompilador.h"
#include "CarpetaPrueba.h"
#include "Module1.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {
const QString kCRLF = QStringLiteral("\r\n");

// Colour runs of a command-pane line as (length, colour) pairs.
std::vector<std::pair<int, ColorRGB>> Colores(const PanelMemoria& p, int linea) {
    std::vector<std::pair<int, ColorRGB>> r;
    for (const auto& t : p.TramosDe(linea)) r.emplace_back(t.largo, t.formato.color);
    return r;
}
using Tramos = std::vector<std::pair<int, ColorRGB>>;
const ColorRGB kAzul = Colores::AzulOscuro, kMagenta = Colores::Magenta, kNegro = Colores::Negro;

TEST(Pasada, EmptyPaneEmptiesCodeAndDebugAndStops) {
    Banco b;
    b.cod.SetText(QStringLiteral("viejo\r\n"));
    b.c.lst_Debug = QStringList{"Linea 1 - x"};
    b.c.v_ChangeText = true;
    b.Compilar(0);
    EXPECT_EQ(b.cod.Text(), QString());
    EXPECT_TRUE(b.c.lst_Debug.isEmpty());
    EXPECT_TRUE(b.cod.Visible());
    EXPECT_TRUE(b.c.v_ChangeText);
    EXPECT_EQ(b.entorno.sincronizas, 0);
}

TEST(Pasada, EveryLineLeavesOneCodeLineInOrder) {
    Banco b({"inia 1", "", "-- nota", "FECHA 1", "T", "INIA ?", "ack", ""});
    b.c.v_ChangeText = true;
    b.Compilar(50);
    EXPECT_EQ(b.Codigo(), QStringList({"02 52 31 41 03 23", "", "", "ERROR! Comando desconocido: FECHA", "06", ""}));
    EXPECT_EQ(b.c.lst_Debug, QStringList{"Linea 4 - ERROR! Comando desconocido: FECHA"});
    EXPECT_EQ(b.entorno.debugEspejo, b.c.lst_Debug);
    // Error lines are red in the code pane, the others black.
    for (int n : {0, 4}) EXPECT_EQ(b.cod.ColorEn(b.cod.LineIndex(n)), kNegro) << n;
    for (int k : {0, 20}) EXPECT_EQ(b.cod.ColorEn(b.cod.LineIndex(3) + k), Colores::Rojo) << k;
    EXPECT_EQ(b.c.v_OrigenCodigo, (std::vector<int>{0, 1, 2, 3, 6, 7}));
    EXPECT_TRUE(b.cod.Visible());
    EXPECT_FALSE(b.c.v_ChangeText);
    EXPECT_EQ(b.entorno.sincronizas, 1);
    // Neither the help request nor the action line is the line left: nothing opens.
    EXPECT_EQ(b.entorno.llamadas, QStringList{});
    EXPECT_EQ(b.cmd.Text(), QStringLiteral("inia 1\r\n\r\n-- nota\r\nFECHA 1\r\nT\r\nINIA ?\r\nack\r\n"));
}

TEST(Pasada, LineLeftIsRewrittenAndColouredWordBlueArgumentsMagenta) {
    Banco b({"inia 1", "fech 1,5/12/2026,9:05", "lreg 1"});
    b.cmd.SetSelStart(b.cmd.LineIndex(2) + 2);   // the caret two characters into the last line
    const int caret = b.cmd.SelStart();
    b.Compilar(1);
    EXPECT_EQ(b.Comandos(), QStringList({"inia 1", "FECH 1, 05/12/2026, 09:05", "LREG 1"}));
    EXPECT_EQ(Colores(b.cmd, 1), (Tramos{{4, kAzul}, {21, kMagenta}}));
    EXPECT_EQ(Colores(b.cmd, 2), (Tramos{{4, kAzul}, {2, kMagenta}}));
    EXPECT_EQ(Colores(b.cmd, 0), (Tramos{{6, kNegro}}));
    // The caret moved by what the first rewritten line grew; the second kept its length.
    EXPECT_EQ(b.cmd.SelStart(), caret + 4);
    EXPECT_EQ(b.cmd.FormatoEscritura().color, kNegro);
    EXPECT_EQ(b.c.LinAntCmd, 3);
    EXPECT_EQ(b.c.LinActCmd, 2);
    EXPECT_EQ(b.c.PriCarCmd, b.cmd.LineIndex(2));
    EXPECT_EQ(b.c.LonLinCmd, 7);
    EXPECT_EQ(b.entorno.infos, QStringList{"Insertando código: 05/12/2026"});
}

TEST(Pasada, ChainRunsThroughCommandCommentAndErrorLinesToTheFirstEmptyLine) {
    Banco b({"inia 1", "inia 2", "-- nota", "inia 0", "", "inia 3"});
    b.Compilar(1);
    EXPECT_EQ(b.Comandos(), QStringList({"inia 1", "INIA 2", "-- nota", "inia 0", "", "inia 3"}));
    EXPECT_EQ(Colores(b.cmd, 2), (Tramos{{7, Colores::Verde}}));
    EXPECT_EQ(Colores(b.cmd, 3), (Tramos{{6, Colores::Rojo}}));
    EXPECT_EQ(Colores(b.cmd, 5), (Tramos{{6, kNegro}}));
    EXPECT_EQ(b.c.LinAntCmd, 4);
}

TEST(Pasada, WhileLoadingEmptyLinesCarryTheChainDownToTheFirstHelpLine) {
    Banco b({"inia 1", "", "-- x", "", "ack", "INIA ?", "inia 2", ""});
    b.Compilar(0, true);
    EXPECT_EQ(b.Comandos(), QStringList({"INIA 1", "", "-- x", "", "ACK", "INIA ?", "inia 2", ""}));
    // A file that holds a help request does not open help as it is loaded.
    EXPECT_EQ(b.entorno.llamadas, QStringList{});
    EXPECT_EQ(Colores(b.cmd, 5), (Tramos{{6, kNegro}})) << "a help line is not coloured";
    EXPECT_EQ(b.Codigo(), QStringList({"02 52 31 41 03 23", "", "", "", "06", "02 52 32 41 03 20", ""}));
    EXPECT_TRUE(b.c.lst_Debug.isEmpty());
}

TEST(Pasada, HelpLineLeftDownwardsPutsTheCaretAtTheStartOfTheLineBelowAndLeavesNothing) {
    Banco b({"inia 1", "INIA ?", "inia 2"});
    b.cmd.SetSelStart(b.cmd.Length());
    b.Compilar(1);
    EXPECT_EQ(b.entorno.llamadas, QStringList{"ayuda"});
    EXPECT_EQ(b.Codigo(), QStringList({"02 52 31 41 03 23", "02 52 32 41 03 20"}));
    EXPECT_TRUE(b.c.lst_Debug.isEmpty());
    EXPECT_EQ(b.cmd.SelStart(), b.cmd.LineIndex(2));
    EXPECT_EQ(b.c.LinActCmd, 2);
    EXPECT_EQ(b.c.LinAntCmd, 1);
    EXPECT_EQ(b.c.PriCarCmd, 8);
    EXPECT_EQ(b.c.LonLinCmd, 7);
    EXPECT_EQ(b.cmd.Text(), QStringLiteral("inia 1\r\nINIA ?\r\ninia 2"));

    // Left upwards, or the last line: the caret stays where it is.
    Banco arriba({"inia 1", "INIA ?", "inia 2"});
    arriba.cmd.SetSelStart(3);
    arriba.Compilar(1);
    EXPECT_EQ(arriba.entorno.llamadas, QStringList{"ayuda"});
    EXPECT_EQ(arriba.cmd.SelStart(), 3);
    EXPECT_EQ(arriba.c.LinActCmd, 0);
    Banco ultima({"INIA ?"});
    ultima.cmd.SetSelStart(2);
    ultima.Compilar(0);
    EXPECT_EQ(ultima.cmd.SelStart(), 2);
}

TEST(Pasada, HelpRequestOnOtherCommandsEndsAsAnUncolouredErrorWithoutText) {
    Banco b({"FECH ?", "inia 1"});
    b.Compilar(0);
    EXPECT_EQ(b.entorno.llamadas, QStringList{"ayuda"});
    EXPECT_EQ(b.Codigo(), QStringList{"02 52 31 41 03 23"});
    EXPECT_TRUE(b.c.lst_Debug.isEmpty());
    EXPECT_EQ(Colores(b.cmd, 0), (Tramos{{6, Colores::Rojo}}));
    EXPECT_EQ(b.Comandos(), QStringList({"FECH ?", "INIA 1"})) << "the chain goes on past it";
}

struct CasoAccion {
    const char* palabra;
    const char* llamada;
};
class Acciones : public ::testing::TestWithParam<CasoAccion> {};

TEST_P(Acciones, ActionLineRunsItsActionLeavesNoCodeAndIsRemoved) {
    Banco b({"inia 1", QString::fromUtf8(GetParam().palabra), "inia 2"});
    bool visibleDuranteAccion = false;
    b.entorno.alTransmitir = [&] { visibleDuranteAccion = b.cod.Visible(); };
    b.entorno.conTransmision = false;
    b.Compilar(1);
    EXPECT_EQ(b.entorno.llamadas, GetParam().llamada ? QStringList{GetParam().llamada} : QStringList());
    EXPECT_EQ(b.cmd.Text(), QStringLiteral("inia 1\r\ninia 2"));
    EXPECT_EQ(b.Codigo(), QStringList({"02 52 31 41 03 23", "02 52 32 41 03 20"}));
    EXPECT_EQ(b.cmd.SelStart(), 8);
    EXPECT_EQ(b.c.LinAntCmd, 1);
    EXPECT_EQ(Colores(b.cmd, 1), (Tramos{{6, kNegro}})) << "lines below an action are not coloured";
    EXPECT_FALSE(QFile::exists(Module1::v_ArchCodigo)) << "no transmission here: nothing handed over";
}
const CasoAccion kAcciones[] = {
    {"T", nullptr},
    {"t", nullptr},
    {"TRANS", nullptr},
    {"trans 5", nullptr},
    {"?", "ayuda"},
    {"? INIA", "ayuda"},
    {"TOOLS", "herramientas"},
    {"tools x", "herramientas"},
};
INSTANTIATE_TEST_SUITE_P(Palabras, Acciones, ::testing::ValuesIn(kAcciones));

TEST(Pasada, ActionLineIsColouredVioletWhileItsActionRuns) {
    Banco b({"TOOLS", "x"});
    ColorRGB visto{};
    b.entorno.alHerramientas = [&] { visto = b.cmd.ColorEn(0); };
    b.Compilar(0);
    EXPECT_EQ(visto, Colores::Violeta);
    EXPECT_EQ(b.cmd.Text(), QStringLiteral("x"));
    EXPECT_EQ(b.cmd.FormatoEscritura().color, kNegro);
}

TEST(Pasada, TemporaryFilesThatCannotBeWrittenAreToldAndNoWindowOpens) {
    Banco b({"inia 1", "T", ""});
    b.entorno.conTransmision = true;
    Module1::v_ArchCodigo = CarpetaPrueba::Ruta(QStringLiteral("falta/Codigo.tmp"));
    Module1::v_ArchComandos = CarpetaPrueba::Ruta(QStringLiteral("falta/Comandos.tmp"));
    b.Compilar(1);
    ASSERT_EQ(b.entorno.llamadas.size(), 1);
    EXPECT_TRUE(b.entorno.llamadas[0].startsWith(QStringLiteral("fallo: ")));
    EXPECT_TRUE(b.entorno.llamadas[0].contains(QStringLiteral("Codigo.tmp")));
    EXPECT_EQ(b.cmd.Text(), QStringLiteral("inia 1\r\n"));
}

TEST(Pasada, TransmissionWithErrorsAboveIsRefusedAndTheLineStillRemoved) {
    Banco b({"INIA 0", "T", "inia 2"});
    b.entorno.conTransmision = true;
    b.Compilar(0, true);
    EXPECT_EQ(b.entorno.llamadas, QStringList{"errores"});
    EXPECT_EQ(b.entorno.tituloAviso, QStringLiteral("Comandos erroneos"));
    EXPECT_EQ(b.entorno.textoAviso,
              QStringLiteral("Hay errores en el código.\r\nCorrija los errores e intente nuevamente."));
    EXPECT_EQ(b.cmd.Text(), QStringLiteral("INIA 0\r\ninia 2"));
}

TEST(Pasada, TransmissionSeesOnlyTheLinesAboveIt) {
    Banco b({"inia 1", "T", "INIA 0", "inia 2"});
    b.entorno.conTransmision = true;
    QStringList codigoAlLlegar;
    qsizetype debugAlLlegar = -1;
    b.entorno.alTransmitir = [&] {
        codigoAlLlegar = b.Codigo();
        debugAlLlegar = b.c.lst_Debug.size();
    };
    b.Compilar(1);
    EXPECT_EQ(b.entorno.llamadas, QStringList{"transmision"});
    EXPECT_EQ(codigoAlLlegar, QStringList{"02 52 31 41 03 23"});
    EXPECT_EQ(debugAlLlegar, 0);
    EXPECT_EQ(b.c.lst_Debug, QStringList{"Linea 3 - ERROR! Número de reloj invalido"});
    EXPECT_EQ(b.Codigo(), QStringList({"02 52 31 41 03 23", "ERROR! Número de reloj invalido", "02 52 32 41 03 20"}));
    EXPECT_EQ(b.cmd.Text(), QStringLiteral("inia 1\r\nINIA 0\r\ninia 2"));
}

}   // namespace
