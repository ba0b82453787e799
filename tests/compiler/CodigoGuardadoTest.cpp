#include "CodigoGuardado.h"
#include <gtest/gtest.h>
#include <utility>

// Whatever a handler left must come back character for character, packed or
// not: the pass writes it again into the code pane and the frame is sent as
// it reads there. What counts as hex pairs is the code-line reader's, tested
// with the code pane's pages; here, the record's own edges.
TEST(CodigoGuardado, EveryCodeLineReadsBackExactly) {
    const QString veintitres = QStringLiteral("0A ").repeated(22) + QStringLiteral("FF");
    const QString texts[] = {
        QStringLiteral("02 52 31 35 30 30 30 30 31 41 42 03 65"),
        QStringLiteral("06"),
        veintitres,                            // the most pairs kept inside
        veintitres + QStringLiteral(" 01"),    // one more: kept as text
        QStringLiteral("02 52 31 0a 03 6b"),   // lower case
        QStringLiteral("ERROR! Tarjeta Invalida"),
        QStringLiteral("Línea con acento €"),
    };
    for (const QString& t : texts) {
        CodigoGuardado g;
        g = t;
        EXPECT_EQ(g.Texto(), t);
        // Copied, moved and overwritten both ways, it still reads the same.
        CodigoGuardado copia(g);
        EXPECT_EQ(copia.Texto(), t);
        CodigoGuardado movido(std::move(copia));
        EXPECT_EQ(movido.Texto(), t);
        EXPECT_TRUE(copia.Texto().isEmpty());
        for (const QString& otro : {QStringLiteral("06"), QStringLiteral("ERROR!")}) {
            CodigoGuardado h;
            h = otro;
            h = g;
            EXPECT_EQ(h.Texto(), t);
            h = otro;
            EXPECT_EQ(h.Texto(), otro);
        }
        g.Quitar();
        EXPECT_TRUE(g.Texto().isNull());
    }
    CodigoGuardado vacio;
    vacio = QString();
    EXPECT_TRUE(vacio.Texto().isNull());
}
