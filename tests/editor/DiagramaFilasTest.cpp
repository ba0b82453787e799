// The command and code panes lay out only the rows they show: a row's place
// follows from its number. Opening a long script must not lay out every line,
// and what is shown, clicked and scrolled must still fall on the right row.
#include "CarpetaPrueba.h"
#include "DiagramaFilas.h"
#include "EtiquetaLineas.h"
#include "PanelEspejo.h"
#include "VentanaPrueba.h"
#include <QScrollBar>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

int Diagramados(const QTextDocument* doc) {
    int n = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (b.layout() && b.layout()->lineCount() > 0) ++n;
    return n;
}

QString Guion(int lineas) {
    QString t;
    for (int i = 0; i < lineas; ++i) t += (i % 3 ? QStringLiteral("INIA %1") : QStringLiteral("HOLA %1")).arg(i % 9) + QStringLiteral("\r\n");
    return t;
}

class DiagramaFilasTest : public ::testing::Test {
protected:
    VentanaPrueba w;
    QTextDocument* Doc(QTextEdit* caja) { return caja->document(); }
    DiagramaFilas* Capa(QTextEdit* caja) { return qobject_cast<DiagramaFilas*>(caja->document()->documentLayout()); }
    int Alto() { return Capa(w.tx_Cmd)->AlturaFila(); }
    void Abrir(int lineas) {
        const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("largo.txt"));
        ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, Guion(lineas).toLatin1()));
        w.AbrirPorMenu(ruta);
    }
};

TEST_F(DiagramaFilasTest, OpeningALongScriptLaysOutOnlyTheRowsShown) {
    Abrir(5000);
    ASSERT_NE(Capa(w.tx_Cmd), nullptr) << "a load must not bring Qt's own layout back";
    QApplication::processEvents();
    EXPECT_EQ(Doc(w.tx_Cmd)->blockCount(), 5001);
    EXPECT_LT(Diagramados(Doc(w.tx_Cmd)), 100);
    // The whole height is known all the same: the scroll bar reaches the last row.
    const qreal margen = Doc(w.tx_Cmd)->documentMargin();
    EXPECT_DOUBLE_EQ(Capa(w.tx_Cmd)->documentSize().height(), 5001.0 * Alto() + 2 * margen);
    // The caret is at the end and the end is shown, on whole rows, with the gutter and the code pane beside it.
    EXPECT_EQ(w.Cmd().FirstVisibleLine(), w.Cod().FirstVisibleLine());
    EXPECT_EQ(w.tx_Cod->verticalScrollBar()->value(), w.tx_Cmd->verticalScrollBar()->value());
    EXPECT_EQ(w.tx_Cod->verticalScrollBar()->maximum() % Alto(), 0);
    EXPECT_EQ(w.tx_Cmd->verticalScrollBar()->value() % Alto(), 0);
    EXPECT_TRUE(w.tx_NroLin->text().startsWith(QString::number(w.Cmd().FirstVisibleLine() + 1) + QLatin1Char(' ')));
    EXPECT_GT(w.Cmd().FirstVisibleLine(), 4980);
}

// (Clicks inside each row: Pantalla.AClickAnywhereInARowPutsTheCaretOnThatRow.)
TEST_F(DiagramaFilasTest, TheCaretIsDrawnOnItsLinesRowAndClicksBesideTheTextFallOnTheNearestLine) {
    w.Lineas({QStringLiteral("INIA 1"), QStringLiteral("LREG 2"), QStringLiteral("-- nota larga"), QStringLiteral("INIB 3")});
    const qreal margen = Doc(w.tx_Cmd)->documentMargin();
    for (int linea = 0; linea < 4; ++linea) {
        SCOPED_TRACE(linea);
        w.Caret(linea, 2);
        const QRect r = w.tx_Cmd->cursorRect();
        EXPECT_GE(r.center().y(), margen + linea * Alto());
        EXPECT_LT(r.center().y(), margen + (linea + 1) * Alto());
    }
    // Far right of a line: the end of that line; below the text: the last line.
    QTest::mouseClick(w.tx_Cmd->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(w.tx_Cmd->viewport()->width() - 5, static_cast<int>(margen) + Alto() / 2));
    EXPECT_EQ(w.Cmd().SelStart(), 6);
    QTest::mouseClick(w.tx_Cmd->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, w.tx_Cmd->viewport()->height() - 3));
    EXPECT_EQ(w.Cmd().LineFromChar(-1), 3);
}

TEST_F(DiagramaFilasTest, TheWidthFollowsTheLongestLineAndShrinksWhenItGoes) {
    QScrollBar* barra = w.tx_Cod->horizontalScrollBar();
    QApplication::processEvents();
    EXPECT_EQ(barra->maximum(), 0);
    w.Cod().AgregarLinea(QString(300, QLatin1Char('A')), nullptr);
    QApplication::processEvents();
    EXPECT_GT(barra->maximum(), 1000);
    w.Cod().SetText(QStringLiteral("02 52 31 41 03 23"));
    QApplication::processEvents();
    EXPECT_EQ(barra->maximum(), 0);
}

TEST_F(DiagramaFilasTest, RowsArePaintedWhereTheirNumbersPutThem) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("dos.txt"));
    ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, "HOLA 1\r\n\r\n\r\nHOLA 2\r\n"));
    w.AbrirPorMenu(ruta);   // both unknown words red
    QApplication::processEvents();
    const QImage img = w.tx_Cmd->viewport()->grab().toImage();
    const int margen = static_cast<int>(Doc(w.tx_Cmd)->documentMargin());
    auto rojaEnFila = [&](int fila) {
        for (int y = margen + fila * Alto(); y < margen + (fila + 1) * Alto(); ++y)
            for (int x = 0; x < 60; ++x) {
                const QColor p = img.pixelColor(x, y);
                if (p.red() > 180 && p.green() < 90 && p.blue() < 90) return true;
            }
        return false;
    };
    EXPECT_TRUE(rojaEnFila(0));
    EXPECT_FALSE(rojaEnFila(1));
    EXPECT_FALSE(rojaEnFila(2));
    EXPECT_TRUE(rojaEnFila(3));
}

}   // namespace

namespace {
TEST(Gutter, LongNumbersLoseTheirBlankThenNarrowButKeepEveryDigit) {
    VentanaPrueba w;
    const QFontMetricsF medida(w.tx_NroLin->font());
    const int ancho = w.tx_NroLin->width();
    const auto corto = EtiquetaLineas::DibujoFila(QStringLiteral("41 "), medida, ancho);
    EXPECT_EQ(corto.texto, QStringLiteral("41 "));
    EXPECT_EQ(corto.escala, 1.0);
    // Scripts of tens of thousands of lines: five and six digits.
    for (const QString& fila : {QStringLiteral("99983 "), QStringLiteral("100000 "), QStringLiteral("1234567 ")}) {
        SCOPED_TRACE(fila.toStdString());
        const auto d = EtiquetaLineas::DibujoFila(fila, medida, ancho);
        EXPECT_EQ(d.texto, fila.trimmed());
        EXPECT_LE(medida.horizontalAdvance(d.texto) * d.escala, ancho + 0.01);
        EXPECT_GT(d.escala, 0.5);
    }
}
}   // namespace

// The widest line counts its TABs to the next tab stop, whether the text came
// in one line at a time or as a whole file in one change (read in one piece).
TEST(DiagramaFilas, TabsCountTheSameInLongAndShortChanges) {
    const struct {
        int lineas;
        int conTab;   // the line holding "\t\t\tx", -1 for none
    } casos[] = {{10, 0}, {10, 9}, {2000, 0}, {2000, 1000}, {2000, 1999}, {2000, -1}};
    auto ancho = [](const QStringList& lineas, bool deUnaVez) {
        QTextDocument doc;
        doc.setDocumentLayout(new DiagramaFilas(&doc, 16));
        QTextCursor c(&doc);
        if (deUnaVez) {
            c.insertText(lineas.join(QChar(u'\n')));
        } else {
            for (int i = 0; i < lineas.size(); ++i) c.insertText((i ? QStringLiteral("\n") : QString()) + lineas[i]);
        }
        return doc.documentLayout()->documentSize().width();
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(testing::Message() << caso.lineas << " lines, TAB on line " << caso.conTab);
        QStringList lineas;
        for (int i = 0; i < caso.lineas; ++i) lineas << (i == caso.conTab ? QStringLiteral("\t\t\tx") : QStringLiteral("INIA 1"));
        const qreal deUnaVez = ancho(lineas, true);
        EXPECT_DOUBLE_EQ(deUnaVez, ancho(lineas, false));
        if (caso.conTab >= 0) {
            EXPECT_GT(deUnaVez, ancho({QStringLiteral("INIA 1")}, true) * 2);
        }
    }
    // A long change that takes the TABs away narrows the text again.
    QTextDocument doc;
    doc.setDocumentLayout(new DiagramaFilas(&doc, 16));
    QTextCursor c(&doc);
    c.insertText(QStringList(500, QStringLiteral("\t\t\tx")).join(QChar(u'\n')));
    const qreal conTabs = doc.documentLayout()->documentSize().width();
    c.select(QTextCursor::Document);
    c.insertText(QStringList(500, QStringLiteral("x")).join(QChar(u'\n')));
    EXPECT_LT(doc.documentLayout()->documentSize().width(), conTabs / 2);
}
