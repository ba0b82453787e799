// The editor as the user sees it: the caret, the selection, the scroll
// position, the tip and the rows in view, read from the widgets themselves
// (their cursor, scroll bars, accessibility interface and painted pixels).
#include "EtiquetaLineas.h"
#include "VentanaPrueba.h"
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

int Fila(const VentanaPrueba& w) { return w.Escala().Px(225); }

// Line and column of the widget's own caret, and of its anchor.
struct Punto {
    int linea, columna;
    bool operator==(const Punto&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Punto& p) { return o << p.linea << ':' << p.columna; }
Punto En(const QTextDocument* doc, int qt) {
    const QTextBlock b = doc->findBlock(qt);
    return {b.blockNumber(), qt - b.position()};
}
Punto Caret(const VentanaPrueba& w) { return En(w.tx_Cmd->document(), w.tx_Cmd->textCursor().position()); }
Punto Ancla(const VentanaPrueba& w) { return En(w.tx_Cmd->document(), w.tx_Cmd->textCursor().anchor()); }

// The lines whose rows a pane shows whole, as a screen reader finds them:
// the rectangle of each line's first character inside the pane's viewport.
std::vector<int> FilasEnVista(QAbstractScrollArea* caja) {
    QAccessibleTextInterface* t = QAccessible::queryAccessibleInterface(caja)->textInterface();
    const QRect vista(caja->viewport()->mapToGlobal(QPoint(0, 0)), caja->viewport()->size());
    std::vector<int> filas;
    int inicio = 0;
    for (int linea = 0; inicio <= t->characterCount(); ++linea) {
        const QRect r = t->characterRect(inicio);
        if (r.top() >= vista.top() && r.bottom() <= vista.bottom()) filas.push_back(linea);
        int desde = 0, hasta = 0;
        t->textAtOffset(inicio, QAccessible::LineBoundary, &desde, &hasta);
        inicio = hasta + 1;
    }
    return filas;
}

QStringList Numeradas(int n, const QString& formato) {
    QStringList l;
    for (int i = 0; i < n; ++i) l << formato.arg(i);
    return l;
}

// ---- The caret below a help line ----

TEST(Pantalla, TheCaretLeavesAHelpLineUpwardsAndGoesBelowItDownwards) {
    VentanaPrueba w;
    w.Lineas({QStringLiteral("inia 1"), QStringLiteral("inia ?"), QStringLiteral("inia 2")});
    w.Caret(2, 3);
    w.Tecla(Qt::Key_Up);   // onto the help line
    EXPECT_EQ(Caret(w), (Punto{1, 3}));
    w.Tecla(Qt::Key_Up);   // and off it, upwards
    EXPECT_EQ(Caret(w), (Punto{0, 3}));
    w.Tecla(Qt::Key_Left);
    EXPECT_EQ(Caret(w), (Punto{0, 2}));
    // Downwards over it: the caret comes to rest at the start of the line below.
    w.Tecla(Qt::Key_Down);
    EXPECT_EQ(Caret(w), (Punto{1, 2}));
    w.Tecla(Qt::Key_Down);
    EXPECT_EQ(Caret(w), (Punto{2, 0}));
    CerrarAyuda();
}

// ---- Help requests ----

TEST(Pantalla, AHelpRequestOpensHelpOnceAndTheKeyboardStaysWithThePane) {
    VentanaPrueba w;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.EscribirLineas({"inia ?"});
    ASSERT_NE(VentanaAyuda(), nullptr);
    EXPECT_TRUE(VentanaAyuda()->isVisible());
    EXPECT_EQ(QApplication::activeWindow(), &w);
    EXPECT_EQ(QApplication::focusWidget(), w.tx_Cmd);
    CerrarAyuda();

    // Typing goes on at the start of the new line; later passes leave the request alone.
    w.EscribirLineas({"inia 1", "lreg 1"});
    EXPECT_EQ(VentanaAyuda(), nullptr);

    // A click at the start of another line, then keys typed where the
    // keyboard is: they reach the pane, and "T" on its own line transmits.
    const QRect r = w.tx_Cmd->cursorRect(QTextCursor(w.tx_Cmd->document()->findBlockByNumber(1)));
    QTest::mouseClick(w.tx_Cmd->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QWindow* teclado = QGuiApplication::focusWindow();
    ASSERT_EQ(teclado, w.windowHandle());
    QTest::keyClick(teclado, Qt::Key_T, Qt::NoModifier);
    QTest::keyClick(teclado, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(w.transmisiones, 1);
    EXPECT_EQ(VentanaAyuda(), nullptr);
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("inia ?\r\nINIA 1\r\nLREG 1\r\n"));
    CerrarAyuda();
}

// ---- Scrolling ----

TEST(Pantalla, AScrolledPaneStaysWhereTheUserPutItAndTheOthersCatchUpAtTheNextKey) {
    struct Caso {
        const char* nombre;
        std::function<void(VentanaPrueba&)> desplazar;
    };
    const std::vector<Caso> casos = {
        {"barra", [](VentanaPrueba& w) { w.tx_Cmd->verticalScrollBar()->setValue(40 * Fila(w)); }},
        {"rueda",
         [](VentanaPrueba& w) {
             // Three rows a notch: 14 notches down, then one back up.
             const QPoint centro = w.tx_Cmd->viewport()->rect().center();
             for (int i = 0; i < 15; ++i) {
                 const int delta = i < 14 ? -120 : 120;
                 QWheelEvent rueda(centro, w.tx_Cmd->viewport()->mapToGlobal(centro), QPoint(), QPoint(0, delta),
                                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                 QApplication::sendEvent(w.tx_Cmd->viewport(), &rueda);
             }
         }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        VentanaPrueba w;
        w.Lineas(Numeradas(100, QStringLiteral("-- %1")));
        w.Cod().SetText(QStringList(100, QString()).join(QStringLiteral("\r\n")));
        w.Caret(2, 2);
        w.Tecla(Qt::Key_Right);
        caso.desplazar(w);
        const int arriba = w.Cmd().FirstVisibleLine();
        ASSERT_GE(arriba, 30);
        // Scrolling alone moves neither the code pane nor the gutter.
        EXPECT_EQ(w.Cod().FirstVisibleLine(), 0);
        EXPECT_TRUE(w.tx_NroLin->text().startsWith(QStringLiteral("1 \r\n")));
        for (Qt::Key k : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_F5}) {
            w.Tecla(k);
            EXPECT_EQ(w.Cmd().FirstVisibleLine(), arriba) << k;
            EXPECT_EQ(FilasEnVista(w.tx_Cmd).front(), arriba) << k;
        }
        EXPECT_EQ(w.Cod().FirstVisibleLine(), arriba);
        EXPECT_TRUE(w.tx_NroLin->text().startsWith(QString::number(arriba + 1) + QStringLiteral(" \r\n")));
        EXPECT_EQ(Caret(w), (Punto{2, 3}));
    }
}

// ---- Selections ----

TEST(Pantalla, SelectionsMadeRightAfterTheCaretCameToALineStay) {
    struct Caso {
        const char* nombre;
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        Punto ancla, caret;
    };
    const Punto desde{5, 3};
    const std::vector<Caso> casos = {
        {"Shift+Arriba", Qt::Key_Up, Qt::ShiftModifier, desde, {4, 3}},
        {"Shift+RePag", Qt::Key_PageUp, Qt::ShiftModifier, desde, {0, 3}},
        {"Shift+Ctrl+Inicio", Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier, desde, {0, 0}},
        {"Shift+Abajo", Qt::Key_Down, Qt::ShiftModifier, desde, {6, 3}},
        {"Ctrl+A", Qt::Key_A, Qt::ControlModifier, {0, 0}, {7, 6}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        VentanaPrueba w;
        // Lines that the pass rewrites longer ("INIA 1" from "inia  1"): the
        // selection is given back where the user made it all the same.
        QStringList lineas = Numeradas(8, QStringLiteral("inia %1"));
        lineas[4] = QStringLiteral("inia  4");
        w.Lineas(lineas);
        w.Caret(4, 3);
        w.Tecla(Qt::Key_Down);   // the caret has just come to line 5
        ASSERT_EQ(Caret(w), desde);
        w.Tecla(caso.tecla, caso.mods);
        EXPECT_EQ(Ancla(w), caso.ancla);
        EXPECT_EQ(Caret(w), caso.caret);
        EXPECT_TRUE(w.tx_Cmd->textCursor().hasSelection());
        if (caso.tecla == Qt::Key_A) {   // then Delete empties the pane
            w.Tecla(Qt::Key_Delete);
            EXPECT_EQ(w.tx_Cmd->toPlainText(), QString());
        }
    }
}

// ---- The tip ----

TEST(Pantalla, TheTipBelongsToTheCaretsLineAndLetsClicksThrough) {
    VentanaPrueba w;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Lineas({QString(), QString(), QString(), QString(), QString(), QString()});
    w.Caret(0);
    w.Escribir(QStringLiteral("fech 1,"));
    ASSERT_TRUE(w.tx_Tip->isVisible());

    // A click on line 4, then Shift: no tip of line 0 over line 1.
    const QRect r = w.tx_Cmd->cursorRect(QTextCursor(w.tx_Cmd->document()->findBlockByNumber(4)));
    QTest::mouseClick(w.tx_Cmd->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QTest::keyPress(w.tx_Cmd, Qt::Key_Shift);
    EXPECT_FALSE(w.tx_Tip->isVisible());
    QTest::keyRelease(w.tx_Cmd, Qt::Key_Shift);
    EXPECT_FALSE(w.tx_Tip->isVisible());

    // Typing there: the tip shows under line 4.
    w.Escribir(QStringLiteral("aing 1,"));
    ASSERT_TRUE(w.tx_Tip->isVisible());
    const QRect tip = w.tx_Tip->geometry();
    const QRect fila5 = w.tx_Cmd->cursorRect(QTextCursor(w.tx_Cmd->document()->findBlockByNumber(5)))
                            .translated(w.tx_Cmd->viewport()->mapTo(w.tx_Tip->parentWidget(), QPoint(0, 0)));
    EXPECT_NEAR(tip.top(), fila5.top(), Fila(w));
    // Given the focus, it hands it back.
    w.tx_Tip->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(w.tx_Cmd->hasFocus());

    // A click on the tip lands on the row beneath it; the tip's text is never selected.
    if (QApplication::clipboard()->supportsSelection()) QApplication::clipboard()->setText(QString(), QClipboard::Selection);
    const QPoint enTip = w.tx_Tip->mapTo(&w, QPoint(tip.width() / 2, tip.height() / 2));
    EXPECT_NE(w.childAt(enTip), w.tx_Tip->viewport());
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, enTip);
    QTest::mouseMove(w.windowHandle(), enTip + QPoint(40, 0));
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, enTip + QPoint(40, 0));
    const int linea = w.tx_Cmd->cursorForPosition(w.tx_Cmd->viewport()->mapFrom(&w, enTip)).blockNumber();
    EXPECT_EQ(Caret(w).linea, linea);
    EXPECT_FALSE(w.tx_Tip->textCursor().hasSelection());
    if (QApplication::clipboard()->supportsSelection()) {
        EXPECT_FALSE(QApplication::clipboard()->text(QClipboard::Selection).contains(QStringLiteral("nReloj")));
    }
    EXPECT_TRUE(w.tx_Cmd->hasFocus());
}

// ---- Tabs ----

TEST(Pantalla, EndOnAPastedTabSeparatedRowShowsTheCaret) {
    VentanaPrueba w;
    w.Escribir(QStringLiteral("x"));
    w.Tecla(Qt::Key_Backspace);
    // Few characters, but drawn wider than the pane.
    QApplication::clipboard()->setText(QStringLiteral("1\t12345678\t01\t02\tJuan"));
    w.Tecla(Qt::Key_V, Qt::ControlModifier);
    w.Tecla(Qt::Key_Home);
    w.Tecla(Qt::Key_End);
    QApplication::processEvents();
    const QRect vista = w.tx_Cmd->viewport()->rect();
    const QRect caret = w.tx_Cmd->cursorRect();
    EXPECT_TRUE(vista.contains(caret.center())) << caret.x() << " en " << vista.width();
    EXPECT_GT(w.tx_Cmd->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(w.tx_Cmd->horizontalScrollBar()->value(), 0);
    // The last word is drawn, not cut off: its last letter is in view.
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.tx_Cmd);
    const int fin = w.tx_Cmd->document()->characterCount() - 2;
    const QRect letra = a->textInterface()->characterRect(fin);
    const QRect global(w.tx_Cmd->viewport()->mapToGlobal(QPoint(0, 0)), vista.size());
    EXPECT_TRUE(global.contains(letra.center()));
}

// ---- The bottom row ----

TEST(Pantalla, EveryCommandRowShownHasItsCodeLineAndNumberInView) {
    VentanaPrueba w;
    // Short command lines; one code line (an error listing every bad
    // character) wider than the code pane. The caret on the new line below
    // them, where lines are appended.
    QStringList lineas(30, QStringLiteral("fech 1,5/12/2026,9:05"));
    lineas[0] = QStringLiteral("cmd xxxxxxxxxxxxxxxxxxxx");
    w.Lineas(lineas << QString());
    w.Caret(0, 3);
    w.Tecla(Qt::Key_Down);   // the chain compiles and colours them all
    w.Tecla(Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_EQ(Caret(w), (Punto{30, 0}));
    const QFontMetrics medida(w.tx_Cod->font());
    ASSERT_GT(medida.horizontalAdvance(w.Cod().TextoLinea(0)), w.tx_Cod->viewport()->width());
    for (int i = 0; i < 30; ++i) ASSERT_LT(medida.horizontalAdvance(w.Linea(i)), w.tx_Cmd->viewport()->width());
    const std::vector<int> cmd = FilasEnVista(w.tx_Cmd);
    const std::vector<int> cod = FilasEnVista(w.tx_Cod);
    ASSERT_FALSE(cmd.empty());
    EXPECT_EQ(cmd.back(), 30) << "the caret's row, where lines are appended";
    EXPECT_EQ(cmd, cod);
    // The gutter numbers every row shown, each drawn whole inside the gutter.
    const QStringList numeros = w.tx_NroLin->text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const int desplazamiento = w.tx_Cmd->frameWidth() + static_cast<int>(w.tx_Cmd->document()->documentMargin());
    for (size_t k = 0; k < cmd.size(); ++k) {
        ASSERT_LT(static_cast<int>(k), numeros.size());
        EXPECT_EQ(numeros[static_cast<int>(k)].trimmed(), QString::number(cmd[k] + 1));
        EXPECT_LE(desplazamiento + static_cast<int>(k + 1) * Fila(w), w.tx_NroLin->height()) << k;
    }
    // The code line of the last command above the caret is painted beside it.
    const QImage img = w.tx_Cod->viewport()->grab().toImage();
    const int margen = VistaCodigo::kMargen;
    const int y0 = margen + static_cast<int>(cmd.size() - 2) * Fila(w);
    bool tinta = false;
    for (int y = y0; y < y0 + Fila(w) && y < img.height(); ++y)
        for (int x = 0; x < 80; ++x) tinta = tinta || img.pixelColor(x, y).lightness() < 100;
    EXPECT_TRUE(tinta);
}

// ---- Clicks ----

TEST(Pantalla, AClickAnywhereInARowPutsTheCaretOnThatRow) {
    VentanaPrueba w;
    w.Lineas(Numeradas(60, QStringLiteral("INIA %1")));
    const int margen = static_cast<int>(w.tx_Cmd->document()->documentMargin());
    for (int arriba : {0, 20}) {
        w.tx_Cmd->verticalScrollBar()->setValue(arriba * Fila(w));
        const std::vector<int> filas = FilasEnVista(w.tx_Cmd);
        ASSERT_GE(filas.size(), 10u);
        for (size_t k = 0; k < filas.size(); ++k) {
            const int tope = margen + static_cast<int>(k) * Fila(w);
            for (int y : {tope, tope + Fila(w) / 2, tope + Fila(w) - 1}) {
                QTest::mouseClick(w.tx_Cmd->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, y));
                EXPECT_EQ(Caret(w).linea, filas[k]) << "y " << y;
            }
        }
    }
}

}   // namespace
