// Argument count, clock number, date and time checks.
#include "BancoCompilador.h"
#include "FechaHora.h"
#include <gtest/gtest.h>

namespace {

// Runs ChkArgs on a line as the dispatch would have split it.
struct Args {
    int resultado;
    int chkArgs;
    QStringList arg;
    QStringList codigo;
    QStringList llamadas;
};
Args ChkArgsDe(const QStringList& vCmd, int nArg, const QStringList& argPrevio = {QStringLiteral("previo")}) {
    Banco b;
    b.c.v_Cmd = vCmd;
    b.c.v_Arg = argPrevio;
    const int r = b.c.ChkArgs(nArg);
    return {r, b.c.v_ChkArgs, b.c.v_Arg, b.Codigo(), b.entorno.llamadas};
}

TEST(ChkArgs, CountsSplitsAndReportsEachCase) {
    struct Caso {
        QStringList vCmd;
        int nArg;
        int resultado;
        int chkArgs;
        QStringList arg;
        QStringList codigo;
    };
    const Caso casos[] = {
        {{"INIA"}, 1, 0, 0, {"previo"}, {"Comando INIA: Sin argumentos"}},
        {{"ACK"}, 0, 0, 0, {"previo"}, {}},
        {{"INIA", ""}, 1, 0, 0, {}, {"Comando INIA: Faltan argumentos"}},
        {{"ACK", ""}, 0, 0, 0, {}, {}},
        {{"INIA", "1,2"}, 1, 2, 2, {"1", "2"}, {"Comando INIA: Sobran argumentos"}},
        {{"ACK", "5"}, 0, 1, 1, {"5"}, {"Comando ACK: Sobran argumentos"}},
        {{"FECH", "1,,10:00"}, 3, 3, 3, {"1", "", "10:00"}, {"Comando FECH: Argumento vacío"}},
        {{"FECH", ",, "}, 3, 3, 3, {"", "", ""}, {"Comando FECH: Argumento vacío", "Comando FECH: Argumento vacío"}},
        {{"AING", " 1 , 2 3 ,\t4, 5"}, 4, 4, 4, {"1", "23", "\t4", "5"}, {}},
        {{"INIA", " ?"}, 1, 1, 1, {"?"}, {}},
    };
    for (const auto& c : casos) {
        const Args r = ChkArgsDe(c.vCmd, c.nArg);
        const QString donde = c.vCmd.join(QLatin1Char('|'));
        EXPECT_EQ(r.resultado, c.resultado) << donde.toStdString();
        EXPECT_EQ(r.chkArgs, c.chkArgs) << donde.toStdString();
        EXPECT_EQ(r.arg, c.arg) << donde.toStdString();
        EXPECT_EQ(r.codigo, c.codigo) << donde.toStdString();
        EXPECT_TRUE(r.llamadas.isEmpty()) << donde.toStdString();
    }
}

TEST(ChkArgs, QuestionMarkFirstIsAHelpRequestNotAnError) {
    for (const QString& texto : {QStringLiteral("?"), QStringLiteral("?,2"), QStringLiteral("?, x, y, z")}) {
        const Args r = ChkArgsDe({QStringLiteral("FECH"), texto}, 3);
        EXPECT_EQ(r.resultado, 0);
        EXPECT_EQ(r.chkArgs, -1);
        EXPECT_TRUE(r.codigo.isEmpty());
        EXPECT_EQ(r.llamadas, QStringList{"ayuda"});
    }
}

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

TEST(Fechas, DayOfWeekCountsFromSunday) {
    EXPECT_EQ(f_DiaSemana(QStringLiteral("05/12/2026")), 7);   // Saturday
    EXPECT_EQ(f_DiaSemana(QStringLiteral("06/12/2026")), 1);   // Sunday
    EXPECT_EQ(f_DiaSemana(QStringLiteral("01/03/2011")), 3);   // Tuesday
}

TEST(ChkFechaYHora, StoreTheNormalFormOrReportTheirMessage) {
    Banco b;
    QString fecha = QStringLiteral("5-12-26"), hora = QStringLiteral("9:05:30");
    EXPECT_TRUE(b.c.ChkFecha(fecha));
    EXPECT_TRUE(b.c.ChkHora(hora, QStringLiteral("ERROR! Hora invalida")));
    EXPECT_EQ(fecha, QStringLiteral("05/12/2026"));
    EXPECT_EQ(hora, QStringLiteral("09:05"));
    QString mala = QStringLiteral("32/1/2026"), malaHora = QStringLiteral("25:00");
    EXPECT_FALSE(b.c.ChkFecha(mala));
    EXPECT_FALSE(b.c.ChkHora(malaHora, QStringLiteral("mensaje propio")));
    EXPECT_EQ(mala, QStringLiteral("32/1/2026"));
    EXPECT_EQ(b.Codigo(), QStringList({"ERROR! Fecha invalida", "mensaje propio"}));
    EXPECT_EQ(b.c.TipoLinea, TipoDeLinea::Err);
}

}   // namespace
