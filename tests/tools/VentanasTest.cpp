// The three small windows as a screen reader and the layout tables see them.
#include "Herramientas.h"
#include "Twips.h"
#include "fr_Acerca.h"
#include "fr_Ayuda.h"
#include "fr_Herramientas.h"
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

TEST(Ventanas, HelpWindowIsAWindowNamedByItsTitle) {
    auto* ayuda = new fr_Ayuda();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(ayuda);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Window);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Ayuda"));
    delete ayuda;
}

TEST(Ventanas, CheckByteBoxesAre285TwipsHighAndAboutTitleIsNotBold) {
    fr_Herramientas h;
    const Twips tw(&h);
    EXPECT_EQ(h.tx_String->height(), tw.Px(285));
    EXPECT_EQ(h.tx_XOR->height(), tw.Px(285));

    fr_Acerca a;
    EXPECT_FALSE(a.Label1->font().bold());
    EXPECT_EQ(a.Label1->font(), a.tx_Ver->font());
}

TEST(Ventanas, EveryWindowHasTheProgramIcon) {
    fr_Herramientas h;
    fr_Acerca a;
    fr_Ayuda ayuda;
    for (const QWidget* w : {static_cast<QWidget*>(&h), static_cast<QWidget*>(&a), static_cast<QWidget*>(&ayuda)}) {
        EXPECT_FALSE(w->windowIcon().isNull()) << w->objectName().toStdString();
        EXPECT_TRUE(w->windowIcon().availableSizes().contains(QSize(16, 16)));
    }
}
