#include "PanelRico.h"
#include "CajaRica.h"
#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

namespace {
QColor AColor(ColorRGB c) { return QColor(c.r, c.g, c.b); }

// Text for the widget: one line break per CR LF (a lone CR or LF is a break too).
QString ParaQt(const QString& texto) {
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar(u'\r'), QChar(u'\n'));
    return t;
}
}  // namespace

PanelRico::PanelRico(QTextEdit* caja, double pxPorTwip) : caja_(caja), pxPorTwip_(pxPorTwip) {
    const QRect g = caja_->geometry();
    left_ = static_cast<int>(std::lround(g.x() / pxPorTwip_));
    top_ = static_cast<int>(std::lround(g.y() / pxPorTwip_));
    width_ = static_cast<int>(std::lround(g.width() / pxPorTwip_));
    alto_ = static_cast<int>(std::lround(g.height() / pxPorTwip_));
}

QTextDocument* PanelRico::Doc() const { return aparte_ ? aparte_ : caja_->document(); }

void PanelRico::SetAlturaFila(int px) {
    alturaFila_ = px;
    QTextCursor c(Doc());
    c.select(QTextCursor::Document);
    AplicarFila(c);
    if (px > 0) caja_->verticalScrollBar()->setSingleStep(px);
}

void PanelRico::AplicarFila(QTextCursor& c) const {
    if (alturaFila_ <= 0) return;
    QTextBlockFormat b;
    b.setLineHeight(alturaFila_, QTextBlockFormat::FixedHeight);
    c.mergeBlockFormat(b);
}

void PanelRico::Colocar(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    alto_ = height;
    Mover();
}

void PanelRico::Mover() {
    auto px = [this](int t) { return static_cast<int>(std::lround(t * pxPorTwip_)); };
    caja_->setGeometry(px(left_), px(top_), px(width_), px(alto_));
}

void PanelRico::SetLeft(int twips) {
    left_ = twips;
    Mover();
}
void PanelRico::SetTop(int twips) {
    top_ = twips;
    Mover();
}
void PanelRico::SetWidth(int twips) {
    width_ = twips;
    Mover();
}

// ---- Indices ----

int PanelRico::LineCount() const { return Doc()->blockCount(); }

int PanelRico::Length() const { return Doc()->characterCount() - 1 + Doc()->blockCount() - 1; }

int PanelRico::InicioBloque(int linea) const { return Doc()->findBlockByNumber(linea).position() + linea; }

int PanelRico::DesdeQt(int posicion) const {
    const QTextBlock b = Doc()->findBlock(posicion);
    return posicion + (b.isValid() ? b.blockNumber() : Doc()->blockCount() - 1);
}

PanelRico::Punto PanelRico::AQt(int indice) const {
    indice = std::clamp(indice, 0, Length());
    // The line L satisfies indice = qt + L with qt inside block L. Start from
    // the line found last time (the pass walks the text in order) and step:
    // each guess of L gives a Qt position whose block is a better guess.
    const int lineas = LineCount();
    int linea = std::clamp(pista_, 0, lineas - 1);
    int anterior = -1;
    for (int paso = 0; paso < 64; ++paso) {
        const int qt = std::clamp(indice - linea, 0, Doc()->characterCount() - 1);
        const QTextBlock b = Doc()->findBlock(qt);
        const int otra = b.isValid() ? b.blockNumber() : lineas - 1;
        if (otra == linea || (otra == anterior && std::abs(otra - linea) == 1)) {
            // Settled, or swinging between a line and the next: the index is
            // then the LF of the lower line's CR LF.
            const int l = std::min(otra, linea);
            const QTextBlock bl = Doc()->findBlockByNumber(l);
            const int columna = indice - (bl.position() + l);
            const int largo = bl.length() - 1;
            pista_ = l;
            if (columna <= largo) return {bl.position() + std::max(0, columna), false};
            return {bl.position() + largo, true};
        }
        anterior = linea;
        linea = otra;
    }
    // Not settled (should not happen): search.
    int lo = 0, hi = lineas - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (InicioBloque(mid) <= indice)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = Doc()->findBlockByNumber(lo);
    const int columna = indice - (b.position() + lo);
    const int largo = b.length() - 1;
    pista_ = lo;
    if (columna <= largo) return {b.position() + columna, false};
    return {b.position() + largo, true};
}

int PanelRico::LineFromChar(int indice) const {
    if (indice < 0) indice = SelStart();
    const Punto p = AQt(indice);
    return Doc()->findBlock(p.qt).blockNumber();
}

int PanelRico::LineIndex(int linea) const {
    if (linea < 0 || linea >= LineCount()) return -1;
    return InicioBloque(linea);
}

int PanelRico::LineLength(int indice) const {
    const QTextBlock b = Doc()->findBlockByNumber(LineFromChar(indice));
    return b.isValid() ? b.length() - 1 : 0;
}

// ---- Text ----

QString PanelRico::Text() const {
    // One walk over the text: each pass reads the whole command pane.
    const QString crudo = Doc()->toRawText();
    QString t;
    t.reserve(crudo.size() + Doc()->blockCount());
    const QChar* p = crudo.constData();
    qsizetype desde = 0;
    for (qsizetype i = 0; i < crudo.size(); ++i) {
        if (p[i] != QChar::ParagraphSeparator && p[i] != QChar::LineSeparator) continue;
        t.append(p + desde, i - desde);
        t.append(u"\r\n");
        desde = i + 1;
    }
    t.append(p + desde, crudo.size() - desde);
    return t;
}

void PanelRico::SetText(const QString& texto) {
    QTextCursor c(Doc());
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    c.removeSelectedText();
    c.setCharFormat(QTextCharFormat());
    AplicarFila(c);
    c.insertText(ParaQt(texto), QTextCharFormat());
    c.endEditBlock();
    PonerCursor(QTextCursor(Doc()));
    Recordar(0, 0);
    caja_->verticalScrollBar()->setValue(0);
    caja_->horizontalScrollBar()->setValue(0);
}

// ---- Selection ----

void PanelRico::Recordar(int inicio, int largo) {
    selInicio_ = inicio;
    selLargo_ = largo;
    const QTextCursor c = Cursor();
    qtAncla_ = c.anchor();
    qtPos_ = c.position();
    revision_ = Doc()->revision();
}

int PanelRico::SelStart() const {
    const QTextCursor c = Cursor();
    if (c.anchor() == qtAncla_ && c.position() == qtPos_ && Doc()->revision() == revision_) return selInicio_;
    return DesdeQt(c.selectionStart());
}

int PanelRico::SelLength() const {
    const QTextCursor c = Cursor();
    if (c.anchor() == qtAncla_ && c.position() == qtPos_ && Doc()->revision() == revision_) return selLargo_;
    return DesdeQt(c.selectionEnd()) - DesdeQt(c.selectionStart());
}

void PanelRico::SetSelStart(int pos) {
    pos = std::clamp(pos, 0, Length());
    QTextCursor c(Doc());
    c.setPosition(AQt(pos).qt);
    PonerCursor(c);
    Recordar(pos, 0);
}

void PanelRico::SetSelLength(int largo) {
    const int inicio = SelStart();
    largo = std::clamp(largo, 0, Length() - inicio);
    const Punto a = AQt(inicio);
    const Punto b = AQt(inicio + largo);
    QTextCursor c(Doc());
    c.setPosition(a.qt);
    // An end between CR and LF takes the whole line break.
    int fin = b.qt;
    if (b.enSalto && fin < Doc()->characterCount() - 1) ++fin;
    c.setPosition(fin, QTextCursor::KeepAnchor);
    PonerCursor(c);
    Recordar(inicio, largo);
}

QString PanelRico::SelText() const {
    const int inicio = SelStart();
    const int largo = SelLength();
    if (largo <= 0) return {};
    // Read from the document around the selection only: the compile pass asks
    // for every line it rewrites.
    const Punto a = AQt(inicio);
    const Punto b = AQt(inicio + largo);
    QTextCursor c(Doc());
    c.setPosition(a.enSalto ? a.qt + 1 : a.qt);
    c.setPosition(std::max(c.position(), b.qt), QTextCursor::KeepAnchor);
    QString t = c.selectedText();
    t.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    if (a.enSalto) t.prepend(QChar(u'\n'));
    if (b.enSalto) t.append(QChar(u'\r'));
    return t;
}

QString PanelRico::TextoLinea(int linea) const {
    const QTextBlock b = Doc()->findBlockByNumber(linea);
    return b.isValid() ? b.text() : QString();
}

void PanelRico::SetSelText(const QString& texto) {
    const int inicio = SelStart();
    const int largo = SelLength();
    const Punto a = AQt(inicio);
    const Punto b = AQt(inicio + largo);
    int fin = b.qt;
    if (largo > 0 && b.enSalto && fin < Doc()->characterCount() - 1) ++fin;
    QTextCursor c(Doc());
    c.setPosition(a.qt);
    QTextCharFormat formato;
    if (largo > 0) {
        // The new text takes the format of the first character it replaces.
        QTextCursor primero(Doc());
        primero.setPosition(std::min(a.qt + 1, Doc()->characterCount() - 1));
        formato = primero.charFormat();
        c.setPosition(fin, QTextCursor::KeepAnchor);
    } else {
        formato = Cursor().charFormat();
    }
    c.insertText(ParaQt(texto), formato);
    PonerCursor(c);
    Recordar(DesdeQt(c.position()), 0);
}

void PanelRico::MezclarFormato(const QTextCharFormat& f) {
    QTextCursor c = Cursor();
    c.mergeCharFormat(f);
    if (!c.hasSelection()) PonerCursor(c);   // the typing format lives in the cursor
    if (selLargo_ == 0 || !c.hasSelection()) Recordar(SelStart(), SelLength());
    else revision_ = Doc()->revision();
}

void PanelRico::SetSelColor(ColorRGB color) {
    QTextCharFormat f;
    f.setForeground(AColor(color));
    MezclarFormato(f);
}

void PanelRico::SetSelBold(bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MezclarFormato(f);
}

void PanelRico::SetSelItalic(bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    MezclarFormato(f);
}

QTextCursor PanelRico::CursorEn(int indice) const {
    QTextCursor c(Doc());
    const Punto p = AQt(indice);
    c.setPosition(p.qt);
    c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    return c;
}

ColorRGB PanelRico::ColorEn(int indice) const {
    const QTextCharFormat f = CursorEn(indice).charFormat();
    if (!f.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor c = caja_->palette().color(QPalette::Text);
        return {c.red(), c.green(), c.blue()};
    }
    const QColor c = f.foreground().color();
    return {c.red(), c.green(), c.blue()};
}

bool PanelRico::BoldEn(int indice) const { return CursorEn(indice).charFormat().fontWeight() >= QFont::Bold; }

bool PanelRico::ItalicEn(int indice) const { return CursorEn(indice).charFormat().fontItalic(); }

// ---- Scrolling ----

void PanelRico::AjustarAFilas() {
    QScrollBar* barra = caja_->verticalScrollBar();
    QObject::connect(barra, &QScrollBar::valueChanged, caja_, [this](int v) { AjustarScroll(v); });
    QObject::connect(barra, &QScrollBar::rangeChanged, caja_, [this] { AjustarMargen(); });
    AjustarMargen();
}

void PanelRico::AjustarMargen() {
    // A strip under the text makes the scroll range end on a whole row.
    auto* caja = qobject_cast<CajaRica*>(caja_);
    if (!caja || alturaFila_ <= 0 || ajustando_) return;
    const int libre = caja_->viewport()->height() + franja_;
    const int margenes = 2 * static_cast<int>(Doc()->documentMargin());
    const int franja = ((libre - margenes) % alturaFila_ + alturaFila_) % alturaFila_;
    if (franja == franja_) return;
    ajustando_ = true;
    franja_ = franja;
    caja->SetMargenInferior(franja);
    ajustando_ = false;
}

void PanelRico::AjustarScroll(int valor) {
    if (alturaFila_ <= 0 || ajustando_) return;
    const int resto = valor % alturaFila_;
    int destino = valor;
    if (resto != 0) destino = valor > scrollAnterior_ ? valor + (alturaFila_ - resto) : valor - resto;
    destino = std::clamp(destino, 0, caja_->verticalScrollBar()->maximum());
    scrollAnterior_ = destino;
    if (destino != valor) {
        ajustando_ = true;
        caja_->verticalScrollBar()->setValue(destino);
        ajustando_ = false;
    }
}

int PanelRico::FirstVisibleLine() const {
    const int margen = static_cast<int>(Doc()->documentMargin());
    // One pixel into the row: a row's top edge is also the bottom edge of the row above.
    const qreal y = caja_->verticalScrollBar()->value() + margen + 1;
    QAbstractTextDocumentLayout* capa = Doc()->documentLayout();
    int lo = 0, hi = LineCount() - 1;   // the last block whose top is at or above y
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (capa->blockBoundingRect(Doc()->findBlockByNumber(mid)).top() <= y)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

void PanelRico::LineScroll(int lineas) {
    if (lineas == 0) return;
    const int destino = std::clamp(FirstVisibleLine() + lineas, 0, std::max(0, LineCount() - 1));
    const QTextBlock b = Doc()->findBlockByNumber(destino);
    const int margen = static_cast<int>(Doc()->documentMargin());
    const int y = static_cast<int>(Doc()->documentLayout()->blockBoundingRect(b).top()) - margen;
    caja_->verticalScrollBar()->setValue(std::max(0, y));
}

// ---- Control ----

QTextCursor PanelRico::Cursor() const { return nivelLote_ > 0 ? cursorLote_ : caja_->textCursor(); }

void PanelRico::PonerCursor(const QTextCursor& c) {
    if (nivelLote_ > 0)
        cursorLote_ = c;
    else
        caja_->setTextCursor(c);
}

void PanelRico::EmpezarLote() {
    if (nivelLote_++ > 0) return;
    cursorLote_ = caja_->textCursor();
    caja_->viewport()->setUpdatesEnabled(false);
    cursorLote_.beginEditBlock();
}

void PanelRico::TerminarLote() {
    if (nivelLote_ == 0 || --nivelLote_ > 0) return;
    const int inicio = selInicio_, largo = selLargo_;
    const bool exacto = Cursor().anchor() == qtAncla_ && Cursor().position() == qtPos_ && Doc()->revision() == revision_;
    cursorLote_.endEditBlock();
    Devolver();
    QTextCursor c = cursorLote_;
    cursorLote_ = QTextCursor();
    caja_->viewport()->setUpdatesEnabled(true);
    caja_->setTextCursor(c);
    if (exacto) Recordar(inicio, largo);
    caja_->viewport()->update();
}

void PanelRico::EmpezarAparte() {
    if (nivelLote_ == 0 || aparte_) return;
    const int inicio = selInicio_, largo = selLargo_;
    const bool exacto = Cursor().anchor() == qtAncla_ && Cursor().position() == qtPos_ && Doc()->revision() == revision_;
    QTextDocument* doc = caja_->document();
    // A copy keeps the text, its formats, the default font and the margins.
    aparte_ = doc->clone(caja_);
    aparte_->setUndoRedoEnabled(false);
    QTextCursor c(aparte_);
    c.setPosition(cursorLote_.anchor());
    c.setPosition(cursorLote_.position(), QTextCursor::KeepAnchor);
    cursorLote_.endEditBlock();
    cursorLote_ = c;
    cursorLote_.beginEditBlock();
    if (exacto) Recordar(inicio, largo);
}

void PanelRico::Devolver() {
    if (!aparte_) return;
    QTextDocument* viejo = caja_->document();
    QTextDocument* nuevo = aparte_;
    const bool deshacer = viejo->isUndoRedoEnabled();
    aparte_ = nullptr;
    const int inicio = selInicio_, largo = selLargo_;
    const bool exacto = cursorLote_.anchor() == qtAncla_ && cursorLote_.position() == qtPos_ &&
                        nuevo->revision() == revision_;
    const bool enLote = nivelLote_ > 0;
    if (enLote) cursorLote_.endEditBlock();
    // The widget deletes the document it created itself; one handed over by
    // an earlier load is deleted here.
    const bool deUnaCarga = viejo->parent() == caja_;
    caja_->setDocument(nuevo);
    if (deUnaCarga) delete viejo;
    nuevo->setUndoRedoEnabled(deshacer);
    if (enLote) cursorLote_.beginEditBlock();
    if (exacto) Recordar(inicio, largo);
}

void PanelRico::DiagramarPorPartes(const std::function<void()>& ceder) {
    if (aparte_) {
        Devolver();
        // The widget shows the new text from its top while the rest is laid out.
        caja_->verticalScrollBar()->setValue(0);
        caja_->viewport()->setUpdatesEnabled(true);
        caja_->viewport()->update();
    }
    constexpr int kRebanadaMs = 25;
    constexpr int kBloquesPorPaso = 100;
    QAbstractTextDocumentLayout* capa = Doc()->documentLayout();
    QElapsedTimer reloj;
    reloj.start();
    for (QTextBlock b = Doc()->begin(); b.isValid();) {
        capa->blockBoundingRect(b);   // lays out every block up to this one
        for (int k = 0; k < kBloquesPorPaso && b.isValid(); ++k) b = b.next();
        if (reloj.elapsed() >= kRebanadaMs) {
            ceder();
            reloj.restart();
        }
    }
    capa->blockBoundingRect(Doc()->lastBlock());
    if (nivelLote_ > 0) caja_->viewport()->setUpdatesEnabled(false);
}

bool PanelRico::Visible() const { return !caja_->isHidden(); }

void PanelRico::SetVisible(bool visible) { caja_->setVisible(visible); }

void PanelRico::Refresh() {
    if (!caja_->isHidden()) caja_->repaint();
}
