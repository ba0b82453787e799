// Code lines and frames: every command line compiles to its exact code
// line(s) and debug entries, and a valid line is rewritten in normal form.
#include "BancoCompilador.h"
#include "Bytes.h"
#include <gtest/gtest.h>

namespace {

struct Caso {
    const char* linea;
    QStringList codigo;   // code lines the line leaves (error lines included)
    const char* normal;   // the line after the pass (nullptr: left as typed)
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.linea; }

class Frames : public ::testing::TestWithParam<Caso> {};

TEST_P(Frames, LineCompilesToItsCodeLinesAndDebugEntries) {
    const Caso& caso = GetParam();
    const QString linea = QString::fromUtf8(caso.linea);
    const UnaLinea r = CompilarUna(linea);
    EXPECT_EQ(r.codigo, caso.codigo);
    QStringList esperado;
    for (const QString& l : caso.codigo)
        if (l.startsWith(QLatin1String("ERROR!")) || l.startsWith(QLatin1String("Comando "))) esperado.append(QStringLiteral("Linea 1 - ") + l);
    EXPECT_EQ(r.debug, esperado);
    EXPECT_EQ(r.normal, caso.normal ? QString::fromUtf8(caso.normal) : linea);
}

using L = QStringList;
const Caso kTerminal[] = {
    {"inia 1", L{"02 52 31 41 03 23"}, "INIA 1"},
    {"INIA A", L{"02 52 41 41 03 53"}, "INIA A"},
    {"INIA z", L{"02 52 7A 41 03 68"}, "INIA z"},
    {"INIB 1", L{"02 52 31 42 03 20"}, "INIB 1"},
    {"LREG 1", L{"02 52 31 30 03 52"}, "LREG 1"},
    {"lreg  9 ", L{"02 52 39 30 03 5A"}, "LREG 9"},
    {"ACK", L{"06"}, "ACK"},
    {"ack ?", L{"06"}, "ACK ?"},
    {"FECH 1, 05/12/2026, 10:37", L{"02 52 31 31 32 36 31 32 30 35 37 31 30 33 37 03 63"}, nullptr},
    {"FECH A, 1/3/2011, 8:05", L{"02 52 41 31 31 31 30 33 30 31 33 30 38 30 35 03 1F"}, "FECH A, 01/03/2011, 08:05"},
    {"fech 1,5/12/2026,9:05", L{"02 52 31 31 32 36 31 32 30 35 37 30 39 30 35 03 6A"}, "FECH 1, 05/12/2026, 09:05"},
    {"FECH 1, 5-12-26, 9:05:59", L{"02 52 31 31 32 36 31 32 30 35 37 30 39 30 35 03 6A"}, "FECH 1, 05/12/2026, 09:05"},
    {"INIA 0", L{"ERROR! Número de reloj invalido"}, nullptr},
    {"INIA 12", L{"ERROR! Formato de número de reloj invalido"}, nullptr},
    {"INIA 1 2", L{"ERROR! Formato de número de reloj invalido"}, nullptr},
    {"INIA  ?", L{"ERROR! Número de reloj invalido"}, nullptr},
    {"INIA ñ", L{"ERROR! Número de reloj invalido"}, nullptr},
    {"INIA", L{"Comando INIA: Sin argumentos"}, nullptr},
    {"INIA ", L{"Comando INIA: Faltan argumentos"}, nullptr},
    {"INIA 1,2", L{"Comando INIA: Sobran argumentos"}, nullptr},
    {"INIA ,", L{"Comando INIA: Sobran argumentos"}, nullptr},
    {"INIB ?", L{}, nullptr},
    {"ACK 5", L{"Comando ACK: Sobran argumentos"}, nullptr},
    {"FECH 1,,10:00", L{"Comando FECH: Argumento vacío", "ERROR! Fecha invalida"}, nullptr},
    {"FECH ,,", L{"Comando FECH: Argumento vacío", "Comando FECH: Argumento vacío", "Comando FECH: Argumento vacío", "ERROR! Número de reloj invalido"}, nullptr},
    {"FECH 1, 31/02/2026, 10:00", L{"ERROR! Fecha invalida"}, nullptr},
    {"FECH 1, 31/11/2026, 10:00", L{"ERROR! Fecha invalida"}, nullptr},
    {"FECH 1, 05/12/2026, 25:00", L{"ERROR! Hora invalida"}, nullptr},
    {"FECH 1, 05/12/2026, 24:00", L{"ERROR! Hora invalida"}, nullptr},
    {"FECH 10, 31/02/2026, 25:00", L{"ERROR! Formato de número de reloj invalido"}, nullptr},
    {"FECH 1, 05/12/2026", L{"Comando FECH: Faltan argumentos"}, nullptr},
    {"FECH ?", L{}, nullptr},
};
INSTANTIATE_TEST_SUITE_P(Terminal, Frames, ::testing::ValuesIn(kTerminal));

const Caso kCrudos[] = {
    {"CMD 02 52 31 41 03 23", L{"02 52 31 41 03 23"}, "CMD 025231410323"},
    {"cmd 0a0b0", L{"0A 0B 0"}, "CMD 0a0b0"},
    {"CMD 0252", L{"02 52"}, nullptr},
    {"CMD 02 52", L{"02 52"}, "CMD 0252"},
    {"cmd ff", L{"FF"}, "CMD ff"},
    {"CMD 123", L{"12 3"}, nullptr},
    {"CMD    ", L{""}, "CMD "},
    {"CMD 02,52", L{"Comando CMD: Sobran argumentos"}, nullptr},
    {"CMD", L{"Comando CMD: Sin argumentos"}, nullptr},
    {"CMD ?", L{}, nullptr},
    {"CMD x0Z", L{"ERROR! Caracteres inválidos: 'x' 'Z'"}, nullptr},
    {"CMD g0g-é", L{"ERROR! Caracteres inválidos: 'g' 'g' '-' 'é'"}, nullptr},
    {"C 1, 2, 3", L{"00 00 31 00 00 31"}, "C 1, 2, 3"},
    {"C A, B, C", L{"00 00 41 00 00 41"}, nullptr},
    {"c €uro,x,y", L{"00 00 80 00 00 80"}, "C €uro, x, y"},
    {"C 中,x,y", L{"00 00 3F 00 00 3F"}, "C 中, x, y"},
    {"C 1, 2", L{"Comando C: Faltan argumentos"}, nullptr},
    {"C ?, 2, 3", L{}, nullptr},
    {"C , 2, 3", L{"Comando C: Argumento vacío"}, nullptr},
    {"C  , 2, 3", L{"Comando C: Argumento vacío"}, nullptr},
    {"C ,,", L{"Comando C: Argumento vacío", "Comando C: Argumento vacío", "Comando C: Argumento vacío"}, nullptr},
    {"-- primer reloj", L{""}, nullptr},
    {"--", L{""}, nullptr},
    {"FECHA 1", L{"ERROR! Comando desconocido: FECHA"}, nullptr},
    {"--comentario", L{"ERROR! Comando desconocido: --COMENTARIO"}, nullptr},
    {"--x", L{"ERROR! Comando desconocido: --X"}, nullptr},
    {" INIA 1", L{"ERROR! Comando desconocido: "}, nullptr},
    {"   ", L{"ERROR! Comando desconocido: "}, nullptr},
    {"INIA\t1", L{"ERROR! Comando desconocido: INIA\t1"}, nullptr},
    {"straße 1", L{"ERROR! Comando desconocido: STRASSE"}, nullptr},
    {"ÿ 1", L{"ERROR! Comando desconocido: Ÿ"}, nullptr},
};
INSTANTIATE_TEST_SUITE_P(CrudosYDesconocidos, Frames, ::testing::ValuesIn(kCrudos));

TEST(Bytes, HexAscGivesTheWindows1252Code) {
    const std::pair<QChar, const char*> casos[] = {
        {u'1', "31"},
        {u'A', "41"},
        {u'z', "7A"},
        {QChar(0x20AC), "80"},
        {QChar(0xFA), "FA"},
        {QChar(0x0081), "81"},
        {QChar(0x4E2D), "3F"},
        {QChar(0x0100), "3F"},
        {QChar(0), "00"},
    };
    for (const auto& [c, hex] : casos) EXPECT_EQ(HexAsc(c), QLatin1String(hex)) << int(c.unicode());
}

TEST(Bytes, CheckByteFollowsTheReadingRuleAndKeepsTwoDigits) {
    EXPECT_EQ(f_BCC(QStringLiteral("02 52 31 41 03 ")), QStringLiteral("23"));
    EXPECT_EQ(f_BCC(QStringLiteral("0F")), QStringLiteral("0F"));
    EXPECT_EQ(f_BCC(QString()), QStringLiteral("00"));
    EXPECT_EQ(f_BCC(QStringLiteral("00 00 31 00 00 ")), QStringLiteral("31"));
    EXPECT_EQ(f_BCC(QStringLiteral("12 3")), QStringLiteral("11"));   // a one-digit last piece reads as 03
    EXPECT_EQ(f_BCC(QStringLiteral("ff ")), QStringLiteral("FF"));
    // A whole frame line checks to zero.
    EXPECT_EQ(f_BCC(QStringLiteral("02 52 31 31 32 36 31 32 30 35 37 31 30 33 37 03 63")), QStringLiteral("00"));
}

TEST(InsertaCodigo, ErrorLinesAreRedAndNameTheCommandLine) {
    Banco b({"INIA 1", "-- nada", "INIA 0", "", "ACK"});
    b.Compilar(99);
    EXPECT_EQ(b.Codigo(), QStringList({"02 52 31 41 03 23", "", "ERROR! Número de reloj invalido", "", "06"}));
    EXPECT_EQ(b.c.lst_Debug, QStringList{"Linea 3 - ERROR! Número de reloj invalido"});
    EXPECT_EQ(b.entorno.debugEspejo, b.c.lst_Debug);
    EXPECT_EQ(b.cod.ColorEn(0), Colores::Negro);
    const int error = b.cod.LineIndex(2);
    EXPECT_EQ(b.cod.ColorEn(error), Colores::Rojo);
    EXPECT_EQ(b.cod.ColorEn(error + 20), Colores::Rojo);
    EXPECT_EQ(b.cod.ColorEn(b.cod.LineIndex(4)), Colores::Negro);
    EXPECT_TRUE(b.cod.Text().endsWith(QStringLiteral("06\r\n")));
}

}   // namespace
