// The check-byte tool and the about box, offscreen, and the small windows' icon.
// (What the tool computes on Enter: TipEnVentana.ToolsLineOpensTheCheckByteToolModallyAndVanishes.)
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
    bool visto = false;
    int resultado = -1;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<fr_Acerca*>(QApplication::activeModalWidget());
        if (!w) return;
        visto = w->tx_Ver->text() == QStringLiteral("Versión 2.0.0") && !w->Image2->pixmap().isNull();
        EXPECT_TRUE(w->btn_Aceptar->isDefault());
        QTest::keyClick(w, Qt::Key_Return);
        resultado = w->result();           // accepted: closed by Enter
        if (w->isVisible()) w->reject();   // never hang the suite
    });
    MostrarAcerca(nullptr);
    EXPECT_TRUE(visto);
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
