// The code pane as the user meets it: the rows it paints, what can be
// selected and copied from it, and what a screen reader reads.
#include "VentanaPrueba.h"
#include "VistaCodigo.h"
#include <QClipboard>
#include <QFontMetricsF>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
int Fila(const VentanaPrueba& w) { return w.Escala().Px(225); }
qreal Columna(const VentanaPrueba& w) { return QFontMetricsF(w.tx_Cod->font()).horizontalAdvance(u'A'); }
bool Rojo(const QColor& c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; }
bool Oscuro(const QColor& c) { return c.lightness() < 100 && !Rojo(c); }

// Middle of a character cell of the code pane's viewport, at the top of the view.
QPoint Celda(const VentanaPrueba& w, int fila, int columna) {
    return {VistaCodigo::kMargen + static_cast<int>((columna + 0.25) * Columna(w)), VistaCodigo::kMargen + fila * Fila(w) + Fila(w) / 2};
}

void Arrastrar(QWidget* vista, QPoint desde, QPoint hasta) {
    QTest::mousePress(vista, Qt::LeftButton, {}, desde);
    QMouseEvent mover(QEvent::MouseMove, hasta, vista->mapToGlobal(hasta), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vista, &mover);
    QTest::mouseRelease(vista, Qt::LeftButton, {}, hasta);
}
}   // namespace

TEST(VistaCodigo, ALongPaneScrolledToTheMiddlePaintsTheRightRowsInTheirColours) {
    VentanaPrueba w;
    constexpr int kLineas = 10000, kArriba = 5000;
    QStringList comandos, codigo;
    for (int i = 0; i < kLineas; ++i) {
        comandos << QStringLiteral("-- %1").arg(i);
        codigo << QStringList(i % 5 + 1, QStringLiteral("AA")).join(u' ');   // 2, 5, 8, 11 or 14 characters
    }
    w.Lineas(comandos);
    w.Cod().SetText(codigo.join(QStringLiteral("\r\n")));
    for (int i = 0; i < kLineas; i += 3) {   // every third line an error line
        w.Cod().SetSelStart(w.Cod().LineIndex(i));
        w.Cod().SetSelLength(static_cast<int>(codigo[i].size()));
        w.Cod().SetSelColor(Colores::Rojo);
    }
    w.Caret(kArriba + 2, 1);
    w.Cmd().LineScroll(kArriba - w.Cmd().FirstVisibleLine());
    w.Tecla(Qt::Key_Shift);   // the code pane follows the command pane
    QApplication::processEvents();
    ASSERT_EQ(w.Cod().FirstVisibleLine(), kArriba);
    EXPECT_EQ(w.tx_Cod->verticalScrollBar()->value(), w.tx_Cmd->verticalScrollBar()->value());

    const QImage img = w.tx_Cod->viewport()->grab().toImage();
    const int filas = w.tx_Cod->FilasEnVista();
    ASSERT_GE(filas, 10);
    for (int k = 0; k < filas; ++k) {
        const int linea = kArriba + k;
        SCOPED_TRACE(linea);
        int derecha = -1, rojos = 0, oscuros = 0;
        for (int y = VistaCodigo::kMargen + k * Fila(w); y < VistaCodigo::kMargen + (k + 1) * Fila(w); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (Rojo(c)) ++rojos;
                if (Oscuro(c)) ++oscuros;
                if (Rojo(c) || Oscuro(c)) derecha = x;
            }
        // The row's ink ends where its line's last character does.
        const qreal ancho = codigo[linea].size() * Columna(w);
        EXPECT_GT(derecha, VistaCodigo::kMargen + ancho - Columna(w));
        EXPECT_LE(derecha, VistaCodigo::kMargen + ancho + 1);
        EXPECT_EQ(rojos > 0, linea % 3 == 0);
        EXPECT_EQ(oscuros > 0, linea % 3 != 0);
    }
}

TEST(VistaCodigo, ItsTextIsSelectedWithTheMouseOrTheKeysAndCopied) {
    struct Caso {
        const char* nombre;
        std::function<void(VentanaPrueba&, QWidget*)> seleccionar;
        QString copiado;
    };
    const Caso casos[] = {
        {"arrastre", [](VentanaPrueba& w, QWidget* v) { Arrastrar(v, Celda(w, 0, 3), Celda(w, 1, 5)); },
         QStringLiteral("52 31 41 03 23\nLinea")},
        {"doble clic", [](VentanaPrueba& w, QWidget* v) { QTest::mouseDClick(v, Qt::LeftButton, {}, Celda(w, 0, 4)); },
         QStringLiteral("52")},
        {"mayusculas y flechas",
         [](VentanaPrueba& w, QWidget* v) {
             QTest::mouseClick(v, Qt::LeftButton, {}, Celda(w, 1, 0));
             QTest::keyClick(w.tx_Cod, Qt::Key_Down, Qt::ShiftModifier);
             QTest::keyClick(w.tx_Cod, Qt::Key_Right, Qt::ShiftModifier);
             QTest::keyClick(w.tx_Cod, Qt::Key_Right, Qt::ShiftModifier);
         },
         QStringLiteral("Linea 2 - ERROR!\n06")},
        {"hasta el fin de la linea",
         [](VentanaPrueba& w, QWidget* v) {
             QTest::mouseClick(v, Qt::LeftButton, {}, Celda(w, 2, 1));
             QTest::keyClick(w.tx_Cod, Qt::Key_Home, Qt::ControlModifier);
             QTest::keyClick(w.tx_Cod, Qt::Key_End, Qt::ShiftModifier);
         },
         QStringLiteral("02 52 31 41 03 23")},
        {"todo",
         [](VentanaPrueba& w, QWidget* v) {
             QTest::mouseClick(v, Qt::LeftButton, {}, Celda(w, 1, 1));
             QTest::keyClick(w.tx_Cod, Qt::Key_A, Qt::ControlModifier);
         },
         QStringLiteral("02 52 31 41 03 23\nLinea 2 - ERROR!\n06 07")},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        VentanaPrueba w;
        w.Cod().SetText(QStringLiteral("02 52 31 41 03 23\r\nLinea 2 - ERROR!\r\n06 07"));
        QApplication::processEvents();
        caso.seleccionar(w, w.tx_Cod->viewport());
        EXPECT_EQ(QApplication::focusWidget(), w.tx_Cod);
        QApplication::clipboard()->clear();
        QTest::keyClick(w.tx_Cod, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), caso.copiado);
        // The selection is painted in the palette's highlight.
        const QImage img = w.tx_Cod->viewport()->grab().toImage();
        const QColor marca = w.tx_Cod->palette().color(QPalette::Active, QPalette::Highlight);
        int marcados = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) marcados += img.pixelColor(x, y) == marca;
        EXPECT_GT(marcados, caso.copiado.size() * Columna(w));
        // Keys that would write are refused: the model keeps its text.
        QTest::keyClicks(w.tx_Cod, QStringLiteral("x"));
        QTest::keyClick(w.tx_Cod, Qt::Key_Delete);
        EXPECT_EQ(w.Cod().Text(), QStringLiteral("02 52 31 41 03 23\r\nLinea 2 - ERROR!\r\n06 07"));
    }
}

TEST(VistaCodigo, ItsContextMenuCopiesAndSelectsAll) {
    VentanaPrueba w;
    w.Cod().SetText(QStringLiteral("02 52 31 41 03 23\r\n06 07"));
    QApplication::processEvents();
    QWidget* vista = w.tx_Cod->viewport();
    auto elegir = [vista](const QString& nombre) {
        QStringList vistas;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) vistas << a->objectName() + (a->isEnabled() ? QString() : QStringLiteral("(no)"));
            for (QAction* a : menu->actions())
                if (a->objectName() == nombre) a->trigger();
            menu->close();
        });
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(10, 10), vista->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(vista, &e);
        return vistas;
    };
    EXPECT_EQ(elegir(QStringLiteral("select-all")), (QStringList{QStringLiteral("edit-copy(no)"), QStringLiteral("select-all")}));
    QApplication::clipboard()->clear();
    EXPECT_EQ(elegir(QStringLiteral("edit-copy")), (QStringList{QStringLiteral("edit-copy"), QStringLiteral("select-all")}));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("02 52 31 41 03 23\n06 07"));
}

TEST(VistaCodigo, AScreenReaderReadsItsLinesRunsAndPlaces) {
    VentanaPrueba w;
    w.Cod().SetText(QStringLiteral("02 52 31\r\nLinea 2 - ERROR!\r\n06"));
    w.Cod().SetSelStart(3);
    w.Cod().SetSelLength(2);
    w.Cod().SetSelBold(true);
    w.Cod().SetSelItalic(true);
    w.Cod().SetSelColor(ColorRGB{0, 0, 200});
    QApplication::processEvents();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.tx_Cod);
    ASSERT_NE(a, nullptr);
    QAccessibleTextInterface* t = a->textInterface();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Código"));
    EXPECT_TRUE(a->state().readOnly);
    EXPECT_EQ(a->text(QAccessible::Value), QStringLiteral("02 52 31\nLinea 2 - ERROR!\n06"));
    struct Caso {
        int posicion;
        QString atributos;
        int desde, hasta;
    };
    const QString negro = QStringLiteral("font-weight:normal;font-style:normal;color:rgb(0,0,0);");
    const Caso casos[] = {
        {0, negro, 0, 3},
        {4, QStringLiteral("font-weight:bold;font-style:italic;color:rgb(0,0,200);"), 3, 5},
        {6, negro, 5, 8},
        {8, negro, 8, 9},   // the line break
        {27, negro, 26, 28},
    };
    for (const Caso& c : casos) {
        int desde = -1, hasta = -1;
        EXPECT_EQ(t->attributes(c.posicion, &desde, &hasta), c.atributos) << c.posicion;
        EXPECT_EQ(std::pair(desde, hasta), std::pair(c.desde, c.hasta)) << c.posicion;
    }
    int desde = 0, hasta = 0;
    EXPECT_EQ(t->textAtOffset(12, QAccessible::LineBoundary, &desde, &hasta), QStringLiteral("Linea 2 - ERROR!"));
    EXPECT_EQ(std::pair(desde, hasta), std::pair(9, 25));
    EXPECT_EQ(t->textAtOffset(12, QAccessible::WordBoundary, &desde, &hasta), QStringLiteral("Linea"));
    // Each character is where it is drawn, and found there again.
    for (int p : {0, 4, 9, 20, 26, 28}) {
        const QRect r = t->characterRect(p);
        EXPECT_TRUE(QRect(w.tx_Cod->viewport()->mapToGlobal(QPoint(0, 0)), w.tx_Cod->viewport()->size()).contains(r)) << p;
        EXPECT_EQ(t->offsetAtPoint(r.topLeft() + QPoint(1, r.height() / 2)), p) << p;
    }
    t->setSelection(0, 9, 14);
    EXPECT_EQ(t->selectionCount(), 1);
    QTest::keyClick(w.tx_Cod, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Linea"));
    // Pasted into a document, the copy keeps its colours and weight.
    t->setSelection(0, 2, 6);
    QTest::keyClick(w.tx_Cod, Qt::Key_C, Qt::ControlModifier);
    const QString html = QApplication::clipboard()->mimeData()->html();
    EXPECT_TRUE(html.contains(QStringLiteral("color:#000000;font-weight:400;font-style:normal\"> </span>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("color:#0000c8;font-weight:700;font-style:italic\">52</span>"))) << html.toStdString();
}
