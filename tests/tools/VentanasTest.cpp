// The three small windows as a screen reader and the window manager see them.
#include "Herramientas.h"
#include "fr_Acerca.h"
#include "fr_Ayuda.h"
#include "fr_Herramientas.h"
#include <QAccessible>
#include <gtest/gtest.h>

TEST(Ventanas, HelpWindowIsAWindowNamedByItsTitle) {
    auto* ayuda = new fr_Ayuda();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(ayuda);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Window);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Ayuda"));
    delete ayuda;
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
