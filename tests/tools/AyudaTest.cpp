// The help window: entry page, back and forward, close, F1 pages, resizing.
#include "Herramientas.h"
#include "Module1.h"
#include "fr_Ayuda.h"
#include <QAccessible>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class Ayuda : public ::testing::Test {
protected:
    void TearDown() override {
        if (VentanaAyuda()) VentanaAyuda()->close();
        Borrar();
    }
    static void Borrar() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static QString Pagina() { return VentanaAyuda()->Browser->source().fileName(); }
    static void Seguir(const QString& enlace) {
        QTextBrowser* b = VentanaAyuda()->Browser;
        b->setSource(b->source().resolved(QUrl(enlace)));
    }
};

TEST_F(Ayuda, OpensAtEntryPageWithAccessibleBrowser) {
    MostrarAyuda(Module1::v_ArchAyuda, QStringLiteral("principal"));
    ASSERT_NE(VentanaAyuda(), nullptr);
    EXPECT_TRUE(VentanaAyuda()->isVisible());
    EXPECT_EQ(VentanaAyuda()->windowTitle(), QStringLiteral("Ayuda"));
    // A screen reader meets a window named by its title.
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(VentanaAyuda());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Window);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Ayuda"));
    EXPECT_EQ(Pagina(), QStringLiteral("principal.htm"));
    EXPECT_EQ(VentanaAyuda()->Browser->accessibleName(), QStringLiteral("Ayuda"));
    // The page is read as UTF-8: accents come through.
    EXPECT_TRUE(VentanaAyuda()->Browser->toPlainText().contains(QStringLiteral("Cómo escribir un script")));
}

TEST_F(Ayuda, BackAndForwardFollowHistoryAndDoNothingAtItsEnds) {
    MostrarAyuda({}, {});
    fr_Ayuda* w = VentanaAyuda();
    QTest::mouseClick(w->btn_Principal, Qt::LeftButton);   // nothing before the entry page
    EXPECT_EQ(Pagina(), QStringLiteral("principal.htm"));
    Seguir(QStringLiteral("fech.htm"));
    Seguir(QStringLiteral("tools.htm"));
    QTest::mouseClick(w->btn_Principal, Qt::LeftButton);
    EXPECT_EQ(Pagina(), QStringLiteral("fech.htm"));
    QTest::mouseClick(w->btn_Principal, Qt::LeftButton);
    EXPECT_EQ(Pagina(), QStringLiteral("principal.htm"));
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QTest::mouseClick(w->Command1, Qt::LeftButton);   // nothing after the last page
    EXPECT_EQ(Pagina(), QStringLiteral("tools.htm"));
}

TEST_F(Ayuda, ShowingAgainKeepsTheOpenWindowAndItsPage) {
    MostrarAyuda({}, {});
    fr_Ayuda* primera = VentanaAyuda();
    Seguir(QStringLiteral("aing.htm"));
    MostrarAyuda({}, QStringLiteral("principal"));
    EXPECT_EQ(VentanaAyuda(), primera);
    EXPECT_EQ(Pagina(), QStringLiteral("aing.htm"));
}

TEST_F(Ayuda, CloseButtonAndTitleBarDestroyAndReopenAtEntryPage) {
    for (bool porBoton : {true, false}) {
        MostrarAyuda({}, {});
        Seguir(QStringLiteral("cmd.htm"));
        if (porBoton)
            QTest::mouseClick(VentanaAyuda()->Command2, Qt::LeftButton);
        else
            VentanaAyuda()->close();
        Borrar();
        EXPECT_EQ(VentanaAyuda(), nullptr);
        MostrarAyuda({}, {});
        EXPECT_EQ(Pagina(), QStringLiteral("principal.htm"));
        EXPECT_FALSE(VentanaAyuda()->Browser->isBackwardAvailable());
        VentanaAyuda()->close();
        Borrar();
    }
}

TEST_F(Ayuda, F1OpensTopicPageAndMovesAnOpenWindowThere) {
    MostrarAyudaEnPagina(QStringLiteral("fech.htm"));
    EXPECT_EQ(Pagina(), QStringLiteral("fech.htm"));
    fr_Ayuda* w = VentanaAyuda();
    MostrarAyudaEnPagina(QStringLiteral("inia.htm"));
    EXPECT_EQ(VentanaAyuda(), w);
    EXPECT_EQ(Pagina(), QStringLiteral("inia.htm"));
    QTest::mouseClick(w->btn_Principal, Qt::LeftButton);
    EXPECT_EQ(Pagina(), QStringLiteral("fech.htm"));
}

TEST_F(Ayuda, ResizingMovesOnlyTheBrowserWhichStaysBelowTheButtons) {
    MostrarAyuda({}, {});
    fr_Ayuda* w = VentanaAyuda();
    const QRect anterior = w->btn_Principal->geometry();
    const QRect siguiente = w->Command1->geometry();
    const QRect cerrar = w->Command2->geometry();
    for (QSize tamano : {QSize(900, 700), QSize(420, 200), QSize(1200, 400)}) {
        w->resize(tamano);
        QCoreApplication::processEvents();
        EXPECT_EQ(w->btn_Principal->geometry(), anterior);
        EXPECT_EQ(w->Command1->geometry(), siguiente);
        EXPECT_EQ(w->Command2->geometry(), cerrar);
        const QRect b = w->Browser->geometry();
        EXPECT_GT(b.top(), anterior.bottom());
        EXPECT_LE(b.right(), w->width());
        EXPECT_LE(b.bottom(), w->height());
        EXPECT_GT(b.width(), w->width() / 2);
        EXPECT_GT(b.height(), 0);
    }
}

}   // namespace
