#include "ArgsGuardados.h"
#include <gtest/gtest.h>

// Kept in one string, the arguments must come back exactly and compare
// exactly: a list taken for another would let a pass stop on a changed line.
TEST(ArgsGuardados, KeepsEveryListExactlyAndTellsApartListsThatJoinAlike) {
    const QString largo = QString(70000, u'x') + QStringLiteral(",") + QString(10, u'y');
    const QStringList listas[] = {
        {},
        {QString()},
        {QStringLiteral("1")},
        {QStringLiteral("1"), QStringLiteral("00001"), QStringLiteral("A"), QStringLiteral("B")},
        {QStringLiteral("a"), QString(), QStringLiteral("b"), QString()},
        {QStringLiteral("a,b")},
        {QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral(","), QString()},
        {QString(), QStringLiteral(",")},
        {largo, QStringLiteral("z")},
    };
    for (size_t i = 0; i < std::size(listas); ++i) {
        const ArgsGuardados g = ArgsGuardados::De(listas[i]);
        ASSERT_TRUE(g.Hay()) << i;
        EXPECT_EQ(g.Lista(), listas[i]) << i;
        for (qsizetype k = 0; k <= listas[i].size(); ++k) EXPECT_EQ(g.Pieza(k), listas[i].value(k)) << i << " " << k;
        for (size_t j = 0; j < std::size(listas); ++j) EXPECT_EQ(g.Igual(listas[j]), listas[i] == listas[j]) << i << " " << j;
    }
    ArgsGuardados ninguno;
    EXPECT_FALSE(ninguno.Hay());
    EXPECT_FALSE(ninguno.Igual({}));
    EXPECT_TRUE(ninguno.Lista().isEmpty());
}

// Kept in a command line in normal form (word, blank, arguments joined by
// ", "), only when the line reads back exactly those arguments.
TEST(ArgsGuardados, KeptInTheLineOnlyWhenItReadsBackTheSameArguments) {
    const struct {
        const char* linea;
        QStringList args;
        bool enLinea;
    } casos[] = {
        {"AING 1, 00001, A, B", {"1", "00001", "A", "B"}, true},
        {"INIA 1", {"1"}, true},
        {"CMD ", {""}, true},
        {"CMD a, , b", {"a", "", "b"}, true},
        {"AING 1, 00001, A, B", {"1", "00001", "A"}, false},    // fewer arguments
        {"AING 1, 00001, A", {"1", "00001", "A", ""}, false},   // one more, empty
        {"CMD a, b", {"a, b"}, false},                          // ", " inside an argument
        {"CMD a,b", {"a", "b"}, true},                          // read back the same all the same
        {"CMD a,  b", {"a", " b"}, true},
        {"CMD a,  b", {"a", "b"}, false},
        {"CMD  a", {" a"}, true},
        {"CMD", {}, false},              // no blank: no arguments there
        {"j 1, 2", {"1", "2"}, false},   // starts as a kept form would
        {"l 1", {"1"}, false},
        {"0 1", {"1"}, false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.linea);
        const QString linea = QString::fromLatin1(caso.linea);
        for (const bool despues : {false, true}) {
            // Straight from the line, or kept apart first and moved into it.
            const ArgsGuardados g = despues ? ArgsGuardados::De(caso.args).EnLinea(linea) : ArgsGuardados::De(caso.args, linea);
            EXPECT_EQ(g.Lista(), caso.args);
            EXPECT_TRUE(g.Igual(caso.args));
            for (qsizetype k = 0; k <= caso.args.size(); ++k) EXPECT_EQ(g.Pieza(k), caso.args.value(k)) << k;
            EXPECT_FALSE(g.Igual(caso.args + QStringList{QStringLiteral("x")}));
            EXPECT_EQ(g.EnLaLinea(linea), caso.enLinea) << despues;
        }
        // Kept in a copy of the line (the line as read), then moved to the line rewritten alike.
        const QString leida(linea.constData(), linea.size());
        const ArgsGuardados movidos = ArgsGuardados::De(caso.args, leida).EnLinea(linea);
        EXPECT_EQ(movidos.EnLaLinea(linea), caso.enLinea);
        EXPECT_EQ(movidos.Lista(), caso.args);
    }
}
