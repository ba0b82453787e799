// Clock number, date and time checks. Argument counts, their messages and
// help requests ("?" first, whatever follows) are checked through the pass
// (CodigoTest, Comandos*Test, PasadaTest).
#include "BancoCompilador.h"
#include "FechaHora.h"
#include <gtest/gtest.h>

namespace {

TEST(ChkReloj, AcceptsOneDigitOrLetterAndNamesTheFault) {
    const QString fmt = QStringLiteral("F"), num = QStringLiteral("N");
    struct Caso {
        QString arg;
        bool valido;
        QString mensaje;
    };
    const Caso casos[] = {
        {"1", true, ""}, {"9", true, ""}, {"a", true, ""}, {"Z", true, ""}, {"0", false, "N"}, {"", false, "N"}, {"?", false, "N"}, {"é", false, "N"}, {"\t", false, "N"}, {"10", false, "F"}, {"ab", false, "F"}, {"中文", false, "F"}, {QString::fromUtf8("\xF0\x9F\x98\x80"), false, "N"},   // one character outside the plane: not a clock
    };
    for (const auto& c : casos) {
        Banco b;
        b.c.TipoLinea = TipoDeLinea::Cmd;
        EXPECT_EQ(b.c.ChkReloj(c.arg, fmt, num), c.valido) << c.arg.toStdString();
        EXPECT_EQ(b.Codigo(), c.valido ? QStringList() : QStringList{c.mensaje}) << c.arg.toStdString();
        EXPECT_EQ(b.c.TipoLinea, c.valido ? TipoDeLinea::Cmd : TipoDeLinea::Err);
    }
}

TEST(Fechas, ReadOnlyUnambiguousDayFirstDates) {
    const std::pair<const char*, const char*> casos[] = {
        {"5-12-26", "05/12/2026"},
        {"05/12/2026", "05/12/2026"},
        {"1/3/2011", "01/03/2011"},
        {"31/12/29", "31/12/2029"},
        {"1/1/30", "01/01/1930"},
        {"29/2/2024", "29/02/2024"},
        {"29/2/00", "29/02/2000"},
        {"1/1/0001", "01/01/0001"},
        {"31-1-1999", "31/01/1999"},
        // not read
        {"31/11/2026", ""},
        {"31/02/2026", ""},
        {"29/2/2023", ""},
        {"29/02/1900", ""},
        {"0/1/2026", ""},
        {"1/0/2026", ""},
        {"1/13/2026", ""},
        {"5/12-26", ""},
        {"5.12.26", ""},
        {"5/12", ""},
        {"5/12/026", ""},
        {"5/12/20260", ""},
        {"005/12/2026", ""},
        {"2026/12/05", ""},
        {"1/1/0000", ""},
        {"", ""},
        {"10:00", ""},
        {"５/12/2026", ""},
        {"5/12/26/", ""},
        {"5 /12/26", ""},
    };
    for (const auto& [entrada, salida] : casos)
        EXPECT_EQ(f_NormalizarFecha(QString::fromUtf8(entrada)), QString::fromUtf8(salida)) << entrada;
}

TEST(Horas, ReadTwentyFourHourTimesAndDropSeconds) {
    const std::pair<const char*, const char*> casos[] = {
        {"9:05", "09:05"},
        {"09:05", "09:05"},
        {"0:00", "00:00"},
        {"23:59", "23:59"},
        {"23:59:59", "23:59"},
        {"10:37:00", "10:37"},
        {"24:00", ""},
        {"9:5", ""},
        {"9:60", ""},
        {"9:05:60", ""},
        {"9:05:5", ""},
        {"9:05:", ""},
        {"905", ""},
        {"9.05", ""},
        {"", ""},
        {"123:00", ""},
        {"-1:00", ""},
        {"9:05 PM", ""},
        {"05/12/2026", ""},
    };
    for (const auto& [entrada, salida] : casos)
        EXPECT_EQ(f_NormalizarHora(QString::fromUtf8(entrada)), QString::fromUtf8(salida)) << entrada;
}

}   // namespace
