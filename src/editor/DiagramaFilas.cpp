#include "DiagramaFilas.h"
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextFragment>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {
constexpr qreal kSinLimite = 1e9;
constexpr int kBloquesSueltos = 64;   // fewer changed blocks are read one by one

int AnchoCursor(const QObject& capa) {
    bool ok = false;
    const int ancho = capa.property("cursorWidth").toInt(&ok);
    return ok ? ancho : 1;
}
}   // namespace

DiagramaFilas::DiagramaFilas(QTextDocument* doc, int alturaFila)
    : QAbstractTextDocumentLayout(doc), v_AlturaFila(std::max(1, alturaFila)) {
    // Without wrapping, the width the text box offers is of no use here.
    setProperty("contentHasAlignment", false);
}

void DiagramaFilas::SetAlturaFila(int px) {
    px = std::max(1, px);
    if (px == v_AlturaFila) return;
    v_AlturaFila = px;
    documentChanged(0, 0, document()->characterCount());
}

qreal DiagramaFilas::Margen() const { return document()->documentMargin(); }

qreal DiagramaFilas::TopeFila(int fila) const { return Margen() + qreal(fila) * v_AlturaFila; }

int DiagramaFilas::FilaEn(qreal y) const {
    const int fila = static_cast<int>(std::floor((y - Margen()) / v_AlturaFila));
    return std::clamp(fila, 0, std::max(0, document()->blockCount() - 1));
}

QTextLayout* DiagramaFilas::Diagramar(const QTextBlock& bloque) const {
    const bool larga = bloque.length() - 1 > kColumnasVisibles;
    QTextLayout* capa = bloque.layout();
    if (larga) {
        // The block's own layout is left empty: Qt would lay out the whole line.
        std::unique_ptr<QTextLayout>& parte = v_Largas[bloque.blockNumber()];
        if (!parte) {
            parte = std::make_unique<QTextLayout>(bloque.text().left(kColumnasVisibles), document()->defaultFont());
            QList<QTextLayout::FormatRange> formatos;
            for (auto it = bloque.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                const int desde = f.position() - bloque.position();
                if (desde >= kColumnasVisibles) break;
                formatos.append({desde, std::min(f.length(), kColumnasVisibles - desde), f.charFormat()});
            }
            parte->setFormats(formatos);
        }
        capa = parte.get();
    }
    if (capa->lineCount() > 0) return capa;
    QTextOption opcion = document()->defaultTextOption();
    opcion.setWrapMode(QTextOption::NoWrap);
    capa->setTextOption(opcion);
    const QTextLine linea = UnaFila(*capa, v_AlturaFila);
    capa->setPosition(QPointF(0, 0));
    if (linea.isValid()) v_AnchoVisto = std::max(v_AnchoVisto, linea.naturalTextWidth());
    return capa;
}

void DiagramaFilas::OlvidarLargas(int desdeBloque) { v_Largas.erase(v_Largas.lower_bound(desdeBloque), v_Largas.end()); }

QTextLine DiagramaFilas::UnaFila(QTextLayout& capa, int alturaFila) {
    capa.beginLayout();
    QTextLine linea = capa.createLine();
    if (linea.isValid()) {
        linea.setLeadingIncluded(true);
        linea.setLineWidth(kSinLimite);
        // The baseline four fifths down the row, in Qt's 1/64 pixel units.
        const qreal alto = std::round((linea.ascent() + std::max<qreal>(linea.leading(), 0)) * 64);
        const qreal ajuste = alto - std::floor(alturaFila * 64 * 4 / 5.0);
        linea.setPosition(QPointF(0, -ajuste / 64));
        // A single row: whatever is left is laid out on it too.
        while (capa.createLine().isValid()) {
        }
    }
    capa.endLayout();
    return linea;
}

QRectF DiagramaFilas::blockBoundingRect(const QTextBlock& bloque) const {
    if (!bloque.isValid()) return {};
    const QTextLayout* capa = Diagramar(bloque);
    const qreal ancho = capa->lineCount() > 0 ? capa->lineAt(0).naturalTextWidth() : 0;
    return {QPointF(Margen(), TopeFila(bloque.blockNumber())), QSizeF(ancho, v_AlturaFila)};
}

qreal DiagramaFilas::Columna() const {
    QFont negrita = document()->defaultFont();
    negrita.setBold(true);
    return std::max(QFontMetricsF(document()->defaultFont()).horizontalAdvance(QLatin1Char('M')),
                    QFontMetricsF(negrita).horizontalAdvance(QLatin1Char('M')));
}

int DiagramaFilas::ColumnasDe(const QTextBlock& bloque) const {
    const int conTabs = bloque.userState();
    return std::min(conTabs >= 0 ? conTabs : bloque.length() - 1, kColumnasVisibles);
}

void DiagramaFilas::MedirTabs(QTextBlock& bloque, QStringView texto) const {
    if (!texto.contains(QLatin1Char('\t'))) {
        if (bloque.userState() != -1) bloque.setUserState(-1);
        return;
    }
    const qreal columna = Columna();
    const qreal tope = document()->defaultTextOption().tabStopDistance();
    qreal x = 0;
    for (const QChar c : texto) x = c == QLatin1Char('\t') && tope > 0 ? (std::floor(x / tope) + 1) * tope : x + columna;
    bloque.setUserState(static_cast<int>(std::ceil(x / columna)));
}

QRectF DiagramaFilas::frameBoundingRect(QTextFrame*) const { return {QPointF(0, 0), documentSize()}; }

QSizeF DiagramaFilas::documentSize() const {
    QTextDocument* doc = document();
    if (v_Recontar) {
        // A walk over the blocks' lengths, without laying anything out.
        v_Columnas = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) v_Columnas = std::max(v_Columnas, ColumnasDe(b));
        v_Recontar = false;
    }
    const qreal columna = Columna();
    const qreal texto = std::max(v_Columnas * columna, v_AnchoVisto);
    const qreal margen = Margen();
    return {std::ceil(texto + 2 * margen + AnchoCursor(*this)), 2 * margen + qreal(doc->blockCount()) * v_AlturaFila};
}

void DiagramaFilas::documentChanged(int desde, int quitados, int agregados) {
    QTextDocument* doc = document();
    // Changed blocks are laid out again when next needed.
    const QTextBlock primero = doc->findBlock(desde);
    // Long lines from the change on are cut again (their numbers may have moved).
    OlvidarLargas(primero.isValid() ? primero.blockNumber() : 0);
    // A change to the end of the text names the position past it.
    QTextBlock ultimo = doc->findBlock(std::max(desde, desde + agregados));
    if (!ultimo.isValid()) ultimo = doc->lastBlock();
    // A change of much of a long text (a whole file) reads the text in one
    // piece: a string for each block took seven times as long. A smaller
    // change reads only its blocks, so slices added to a long text do not
    // copy it whole each time.
    const int cambiados = ultimo.blockNumber() - primero.blockNumber() + 1;
    const bool muchos = primero.isValid() && cambiados > kBloquesSueltos && cambiados * 4 >= doc->blockCount();
    // The document's text holds one character per position (a break is one).
    const QString texto = muchos ? doc->toRawText() : QString();
    qsizetype enTexto = primero.position();
    for (QTextBlock b = primero; b.isValid(); b = b.next()) {
        b.clearLayout();
        if (muchos)
            MedirTabs(b, QStringView(texto).mid(enTexto, b.length() - 1));
        else
            MedirTabs(b, b.text());
        enTexto += b.length();
        if (!v_Recontar) v_Columnas = std::max(v_Columnas, ColumnasDe(b));
        if (b == ultimo) break;
    }
    if (quitados > 0) {
        v_Recontar = true;
        v_AnchoVisto = 0;
    }
    const QSizeF tamano = documentSize();
    Q_EMIT update(QRectF(0, TopeFila(primero.isValid() ? primero.blockNumber() : 0), kSinLimite, kSinLimite));
    if (tamano != v_Tamano) {
        v_Tamano = tamano;
        Q_EMIT documentSizeChanged(tamano);
    }
}

int DiagramaFilas::hitTest(const QPointF& punto, Qt::HitTestAccuracy exactitud) const {
    QTextDocument* doc = document();
    const qreal y = punto.y() - Margen();
    if (exactitud == Qt::ExactHit && (y < 0 || y >= qreal(doc->blockCount()) * v_AlturaFila)) return -1;
    const QTextBlock bloque = doc->findBlockByNumber(FilaEn(punto.y()));
    const QTextLine linea = Diagramar(bloque)->lineAt(0);
    if (!linea.isValid()) return bloque.position();
    const qreal x = punto.x() - Margen();
    if (exactitud == Qt::ExactHit && (x < 0 || x > linea.naturalTextWidth())) return -1;
    return bloque.position() + linea.xToCursor(x);
}

void DiagramaFilas::draw(QPainter* pintor, const PaintContext& contexto) {
    QTextDocument* doc = document();
    const QRectF recorte = contexto.clip.isValid() ? contexto.clip : QRectF(0, 0, kSinLimite, kSinLimite);
    const int primera = FilaEn(recorte.top());
    const int ultima = FilaEn(recorte.bottom());
    const int anchoCursor = AnchoCursor(*this);
    const QPen pluma = pintor->pen();
    pintor->setPen(contexto.palette.color(QPalette::Text));
    QTextBlock bloque = doc->findBlockByNumber(primera);
    for (int fila = primera; fila <= ultima && bloque.isValid(); ++fila, bloque = bloque.next()) {
        QTextLayout* capa = Diagramar(bloque);
        const int inicio = bloque.position();
        const int largo = bloque.length();
        // Selections as the text box hands them, cut to this row (as Qt's layout does).
        QList<QTextLayout::FormatRange> marcas;
        for (const Selection& s : contexto.selections) {
            const int desde = s.cursor.selectionStart() - inicio;
            const int hasta = s.cursor.selectionEnd() - inicio;
            if (desde < largo && hasta > 0 && hasta > desde) {
                marcas.append({desde, hasta - desde, s.format});
            } else if (!s.cursor.hasSelection() && s.format.hasProperty(QTextFormat::FullWidthSelection) &&
                       bloque.contains(s.cursor.position())) {
                marcas.append({0, largo, s.format});
            }
        }
        const QPointF origen(Margen(), TopeFila(fila));
        capa->draw(pintor, origen, marcas, recorte);
        const int cursor = contexto.cursorPosition;
        if (cursor >= inicio && cursor < inicio + largo && cursor - inicio <= kColumnasVisibles)
            capa->drawCursor(pintor, origen, cursor - inicio, anchoCursor);
    }
    pintor->setPen(pluma);
}
