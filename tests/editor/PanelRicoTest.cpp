#include "CajaRica.h"
#include "ContratoPanel.h"
#include "Lineas.h"
#include "PanelRico.h"
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace {
// A widget adapter that owns its box, for the contract suite.
struct ConCaja {
    std::unique_ptr<CajaRica> caja = std::make_unique<CajaRica>();
};
struct PanelRicoPropio : ConCaja, PanelRico {
    PanelRicoPropio() : PanelRico(caja.get()) {}
};
// The panes of the main window: rows of one height, laid out as they are shown.
struct PanelRicoFilas : PanelRicoPropio {
    PanelRicoFilas() { SetAlturaFila(15); }
};
}   // namespace

INSTANTIATE_TEST_SUITE_P(Widget, ContratoPanel,
                         ::testing::Values(FabricaPanel([] { return std::make_unique<PanelRicoPropio>(); }),
                                           FabricaPanel([] { return std::make_unique<PanelRicoFilas>(); })));

TEST(PanelRico, IndicesBetweenCrAndLfSurviveUntilTheUserMovesTheCaret) {
    PanelRicoPropio p;
    p.SetText(QStringLiteral("AB\r\nCD"));
    p.SetSelStart(3);   // between CR and LF
    EXPECT_EQ(p.SelStart(), 3);
    EXPECT_EQ(LineaActual(p), 0);
    // Selecting from there to the end takes the break and the next line.
    p.SetSelLength(3);
    EXPECT_EQ(p.SelText(), QStringLiteral("\nCD"));
    p.SetSelStart(2);
    p.SetSelLength(2);
    p.SetSelText(QString());
    EXPECT_EQ(p.Text(), QStringLiteral("ABCD"));
    // The user moving the caret is read back from the widget.
    QTextCursor c = p.Caja()->textCursor();
    c.setPosition(1);
    p.Caja()->setTextCursor(c);
    EXPECT_EQ(p.SelStart(), 1);
}

TEST(PanelRico, ASelectionKeepsItsDirectionBothWays) {
    PanelRicoPropio p;
    p.SetText(QStringLiteral("AB\r\nCD\r\nEF"));
    struct Caso {
        int ancla, caret;
        int qtAncla, qtPos;   // the widget's own cursor
        QString texto;
    };
    for (const Caso& k : {Caso{8, 1, 6, 1, QStringLiteral("B\r\nCD\r\n")}, Caso{1, 8, 1, 6, QStringLiteral("B\r\nCD\r\n")},
                          Caso{4, 4, 3, 3, QString()}}) {
        SCOPED_TRACE(k.ancla * 10 + k.caret);
        p.SetSeleccion(k.ancla, k.caret);
        EXPECT_EQ(p.SelAncla(), k.ancla);
        EXPECT_EQ(p.SelCaret(), k.caret);
        EXPECT_EQ(p.SelText(), k.texto);
        EXPECT_EQ(p.Caja()->textCursor().anchor(), k.qtAncla);
        EXPECT_EQ(p.Caja()->textCursor().position(), k.qtPos);
    }
    // A selection the user made upwards is read back from the widget.
    QTextCursor c = p.Caja()->textCursor();
    c.setPosition(6);
    c.setPosition(2, QTextCursor::KeepAnchor);
    p.Caja()->setTextCursor(c);
    EXPECT_EQ(p.SelAncla(), 8);
    EXPECT_EQ(p.SelCaret(), 2);
}

// (A selection's colour, weight and slant, as the window shows them: Ventana.*
// and TipEnVentana.FollowsTypingWithTheArgumentInBold....)
TEST(PanelRico, WithoutASelectionTheColourIsTheNextTypedTexts) {
    PanelRicoPropio p;
    p.SetText(QStringLiteral("INIA 1\r\n-- nota"));
    p.SetSelStart(p.Length());
    p.SetSelColor(Colores::Rojo);
    p.SetSelText(QStringLiteral("X"));
    EXPECT_EQ(p.ColorEn(p.Length() - 1), Colores::Rojo);
    EXPECT_EQ(p.ColorEn(8), Colores::Negro);
}

TEST(PanelRico, TextWrittenApartReachesTheWidgetWithFormatsAndCaret) {
    CajaRica caja;
    PanelRico p(&caja);
    p.SetAlturaFila(15);
    QPointer<QTextDocument> anterior;
    for (int vuelta = 0; vuelta < 2; ++vuelta) {
        p.SetText(QString());
        p.EmpezarLote();
        p.EmpezarAparte();
        p.SetSelText(QStringLiteral("INIA 1\r\nHOLA 9\r\n"));
        p.SetSelStart(8);
        p.SetSelLength(6);
        p.SetSelColor(Colores::Rojo);
        p.SetSelStart(7);                          // between CR and LF
        EXPECT_TRUE(caja.document()->isEmpty());   // nothing reaches the widget meanwhile
        p.DevolverPorPartes([] {});
        p.TerminarLote();
        EXPECT_FALSE(p.Aparte());
        EXPECT_EQ(caja.toPlainText(), QStringLiteral("INIA 1\nHOLA 9\n"));
        EXPECT_EQ(p.ColorEn(8), Colores::Rojo);
        EXPECT_EQ(p.ColorEn(0), Colores::Negro);
        EXPECT_EQ(p.SelStart(), 7);
        EXPECT_EQ(caja.document()->lastBlock().blockFormat().lineHeight(), 15);
        // A document handed over by an earlier round is not kept.
        if (vuelta == 1) {
            EXPECT_TRUE(anterior.isNull());
        }
        anterior = caja.document();
    }
    // A selection that ends between CR and LF comes back whole, whether the
    // pane started empty or not.
    for (const QString& antes : {QString(), QStringLiteral("X")}) {
        p.SetText(antes);
        p.EmpezarLote();
        p.EmpezarAparte();
        p.SetSelStart(p.Length());
        p.SetSelText(QStringLiteral("AB\r\nCD\r\n"));
        const int b = static_cast<int>(antes.size()) + 1;
        p.SetSelStart(b);
        p.SetSelLength(2);
        p.TerminarLote();
        EXPECT_EQ(p.SelStart(), b) << antes.size();
        EXPECT_EQ(p.SelLength(), 2) << antes.size();
        EXPECT_EQ(p.SelText(), QStringLiteral("B\r")) << antes.size();
    }
}

TEST(PanelRico, ScrollingStaysOnWholeRows) {
    CajaRica caja;
    caja.resize(300, 203);
    PanelRico p(&caja);
    p.SetAlturaFila(15);
    p.AjustarAFilas();
    QString t;
    for (int i = 0; i < 200; ++i) t += QStringLiteral("linea %1\r\n").arg(i);
    p.SetText(t);
    caja.show();
    // LineScroll and FirstVisibleLine count rows.
    p.LineScroll(40);
    EXPECT_EQ(p.FirstVisibleLine(), 40);
    p.LineScroll(-15);
    EXPECT_EQ(p.FirstVisibleLine(), 25);
    p.LineScroll(-100);
    EXPECT_EQ(p.FirstVisibleLine(), 0);
    QScrollBar* barra = caja.verticalScrollBar();
    barra->setValue(37);   // down: on to the next whole row
    EXPECT_EQ(barra->value(), 45);
    barra->setValue(40);   // up: back to the row above
    EXPECT_EQ(barra->value(), 30);
    barra->setValue(barra->maximum());
    EXPECT_EQ(barra->value() % 15, 0);
}

#include "PanelEspejo.h"
#include "VentanaPrueba.h"

namespace {
struct ConVista {
    VistaCodigo vista;
};
struct PanelEspejoPropio : ConVista, PanelEspejo {
    PanelEspejoPropio() : PanelEspejo(vista) {}
};
}   // namespace

INSTANTIATE_TEST_SUITE_P(Espejo, ContratoPanel,
                         ::testing::Values(FabricaPanel([] { return std::make_unique<PanelEspejoPropio>(); })));

TEST(PanelEspejo, TheViewShowsTheModelAfterEveryKindOfChange) {
    PanelEspejoPropio p;
    p.vista.resize(300, 200);
    auto agregar = [&p](const QString& linea, ColorRGB color) {
        p.SetSelStart(p.Length());
        p.SetSelColor(color);
        p.SetSelText(linea + QStringLiteral("\r\n"));
    };
    const QStringList pasadas[] = {
        {QStringLiteral("02 52 31 41 03 23"), QStringLiteral("ERROR! x"), QString(), QStringLiteral("06")},
        {QStringLiteral("02 52 31 41 03 23"), QStringLiteral("06")},                         // middle removed
        {QStringLiteral("AA"), QStringLiteral("02 52 31 41 03 23"), QStringLiteral("06")},   // start added
        {QStringLiteral("AA")},                                                              // end cut
        {},
    };
    for (const auto& lineas : pasadas) {
        p.SetText(QString());
        for (const auto& l : lineas) agregar(l, l.startsWith(u'E') ? Colores::Rojo : Colores::Negro);
        p.SetVisible(true);
        // As a screen reader reads it: each line in the colour it was written in.
        Pantalla esperada;
        for (const auto& l : lineas) {
            esperada.texto += l + u'\n';
            esperada.colores << (l.isEmpty() ? QString() : l + (l.startsWith(u'E') ? QStringLiteral(":rgb(255,0,0)") : QStringLiteral(":rgb(0,0,0)")));
        }
        esperada.colores << QString();
        EXPECT_EQ(Mostrada(&p.vista), esperada);
    }
}

TEST(PanelEspejo, AViewThatOutlivesItsPaneShowsNothing) {
    VistaCodigo vista;
    vista.resize(300, 200);
    {
        PanelEspejo p(vista);
        p.SetText(QStringLiteral("02 52 31 41 03 23\r\n06"));
        EXPECT_EQ(Mostrada(&vista).texto, QStringLiteral("02 52 31 41 03 23\n06"));
    }
    vista.show();
    EXPECT_EQ(Mostrada(&vista).texto, QString());
    (void)vista.grab();
}

TEST(PanelRico, AWidgetThatOutlivesItsAdapterScrollsWithoutReachingIt) {
    CajaRica caja;
    {
        PanelRico p(&caja);
        p.SetAlturaFila(15);
        p.AjustarAFilas();
        QString texto;
        for (int i = 0; i < 200; ++i) texto += QStringLiteral("INIA 1\r\n");
        p.SetText(texto);
    }
    // The scroll bar's value and range signals used to call into the freed adapter.
    caja.resize(200, 100);
    caja.verticalScrollBar()->setRange(0, 500);
    caja.verticalScrollBar()->setValue(40);
    EXPECT_EQ(caja.verticalScrollBar()->value(), 40);
}
