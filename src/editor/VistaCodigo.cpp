// The code pane's rows: their scroll and how they are painted.
#include "VistaCodigo.h"
#include "AccesibleCodigo.h"
#include "DiagramaFilas.h"
#include "FilasEnteras.h"
#include "PanelMemoria.h"
#include "TextoAparte.h"
#include <QAccessible>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kAnchoCaret = 1;
constexpr int kPasoHorizontal = 20;   // as Qt's text boxes
}   // namespace

VistaCodigo::VistaCodigo(QWidget* padre) : QAbstractScrollArea(padre) {
    AccesibleCodigo::Instalar();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    horizontalScrollBar()->setSingleStep(kPasoHorizontal);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &VistaCodigo::AjustarScroll);
}

VistaCodigo::~VistaCodigo() = default;

void VistaCodigo::SetModelo(const PanelMemoria* modelo) {
    v_Modelo = modelo;
    Cambiado();
}

void VistaCodigo::Cambiado() {
    v_Medir = true;
    if (v_Pedida || isHidden()) return;
    // One follow-up for a whole pass of changes, however many lines it wrote.
    v_Pedida = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            v_Pedida = false;
            AjustarBarras();
            viewport()->update();
            // A screen reader hears that the text changed, once for a whole pass.
            if (QAccessible::isActive()) {
                QAccessibleValueChangeEvent cambio(this, Texto(0, Caracteres()));
                QAccessible::updateAccessibility(&cambio);
            }
        },
        Qt::QueuedConnection);
}

void VistaCodigo::SetAlturaFila(int px) {
    v_Altura = std::max(1, px);
    verticalScrollBar()->setSingleStep(v_Altura);
    v_Medir = true;
    AjustarBarras();
    viewport()->update();
}

// ---- Lines and positions ----

int VistaCodigo::Filas() const { return v_Modelo ? v_Modelo->LineCount() : 1; }

QString VistaCodigo::Linea(int n) const {
    return v_Modelo && n >= 0 && n < v_Modelo->LineCount() ? v_Modelo->Linea(n) : QString();
}

int VistaCodigo::Largo(int n) const {
    return v_Modelo && n >= 0 && n < v_Modelo->LineCount() ? v_Modelo->LargoLinea(n) : 0;
}

int VistaCodigo::Caracteres() const { return v_Modelo ? v_Modelo->Length() - (v_Modelo->LineCount() - 1) : 0; }

int VistaCodigo::Posicion(Punto p) const {
    if (!v_Modelo) return 0;
    // The model counts each break as CR LF.
    return v_Modelo->LineIndex(p.linea) - p.linea + p.columna;
}

VistaCodigo::Punto VistaCodigo::Ubicar(int posicion) const {
    if (!v_Modelo) return {};
    posicion = std::clamp(posicion, 0, Caracteres());
    int lo = 0, hi = Filas() - 1;   // the last line that starts at or before posicion
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (Posicion({mid, 0}) <= posicion)
            lo = mid;
        else
            hi = mid - 1;
    }
    return Dentro({lo, posicion - Posicion({lo, 0})});
}

VistaCodigo::Punto VistaCodigo::Dentro(Punto p) const {
    const int linea = std::clamp(p.linea, 0, Filas() - 1);
    return {linea, std::clamp(p.columna, 0, Largo(linea))};
}

QString VistaCodigo::Texto(int desde, int hasta) const {
    if (hasta < desde) std::swap(desde, hasta);
    const Punto a = Ubicar(desde), b = Ubicar(hasta);
    if (a.linea == b.linea) return Linea(a.linea).mid(a.columna, b.columna - a.columna);
    QString t = Linea(a.linea).mid(a.columna);
    for (int n = a.linea + 1; n < b.linea; ++n) t += u'\n' + Linea(n);
    return t + u'\n' + Linea(b.linea).left(b.columna);
}

// ---- Rows and scroll ----

int VistaCodigo::PrimeraVisible() const {
    if (v_Medir) const_cast<VistaCodigo*>(this)->AjustarBarras();
    // One pixel into the row: a row's top edge is also the bottom edge of the row above.
    return std::clamp((verticalScrollBar()->value() + 1) / v_Altura, 0, Filas() - 1);
}

int VistaCodigo::FilasEnVista() const { return std::max(0, (viewport()->height() - kMargen) / v_Altura); }

void VistaCodigo::Desplazar(int lineas) {
    if (lineas == 0) return;
    const int destino = std::clamp(PrimeraVisible() + lineas, 0, Filas() - 1);
    verticalScrollBar()->setValue(destino * v_Altura);
}

int VistaCodigo::Columnas(const QString& linea) const {
    if (!linea.contains(u'\t')) return static_cast<int>(linea.size());
    // A TAB reaches the next tab stop.
    QFont negrita = font();
    negrita.setBold(true);
    const qreal columna = std::max(QFontMetricsF(font()).horizontalAdvance(u'M'), QFontMetricsF(negrita).horizontalAdvance(u'M'));
    const qreal tope = QTextOption().tabStopDistance();
    qreal x = 0;
    for (const QChar c : linea) x = c == u'\t' && tope > 0 ? (std::floor(x / tope) + 1) * tope : x + columna;
    return static_cast<int>(std::ceil(x / columna));
}

void VistaCodigo::AjustarBarras() {
    if (v_Ajustando) return;
    v_Ajustando = true;
    if (v_Medir) {
        v_Medir = false;
        v_Columnas = 0;
        // Only a line with a TAB is read whole.
        for (int n = 0; n < Filas(); ++n)
            v_Columnas = std::max(v_Columnas, v_Modelo && v_Modelo->LineaContiene(n, u'\t') ? Columnas(Linea(n)) : Largo(n));
        v_Columnas = std::min(v_Columnas, DiagramaFilas::kColumnasVisibles);
    }
    // A strip under the text makes the scroll range end on a whole row.
    const int libre = viewport()->height() + v_Franja;
    const int franja = FilasEnteras::Franja(libre, 2 * kMargen, v_Altura);
    if (franja != v_Franja) {
        v_Franja = franja;
        setViewportMargins(0, 0, 0, franja);
    }
    QFont negrita = font();
    negrita.setBold(true);
    const qreal columna = std::max(QFontMetricsF(font()).horizontalAdvance(u'M'), QFontMetricsF(negrita).horizontalAdvance(u'M'));
    const int ancho = static_cast<int>(std::ceil(v_Columnas * columna + 2 * kMargen + kAnchoCaret));
    const int alto = 2 * kMargen + Filas() * v_Altura;
    const QSize vista = viewport()->size();
    verticalScrollBar()->setRange(0, std::max(0, alto - vista.height()));
    verticalScrollBar()->setPageStep(vista.height());
    horizontalScrollBar()->setRange(0, std::max(0, ancho - vista.width()));
    horizontalScrollBar()->setPageStep(vista.width());
    v_Ajustando = false;
}

void VistaCodigo::AjustarScroll(int valor) {
    if (v_Ajustando) return;
    const int destino = FilasEnteras::ValorEntero(valor, v_ScrollAnterior, v_Altura, verticalScrollBar()->maximum());
    v_ScrollAnterior = destino;
    if (destino != valor) {
        v_Ajustando = true;
        verticalScrollBar()->setValue(destino);
        v_Ajustando = false;
    }
}

void VistaCodigo::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    AjustarBarras();
}

// The model may have changed while the pane was hidden (a pass at work).
void VistaCodigo::showEvent(QShowEvent* e) {
    QAbstractScrollArea::showEvent(e);
    if (v_Medir) AjustarBarras();
}

void VistaCodigo::scrollContentsBy(int, int) { viewport()->update(); }

// ---- Painting ----

void VistaCodigo::Diagramar(QTextLayout& capa, int fila) const {
    // Only what the row can draw of a very long line.
    capa.setText(Linea(fila).left(DiagramaFilas::kColumnasVisibles));
    capa.setFont(font());
    QTextOption opcion;
    opcion.setWrapMode(QTextOption::NoWrap);
    capa.setTextOption(opcion);
    QList<QTextLayout::FormatRange> formatos;
    if (v_Modelo) {
        int desde = 0;
        const int largo = static_cast<int>(capa.text().size());
        for (const PanelMemoria::Tramo& t : v_Modelo->TramosDe(fila)) {
            if (desde >= largo) break;
            formatos.append({desde, std::min<int>(t.largo, largo - desde), TextoAparte::FormatoQt(t.formato)});
            desde += t.largo;
        }
    }
    capa.setFormats(formatos);
    DiagramaFilas::UnaFila(capa, v_Altura);
}

void VistaCodigo::paintEvent(QPaintEvent* e) {
    if (v_Medir) AjustarBarras();
    QPainter pintor(viewport());
    const QPoint desplazamiento(horizontalScrollBar()->value(), verticalScrollBar()->value());
    pintor.translate(-desplazamiento);
    const QRect recorte = e->rect().translated(desplazamiento);
    pintor.setClipRect(recorte, Qt::IntersectClip);
    pintor.setPen(palette().color(QPalette::Text));

    const int ultimaFila = Filas() - 1;
    const int primera = std::clamp((recorte.top() - kMargen) / v_Altura, 0, ultimaFila);
    const int ultima = std::clamp((recorte.bottom() - kMargen) / v_Altura, 0, ultimaFila);
    const Punto a = Dentro(std::min(v_Ancla, v_Caret)), b = Dentro(std::max(v_Ancla, v_Caret));
    const Punto caret = Dentro(v_Caret);
    // The selection as Qt's text boxes paint it: the palette's highlight, dimmed without focus.
    const QPalette::ColorGroup grupo = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextCharFormat marca;
    marca.setBackground(palette().brush(grupo, QPalette::Highlight));
    marca.setForeground(palette().brush(grupo, QPalette::HighlightedText));
    for (int fila = primera; fila <= ultima; ++fila) {
        QTextLayout capa;
        Diagramar(capa, fila);
        QList<QTextLayout::FormatRange> marcas;
        if (a != b && fila >= a.linea && fila <= b.linea) {
            // A selection that goes on past the row's end takes its line break too.
            const int desde = fila == a.linea ? a.columna : 0;
            const int hasta = fila == b.linea ? b.columna : Largo(fila) + 1;
            if (hasta > desde) marcas.append({desde, hasta - desde, marca});
        }
        const QPointF origen(kMargen, kMargen + qreal(fila) * v_Altura);
        capa.draw(&pintor, origen, marcas, recorte);
        if (v_CaretEncendido && fila == caret.linea) capa.drawCursor(&pintor, origen, caret.columna, kAnchoCaret);
    }
}

QRect VistaCodigo::RectCaracter(int posicion) const {
    const Punto p = Ubicar(posicion);
    QTextLayout capa;
    Diagramar(capa, p.linea);
    const QTextLine linea = capa.lineAt(0);
    const qreal x = linea.cursorToX(p.columna);
    const qreal siguiente = p.columna < Largo(p.linea) ? linea.cursorToX(p.columna + 1) : x + kAnchoCaret;
    const QPoint origen(kMargen - horizontalScrollBar()->value(), kMargen + p.linea * v_Altura - verticalScrollBar()->value());
    return QRectF(origen.x() + x, origen.y() + linea.y(), std::max<qreal>(siguiente - x, kAnchoCaret), linea.height()).toAlignedRect();
}

VistaCodigo::Punto VistaCodigo::PuntoEn(const QPoint& punto) const {
    const int y = punto.y() + verticalScrollBar()->value() - kMargen;
    const int fila = std::clamp(static_cast<int>(std::floor(qreal(y) / v_Altura)), 0, Filas() - 1);
    QTextLayout capa;
    Diagramar(capa, fila);
    const qreal x = punto.x() + horizontalScrollBar()->value() - kMargen;
    return Dentro({fila, capa.lineAt(0).xToCursor(x)});
}

int VistaCodigo::PosicionEn(const QPoint& punto) const { return Posicion(PuntoEn(punto)); }

void VistaCodigo::MostrarPosicion(int posicion) {
    if (v_Medir) AjustarBarras();
    const Punto p = Ubicar(posicion);
    // Vertically by whole rows; horizontally as far as the caret needs.
    const int primera = PrimeraVisible();
    const int filas = std::max(1, FilasEnVista());
    if (p.linea < primera)
        Desplazar(p.linea - primera);
    else if (p.linea >= primera + filas)
        Desplazar(p.linea - (primera + filas - 1));
    const QRect r = RectCaracter(posicion);
    QScrollBar* h = horizontalScrollBar();
    if (r.left() < 0)
        h->setValue(h->value() + r.left() - kMargen);
    else if (r.left() + kAnchoCaret > viewport()->width())
        h->setValue(h->value() + r.left() + kAnchoCaret - viewport()->width() + kMargen);
}
