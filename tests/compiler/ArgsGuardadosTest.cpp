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
