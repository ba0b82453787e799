#pragma once
#include <QAbstractTextDocumentLayout>
#include <QTextLine>
#include <map>
#include <memory>

class QTextBlock;
class QTextLayout;

// Layout of a pane that holds plain lines in rows of one fixed height: each
// block is one row, and a row's place follows from its number. So only the
// rows that are painted, clicked or asked about are ever laid out; a text of
// 100,000 lines costs no more to show than one of twenty. Qt's own layout
// lays out every block after each change, which is what made long scripts slow.
//
// The baseline sits where Qt's fixed-height rows put it (four fifths down the
// row), so text looks the same as under Qt's layout.
class DiagramaFilas : public QAbstractTextDocumentLayout {
    Q_OBJECT
public:
    DiagramaFilas(QTextDocument* doc, int alturaFila);

    int AlturaFila() const { return v_AlturaFila; }
    void SetAlturaFila(int px);
    // Row under a y coordinate of the document, clamped to the rows there are.
    int FilaEn(qreal y) const;
    // Lays a row's text out on one line with its baseline where the rows have
    // it (the code pane lays out its rows the same way).
    static QTextLine UnaFila(QTextLayout& capa, int alturaFila);
    // Characters of a line that are laid out and drawn. A wrong file opened
    // by mistake (an export, a dump with few line ends) may hold a line of
    // millions: Qt's text layout of such a line took seconds and hundreds of
    // megabytes, and past a few million pixels its coordinates overflow and
    // the line was drawn garbled. The text itself stays whole; only its
    // drawing ends there, and so does the pane's width.
    static constexpr int kColumnasVisibles = 20000;

    void draw(QPainter* pintor, const PaintContext& contexto) override;
    int hitTest(const QPointF& punto, Qt::HitTestAccuracy exactitud) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* marco) const override;
    QRectF blockBoundingRect(const QTextBlock& bloque) const override;

protected:
    void documentChanged(int desde, int quitados, int agregados) override;

private:
    qreal Margen() const;
    qreal Columna() const;   // width of one character of the text's fixed-pitch font
    // Columns a line takes as drawn: a TAB reaches the next tab stop. Lines
    // with a TAB keep their count in the block's user state (-1 without one),
    // so that the widest line is found without reading every line again.
    int ColumnasDe(const QTextBlock& bloque) const;
    void MedirTabs(QTextBlock& bloque, QStringView texto) const;
    qreal TopeFila(int fila) const;
    // The layout that draws the block, laid out if it is not: the block's
    // own, or for a line longer than kColumnasVisibles one of its first part.
    QTextLayout* Diagramar(const QTextBlock& bloque) const;
    void OlvidarLargas(int desdeBloque);

    int v_AlturaFila;
    // The widest line, in characters and as laid out: the width of the text
    // is known without laying it all out.
    mutable int v_Columnas = 0;
    mutable bool v_Recontar = true;
    mutable qreal v_AnchoVisto = 0;
    QSizeF v_Tamano;
    // The first part of each long line, by block number.
    mutable std::map<int, std::unique_ptr<QTextLayout>> v_Largas;
};
