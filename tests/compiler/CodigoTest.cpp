// Code lines and frames: every command line compiles to its exact code
// line(s) and debug entries, and a valid line is rewritten in normal form
// (comandos::Comprobar).
#include "Bytes.h"
#include "ComandosPaso.h"

namespace {

using namespace comandos;

TEST(Frames, EveryKindOfLineCompilesToItsFramesOrMessages) {
    const Caso casos[] = {
        {"inia 1", {"02 52 31 41 03 23"}, "INIA 1"},
        {"INIA A", {"02 52 41 41 03 53"}, "INIA A"},
        {"INIA z", {"02 52 7A 41 03 68"}, "INIA z"},
        {"INIB 1", {"02 52 31 42 03 20"}, "INIB 1"},
        {"LREG 1", {"02 52 31 30 03 52"}, "LREG 1"},
        {"lreg  9 ", {"02 52 39 30 03 5A"}, "LREG 9"},
        {"ACK", {"06"}, "ACK"},
        {"ack ?", {"06"}, "ACK ?"},
        {"ack ", {"06"}, "ACK "},
        // The day of the week counts from Sunday: Saturday 7, Sunday 1, Tuesday 3.
        {"FECH 1, 05/12/2026, 10:37", {"02 52 31 31 32 36 31 32 30 35 37 31 30 33 37 03 63"}},
        {"FECH 1, 06/12/2026, 10:37", {"02 52 31 31 32 36 31 32 30 36 31 31 30 33 37 03 66"}},
        {"FECH A, 1/3/2011, 8:05", {"02 52 41 31 31 31 30 33 30 31 33 30 38 30 35 03 1F"}, "FECH A, 01/03/2011, 08:05"},
        {"fech 1,5/12/2026,9:05", {"02 52 31 31 32 36 31 32 30 35 37 30 39 30 35 03 6A"}, "FECH 1, 05/12/2026, 09:05"},
        {"FECH 1, 5-12-26, 9:05:59", {"02 52 31 31 32 36 31 32 30 35 37 30 39 30 35 03 6A"}, "FECH 1, 05/12/2026, 09:05"},
        {"INIA 0", {"ERROR! Número de reloj invalido"}},
        {"INIA 12", {"ERROR! Formato de número de reloj invalido"}},
        {"INIA 1 2", {"ERROR! Formato de número de reloj invalido"}},
        {"INIA  ?", {"ERROR! Número de reloj invalido"}},
        {"INIA ñ", {"ERROR! Número de reloj invalido"}},
        {"INIA", {"Comando INIA: Sin argumentos"}},
        {"INIA ", {"Comando INIA: Faltan argumentos"}},
        {"INIA 1,2", {"Comando INIA: Sobran argumentos"}},
        {"INIA ,", {"Comando INIA: Sobran argumentos"}},
        {"INIB ?", {}},
        {"ACK 5", {"Comando ACK: Sobran argumentos"}},
        {"FECH 1,,10:00", {"Comando FECH: Argumento vacío", "ERROR! Fecha invalida"}},
        {"FECH ,,", {"Comando FECH: Argumento vacío", "Comando FECH: Argumento vacío", "Comando FECH: Argumento vacío", "ERROR! Número de reloj invalido"}},
        {"FECH 1, 31/02/2026, 10:00", {"ERROR! Fecha invalida"}},
        {"FECH 1, 05/12/2026, 24:00", {"ERROR! Hora invalida"}},
        {"FECH 10, 31/02/2026, 25:00", {"ERROR! Formato de número de reloj invalido"}},
        {"FECH 1, 05/12/2026", {"Comando FECH: Faltan argumentos"}},
        {"FECH ?", {}},
        // Raw bytes, comments and unknown words.
        {"CMD 02 52 31 41 03 23", {"02 52 31 41 03 23"}, "CMD 025231410323"},
        {"cmd 0a0b0", {"0A 0B 0"}, "CMD 0a0b0"},
        {"CMD 0252", {"02 52"}},
        {"CMD 02 52", {"02 52"}, "CMD 0252"},
        {"cmd ff", {"FF"}, "CMD ff"},
        {"CMD 123", {"12 3"}},
        {"CMD    ", {""}, "CMD "},
        {"CMD 02,52", {"Comando CMD: Sobran argumentos"}},
        {"CMD", {"Comando CMD: Sin argumentos"}},
        {"CMD ?", {}},
        {"CMD x0Z", {"ERROR! Caracteres inválidos: 'x' 'Z'"}},
        {"CMD g0g-é", {"ERROR! Caracteres inválidos: 'g' 'g' '-' 'é'"}},
        {"C 1, 2, 3", {"00 00 31 00 00 31"}, "C 1, 2, 3"},
        {"C A, B, C", {"00 00 41 00 00 41"}},
        {"c €uro,x,y", {"00 00 80 00 00 80"}, "C €uro, x, y"},
        {"C 中,x,y", {"00 00 3F 00 00 3F"}, "C 中, x, y"},
        {"C 1, 2", {"Comando C: Faltan argumentos"}},
        {"C ?, 2, 3", {}},
        {"C , 2, 3", {"Comando C: Argumento vacío"}},
        {"C  , 2, 3", {"Comando C: Argumento vacío"}},
        {"C ,,", {"Comando C: Argumento vacío", "Comando C: Argumento vacío", "Comando C: Argumento vacío"}},
        {"-- primer reloj", {""}},
        {"--", {""}},
        {"FECHA 1", {"ERROR! Comando desconocido: FECHA"}},
        {"--comentario", {"ERROR! Comando desconocido: --COMENTARIO"}},
        {" INIA 1", {"ERROR! Comando desconocido: "}},
        {"   ", {"ERROR! Comando desconocido: "}},
        {"INIA\t1", {"ERROR! Comando desconocido: INIA\t1"}},
        {"straße 1", {"ERROR! Comando desconocido: STRASSE"}},
        {"ÿ 1", {"ERROR! Comando desconocido: Ÿ"}},
    };
    for (const auto& caso : casos) Comprobar(caso);
}

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
    EXPECT_EQ(f_BCC(QStringLiteral("ff 0f")), QStringLiteral("F0"));
    EXPECT_EQ(f_BCC(QStringLiteral("5")), QStringLiteral("05"));
    EXPECT_EQ(f_BCC(QStringLiteral("zz 01")), QStringLiteral("01"));   // what is not hex counts as nothing
    // A whole frame line checks to zero.
    EXPECT_EQ(f_BCC(QStringLiteral("02 52 31 31 32 36 31 32 30 35 37 31 30 33 37 03 63")), QStringLiteral("00"));
}

}   // namespace
