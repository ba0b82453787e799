// The check-byte tool and the about box, offscreen.
#include "Bytes.h"
#include "Herramientas.h"
#include "fr_Acerca.h"
#include "fr_Herramientas.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>

namespace {

struct CasoXOR {
    const char* linea;
    const char* v_Xor;
};

void PrintTo(const CasoXOR& c, std::ostream* os) { *os << '"' << c.linea << '"'; }

class XORDeLinea : public ::testing::TestWithParam<CasoXOR> {};

TEST_P(XORDeLinea, EnterShowsCheckByteOfTheLine) {
    fr_Herramientas ventana;
    QTest::keyClicks(ventana.tx_String, QString::fromLatin1(GetParam().linea));
    EXPECT_TRUE(ventana.tx_XOR->text().isEmpty());   // nothing before Enter
    QTest::keyClick(ventana.tx_String, Qt::Key_Return);
    EXPECT_EQ(ventana.tx_XOR->text().toStdString(), GetParam().v_Xor);
    EXPECT_EQ(ventana.tx_XOR->text(), f_BCC(ventana.tx_String->text()));
}

INSTANTIATE_TEST_SUITE_P(Herramientas, XORDeLinea,
                         ::testing::Values(CasoXOR{"02 52 31 41 03", "23"}, CasoXOR{"02 52 31 41 03 23", "00"},
                                           CasoXOR{"02 52 31 41 03 ", "23"}, CasoXOR{"0A", "0A"},
                                           CasoXOR{"5", "05"}, CasoXOR{"", "00"}, CasoXOR{"ff 0f", "F0"},
                                           CasoXOR{"zz 01", "01"}));

TEST(Herramientas, KeypadEnterAlsoComputesAndOtherKeysType) {
    fr_Herramientas ventana;
    QTest::keyClicks(ventana.tx_String, QStringLiteral("0A 0B"));
    EXPECT_EQ(ventana.tx_String->text(), QStringLiteral("0A 0B"));
    QTest::keyClick(ventana.tx_String, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(ventana.tx_XOR->text(), QStringLiteral("01"));
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

TEST(Acerca, ShowsVersionTwoZeroZeroAndClosesOnAceptar) {
    fr_Acerca acerca;
    acerca.show();
    EXPECT_EQ(acerca.windowTitle(), QStringLiteral("Acerca de Orvo"));
    EXPECT_EQ(acerca.tx_Ver->text(), QStringLiteral("Versión 2.0.0"));
    EXPECT_EQ(acerca.Label1->text(), QStringLiteral("Orvo - Interfaz de Comandos Tirsa"));
    EXPECT_TRUE(acerca.btn_Aceptar->isDefault());
    EXPECT_FALSE(acerca.Image2->pixmap().isNull());
    QTest::mouseClick(acerca.btn_Aceptar, Qt::LeftButton);
    EXPECT_FALSE(acerca.isVisible());
    EXPECT_EQ(acerca.result(), QDialog::Accepted);
}

TEST(Acerca, ModalBoxAcceptsEnter) {
    bool visto = false, cerradaPorEnter = false;
    int resultado = -1;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<fr_Acerca*>(QApplication::activeModalWidget());
        if (!w) return;
        visto = w->tx_Ver->text() == QStringLiteral("Versión 2.0.0");
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

}   // namespace
