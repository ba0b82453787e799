// The check-byte tool and the about box, offscreen, and the small windows' icon.
#include "Herramientas.h"
#include "fr_Acerca.h"
#include "fr_Ayuda.h"
#include "fr_Herramientas.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The check byte itself is f_BCC's (Bytes test); the window computes it on
// Enter, either one, and not before.
TEST(Herramientas, EnterShowsTheCheckByteOfTheLineAndOtherKeysType) {
    for (const auto tecla : {Qt::Key_Return, Qt::Key_Enter}) {
        fr_Herramientas ventana;
        QTest::keyClicks(ventana.tx_String, QStringLiteral("02 52 31 41 03"));
        EXPECT_EQ(ventana.tx_String->text(), QStringLiteral("02 52 31 41 03"));
        EXPECT_TRUE(ventana.tx_XOR->text().isEmpty());
        QTest::keyClick(ventana.tx_String, tecla, tecla == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(ventana.tx_XOR->text(), QStringLiteral("23")) << tecla;
    }
}

TEST(Herramientas, FieldsNamedAfterTheirLabelsAndLineHasFocusFirst) {
    QWidget padre;
    padre.resize(800, 600);
    fr_Herramientas ventana(&padre);
    EXPECT_EQ(ventana.windowTitle(), QStringLiteral("Herramientas"));
    EXPECT_EQ(ventana.tx_String->accessibleName(), QStringLiteral("Linea"));
    EXPECT_EQ(ventana.tx_XOR->accessibleName(), QStringLiteral("XOR"));
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    EXPECT_EQ(ventana.focusWidget(), ventana.tx_String);
}

TEST(Acerca, ModalBoxShowsTheVersionAndEnterAcceptsIt) {
    bool visto = false, cerradaPorEnter = false;
    int resultado = -1;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<fr_Acerca*>(QApplication::activeModalWidget());
        if (!w) return;
        visto = w->tx_Ver->text() == QStringLiteral("Versión 2.0.0") && !w->Image2->pixmap().isNull();
        EXPECT_TRUE(w->btn_Aceptar->isDefault());
        QTest::keyClick(w, Qt::Key_Return);
        cerradaPorEnter = !w->isVisible();
        resultado = w->result();
        if (w->isVisible()) w->reject();   // never hang the suite
    });
    MostrarAcerca(nullptr);
    EXPECT_TRUE(visto);
    EXPECT_TRUE(cerradaPorEnter);
    EXPECT_EQ(resultado, QDialog::Accepted);
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

}   // namespace
