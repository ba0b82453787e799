#include "PanelRico.h"
#include "CajaRica.h"
#include "DiagramaFilas.h"
#include "PanelMemoria.h"
#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextEdit>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr int kRebanadaMs = 25;   // work between two yields of a long step

QColor AColor(ColorRGB c) { return QColor(c.r, c.g, c.b); }

// Only what differs from plain text is set, as the pane's own colouring does.
QTextCharFormat AFormato(const Formato& f) {
    QTextCharFormat r;
    r.setForeground(AColor(f.color));
    if (f.bold) r.setFontWeight(QFont::Bold);
    if (f.italic) r.setFontItalic(true);
    return r;
}

// Text for the widget: one line break per CR LF (a lone CR or LF is a break too).
QString ParaQt(const QString& texto) {
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar(u'\r'), QChar(u'\n'));
    return t;
}
}   // namespace

PanelRico::PanelRico(QTextEdit* caja, double pxPorTwip) : v_Caja(caja), v_PxPorTwip(pxPorTwip) {
    const QRect g = v_Caja->geometry();
    v_Left = static_cast<int>(std::lround(g.x() / v_PxPorTwip));
    v_Top = static_cast<int>(std::lround(g.y() / v_PxPorTwip));
    v_Width = static_cast<int>(std::lround(g.width() / v_PxPorTwip));
    v_Alto = static_cast<int>(std::lround(g.height() / v_PxPorTwip));
    Seguir();
}

PanelRico::~PanelRico() {
    // The widget may outlive this adapter: none of its signals may reach it.
    QObject::disconnect(v_Seguimiento);
    for (const QMetaObject::Connection& c : v_Barra) QObject::disconnect(c);
}

// ---- Changes since a mark ----

void PanelRico::Seguir() {
    QObject::disconnect(v_Seguimiento);
    v_Marcado = false;
    QTextDocument* doc = v_Caja->document();
    v_Bloques = doc->blockCount();
    v_Seguimiento = QObject::connect(doc, &QTextDocument::contentsChange, v_Caja, [this, doc](int desde, int quitados, int agregados) {
        v_CambioDesde = std::min(v_CambioDesde, desde);
        v_CambioFin = std::min(v_CambioFin, doc->characterCount() - (desde + agregados));
        const int bloques = doc->blockCount();
        const int primera = doc->findBlock(desde).blockNumber();
        // Lines joined or split, or text written over several lines.
        const int fin = std::min(desde + agregados, doc->characterCount() - 1);
        const bool varias = bloques != v_Bloques || doc->findBlock(fin).blockNumber() != primera;
        v_Bloques = bloques;
        // One character deleted is Backspace or Delete: the key rules decide (a join waits).
        const bool unaTecla = quitados == 1 && agregados == 0;
        if (!varias || unaTecla || v_NivelLote > 0 || v_Propio) return;
        v_PrimeraVarias = v_PrimeraVarias < 0 ? std::max(0, primera) : std::min(v_PrimeraVarias, std::max(0, primera));
        if (v_AlCambiarVarias) v_AlCambiarVarias();
    });
}

void PanelRico::MarcarSinCambios() {
    v_Marcado = !Aparte();
    v_MarcaAparte = Aparte();
    v_CambioDesde = INT_MAX;
    v_CambioFin = INT_MAX;
}

std::pair<int, int> PanelRico::LineasSinCambios() const {
    if (!v_Marcado || Aparte()) return {0, 0};
    const QTextDocument* doc = v_Caja->document();
    const int lineas = doc->blockCount();
    if (v_CambioDesde == INT_MAX) return {lineas, 0};
    auto linea = [doc, lineas](int posicion) {
        const QTextBlock b = doc->findBlock(std::max(0, posicion));
        return b.isValid() ? b.blockNumber() : lineas - 1;
    };
    const int primera = linea(v_CambioDesde);
    const int ultima = std::max(primera, linea(doc->characterCount() - v_CambioFin));
    return {primera, lineas - 1 - ultima};
}

QTextDocument* PanelRico::Doc() const { return v_Aparte ? v_Aparte : v_Caja->document(); }

void PanelRico::SetAlturaFila(int px) {
    v_AlturaFila = px;
    Preparar(Doc());
    QTextCursor c(Doc());
    c.select(QTextCursor::Document);
    AplicarFila(c);
    if (px > 0) v_Caja->verticalScrollBar()->setSingleStep(px);
}

void PanelRico::Preparar(QTextDocument* doc) const {
    if (v_AlturaFila <= 0) return;
    if (auto* capa = qobject_cast<DiagramaFilas*>(doc->documentLayout()))
        capa->SetAlturaFila(v_AlturaFila);
    else
        doc->setDocumentLayout(new DiagramaFilas(doc, v_AlturaFila));
}

void PanelRico::AplicarFila(QTextCursor& c) const {
    if (v_AlturaFila <= 0) return;
    QTextBlockFormat b;
    b.setLineHeight(v_AlturaFila, QTextBlockFormat::FixedHeight);
    c.mergeBlockFormat(b);
}

void PanelRico::Colocar(int left, int top, int width, int height) {
    v_Left = left;
    v_Top = top;
    v_Width = width;
    v_Alto = height;
    Mover();
}

void PanelRico::Mover() {
    auto px = [this](int t) { return static_cast<int>(std::lround(t * v_PxPorTwip)); };
    v_Caja->setGeometry(px(v_Left), px(v_Top), px(v_Width), px(v_Alto));
}

void PanelRico::SetLeft(int twips) {
    v_Left = twips;
    Mover();
}
void PanelRico::SetTop(int twips) {
    v_Top = twips;
    Mover();
}
void PanelRico::SetWidth(int twips) {
    v_Width = twips;
    Mover();
}

// ---- Indices ----

int PanelRico::LineCount() const { return v_Memoria ? v_Memoria->LineCount() : Doc()->blockCount(); }

int PanelRico::Length() const {
    if (v_Memoria) return v_Memoria->Length();
    return Doc()->characterCount() - 1 + Doc()->blockCount() - 1;
}

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
    int linea = std::clamp(v_Pista, 0, lineas - 1);
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
            v_Pista = l;
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
    v_Pista = lo;
    if (columna <= largo) return {b.position() + columna, false};
    return {b.position() + largo, true};
}

int PanelRico::LineFromChar(int indice) const {
    if (v_Memoria) return v_Memoria->LineFromChar(indice);
    if (indice < 0) indice = SelStart();
    const Punto p = AQt(indice);
    return Doc()->findBlock(p.qt).blockNumber();
}

int PanelRico::LineIndex(int linea) const {
    if (v_Memoria) return v_Memoria->LineIndex(linea);
    if (linea < 0 || linea >= LineCount()) return -1;
    return InicioBloque(linea);
}

int PanelRico::LineLength(int indice) const {
    if (v_Memoria) return v_Memoria->LineLength(indice);
    const QTextBlock b = Doc()->findBlockByNumber(LineFromChar(indice));
    return b.isValid() ? b.length() - 1 : 0;
}

// ---- Text ----

void PanelRico::PorLinea(const std::function<void(QStringView)>& hacer) const {
    // One walk over the document's text: each pass reads the whole command pane.
    const QString crudo = Doc()->toRawText();
    const QChar* p = crudo.constData();
    qsizetype desde = 0;
    for (qsizetype i = 0; i < crudo.size(); ++i) {
        if (p[i] != QChar::ParagraphSeparator && p[i] != QChar::LineSeparator) continue;
        hacer(QStringView(p + desde, i - desde));
        desde = i + 1;
    }
    hacer(QStringView(p + desde, crudo.size() - desde));
}

QString PanelRico::Text() const {
    if (v_Memoria) return v_Memoria->Text();
    QString t;
    t.reserve(Doc()->characterCount() + Doc()->blockCount());
    PorLinea([&t](QStringView linea) {
        t.append(linea);
        t.append(u"\r\n");
    });
    t.chop(2);
    return t;
}

void PanelRico::SetText(const QString& texto) {
    v_MarcaAparte = false;
    const QScopedValueRollback<bool> propio(v_Propio, true);
    if (v_Memoria) return v_Memoria->SetText(texto);
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
    v_Caja->verticalScrollBar()->setValue(0);
    v_Caja->horizontalScrollBar()->setValue(0);
}

bool PanelRico::YaEscrito(int inicio, QStringView texto, ColorRGB color) const {
    if (v_Memoria) return false;
    const Punto a = AQt(inicio);
    if (a.enSalto) return false;
    const QTextBlock b = Doc()->findBlock(a.qt);
    const int columna = a.qt - b.position();
    if (columna + texto.size() > b.length() - 1) return false;
    if (QStringView(b.text()).mid(columna, texto.size()) != texto) return false;
    const QColor esperado = AColor(color);
    const int fin = columna + static_cast<int>(texto.size());
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const int desde = f.position() - b.position();
        if (desde + f.length() <= columna || desde >= fin) continue;
        const QTextCharFormat cf = f.charFormat();
        if (!cf.hasProperty(QTextFormat::ForegroundBrush) || cf.foreground().color() != esperado ||
            cf.fontWeight() >= QFont::Bold || cf.fontItalic())
            return false;
    }
    return true;
}

// ---- Selection ----

void PanelRico::Recordar(int inicio, int largo) {
    v_SelInicio = inicio;
    v_SelLargo = largo;
    const QTextCursor c = Cursor();
    v_QtAncla = c.anchor();
    v_QtPos = c.position();
    v_Revision = Doc()->revision();
}

bool PanelRico::CursorExacto() const {
    const QTextCursor c = Cursor();
    return c.anchor() == v_QtAncla && c.position() == v_QtPos && Doc()->revision() == v_Revision;
}

int PanelRico::SelStart() const {
    if (v_Memoria) return v_Memoria->SelStart();
    if (CursorExacto()) return v_SelInicio;
    return DesdeQt(Cursor().selectionStart());
}

int PanelRico::SelAncla() const {
    if (v_Memoria) return v_Memoria->SelAncla();
    const QTextCursor c = Cursor();
    if (CursorExacto()) return c.anchor() <= c.position() ? v_SelInicio : v_SelInicio + v_SelLargo;
    return DesdeQt(c.anchor());
}

int PanelRico::SelCaret() const {
    if (v_Memoria) return v_Memoria->SelCaret();
    const QTextCursor c = Cursor();
    if (CursorExacto()) return c.anchor() <= c.position() ? v_SelInicio + v_SelLargo : v_SelInicio;
    return DesdeQt(c.position());
}

void PanelRico::SetSeleccion(int ancla, int caret) {
    if (v_Memoria) return v_Memoria->SetSeleccion(ancla, caret);
    ancla = std::clamp(ancla, 0, Length());
    caret = std::clamp(caret, 0, Length());
    // The end of a selection that lies between CR and LF takes the whole break.
    auto qt = [this](int indice, bool esFin) {
        const Punto p = AQt(indice);
        return p.qt + (esFin && p.enSalto && p.qt < Doc()->characterCount() - 1 ? 1 : 0);
    };
    QTextCursor c(Doc());
    c.setPosition(qt(ancla, ancla > caret));
    c.setPosition(qt(caret, caret > ancla), QTextCursor::KeepAnchor);
    PonerCursor(c);
    Recordar(std::min(ancla, caret), std::abs(caret - ancla));
}

int PanelRico::SelLength() const {
    if (v_Memoria) return v_Memoria->SelLength();
    const QTextCursor c = Cursor();
    if (c.anchor() == v_QtAncla && c.position() == v_QtPos && Doc()->revision() == v_Revision) return v_SelLargo;
    return DesdeQt(c.selectionEnd()) - DesdeQt(c.selectionStart());
}

void PanelRico::SetSelStart(int pos) {
    if (v_Memoria) return v_Memoria->SetSelStart(pos);
    pos = std::clamp(pos, 0, Length());
    QTextCursor c(Doc());
    c.setPosition(AQt(pos).qt);
    PonerCursor(c);
    Recordar(pos, 0);
}

void PanelRico::SetSelLength(int largo) {
    if (v_Memoria) return v_Memoria->SetSelLength(largo);
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
    if (v_Memoria) return v_Memoria->SelText();
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

QStringList PanelRico::Lineas() const {
    if (v_Memoria) return v_Memoria->Lineas();
    QStringList r;
    r.reserve(Doc()->blockCount());
    PorLinea([&r](QStringView linea) { r.append(linea.toString()); });
    return r;
}

QString PanelRico::TextoLinea(int linea) const {
    if (v_Memoria) return v_Memoria->TextoLinea(linea);
    const QTextBlock b = Doc()->findBlockByNumber(linea);
    return b.isValid() ? b.text() : QString();
}

void PanelRico::SetSelText(const QString& texto) {
    v_MarcaAparte = false;
    const QScopedValueRollback<bool> propio(v_Propio, true);
    if (v_Memoria) return v_Memoria->SetSelText(texto);
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
    v_MarcaAparte = false;
    const QScopedValueRollback<bool> propio(v_Propio, true);
    QTextCursor c = Cursor();
    c.mergeCharFormat(f);
    if (!c.hasSelection()) PonerCursor(c);   // the typing format lives in the cursor
    if (v_SelLargo == 0 || !c.hasSelection()) Recordar(SelStart(), SelLength());
    else
        v_Revision = Doc()->revision();
}

void PanelRico::SetSelColor(ColorRGB color) {
    v_MarcaAparte = false;
    if (v_Memoria) return v_Memoria->SetSelColor(color);
    QTextCharFormat f;
    f.setForeground(AColor(color));
    MezclarFormato(f);
}

void PanelRico::SetSelBold(bool on) {
    v_MarcaAparte = false;
    if (v_Memoria) return v_Memoria->SetSelBold(on);
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MezclarFormato(f);
}

void PanelRico::SetSelItalic(bool on) {
    v_MarcaAparte = false;
    if (v_Memoria) return v_Memoria->SetSelItalic(on);
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
    if (v_Memoria) return v_Memoria->FormatoEn(indice).color;
    const QTextCharFormat f = CursorEn(indice).charFormat();
    if (!f.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor c = v_Caja->palette().color(QPalette::Text);
        return {c.red(), c.green(), c.blue()};
    }
    const QColor c = f.foreground().color();
    return {c.red(), c.green(), c.blue()};
}

bool PanelRico::BoldEn(int indice) const {
    if (v_Memoria) return v_Memoria->FormatoEn(indice).bold;
    return CursorEn(indice).charFormat().fontWeight() >= QFont::Bold;
}

bool PanelRico::ItalicEn(int indice) const {
    if (v_Memoria) return v_Memoria->FormatoEn(indice).italic;
    return CursorEn(indice).charFormat().fontItalic();
}

// ---- Scrolling ----

void PanelRico::AjustarAFilas() {
    QScrollBar* barra = v_Caja->verticalScrollBar();
    for (const QMetaObject::Connection& c : v_Barra) QObject::disconnect(c);
    v_Barra[0] = QObject::connect(barra, &QScrollBar::valueChanged, v_Caja, [this](int v) { AjustarScroll(v); });
    v_Barra[1] = QObject::connect(barra, &QScrollBar::rangeChanged, v_Caja, [this] { AjustarMargen(); });
    AjustarMargen();
}

void PanelRico::AjustarMargen() {
    // A strip under the text makes the scroll range end on a whole row.
    auto* caja = qobject_cast<CajaRica*>(v_Caja);
    if (!caja || v_AlturaFila <= 0 || v_Ajustando) return;
    const int libre = v_Caja->viewport()->height() + v_Franja;
    const int margenes = 2 * static_cast<int>(Doc()->documentMargin());
    const int franja = ((libre - margenes) % v_AlturaFila + v_AlturaFila) % v_AlturaFila;
    if (franja == v_Franja) return;
    v_Ajustando = true;
    v_Franja = franja;
    caja->SetMargenInferior(franja);
    v_Ajustando = false;
}

void PanelRico::AjustarScroll(int valor) {
    if (v_AlturaFila <= 0 || v_Ajustando) return;
    const int resto = valor % v_AlturaFila;
    int destino = valor;
    if (resto != 0) destino = valor > v_ScrollAnterior ? valor + (v_AlturaFila - resto) : valor - resto;
    destino = std::clamp(destino, 0, v_Caja->verticalScrollBar()->maximum());
    v_ScrollAnterior = destino;
    if (destino != valor) {
        v_Ajustando = true;
        v_Caja->verticalScrollBar()->setValue(destino);
        v_Ajustando = false;
    }
}

int PanelRico::FirstVisibleLine() const {
    if (v_Memoria) return v_Memoria->FirstVisibleLine();
    const int margen = static_cast<int>(Doc()->documentMargin());
    // One pixel into the row: a row's top edge is also the bottom edge of the row above.
    const qreal y = v_Caja->verticalScrollBar()->value() + margen + 1;
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

int PanelRico::FilasEnVista() const {
    if (v_AlturaFila <= 0) return 0;
    const int margen = static_cast<int>(Doc()->documentMargin());
    return std::max(0, (v_Caja->viewport()->height() - margen) / v_AlturaFila);
}

void PanelRico::LineScroll(int lineas) {
    if (v_Memoria) return v_Memoria->LineScroll(lineas);
    if (lineas == 0) return;
    const int destino = std::clamp(FirstVisibleLine() + lineas, 0, std::max(0, LineCount() - 1));
    const QTextBlock b = Doc()->findBlockByNumber(destino);
    const int margen = static_cast<int>(Doc()->documentMargin());
    const int y = static_cast<int>(Doc()->documentLayout()->blockBoundingRect(b).top()) - margen;
    v_Caja->verticalScrollBar()->setValue(std::max(0, y));
}

// ---- Control ----

QTextCursor PanelRico::Cursor() const { return v_NivelLote > 0 ? v_CursorLote : v_Caja->textCursor(); }

void PanelRico::PonerCursor(const QTextCursor& c) {
    if (v_NivelLote > 0) {
        v_CursorLote = c;
        return;
    }
    // The widget scrolls to the caret. The program sets the selection at
    // every key (the typing colour) and after every pass: a pane the user
    // scrolled away from the caret stays where the user put it.
    const bool aLaVista = v_Caja->viewport()->rect().intersects(v_Caja->cursorRect());
    QScrollBar* vertical = v_Caja->verticalScrollBar();
    QScrollBar* horizontal = v_Caja->horizontalScrollBar();
    const int arriba = vertical->value(), izquierda = horizontal->value();
    v_Caja->setTextCursor(c);
    if (aLaVista) return;
    vertical->setValue(arriba);
    horizontal->setValue(izquierda);
}

void PanelRico::EmpezarLote() {
    if (v_NivelLote++ > 0) return;
    v_CursorLote = v_Caja->textCursor();
    v_Caja->viewport()->setUpdatesEnabled(false);
    v_CursorLote.beginEditBlock();
}

void PanelRico::TerminarLote() {
    if (v_NivelLote == 0 || --v_NivelLote > 0) return;
    const bool enMemoria = v_Memoria != nullptr;
    const int inicio = enMemoria ? v_Memoria->SelStart() : v_SelInicio;
    const int largo = enMemoria ? v_Memoria->SelLength() : v_SelLargo;
    // The batch's cursor: the widget's own has not followed the batch.
    const bool exacto = enMemoria || (v_CursorLote.anchor() == v_QtAncla && v_CursorLote.position() == v_QtPos &&
                                      Doc()->revision() == v_Revision);
    v_CursorLote.endEditBlock();
    Devolver();
    QTextCursor c = v_CursorLote;
    v_CursorLote = QTextCursor();
    v_Caja->viewport()->setUpdatesEnabled(true);
    PonerCursor(c);
    if (exacto) Recordar(inicio, largo);
    v_Caja->viewport()->update();
}

void PanelRico::EmpezarAparte() {
    if (v_NivelLote == 0 || Aparte()) return;
    const QTextCharFormat escritura = v_CursorLote.charFormat();
    if (Length() == 0 && !escritura.hasProperty(QTextFormat::ForegroundBrush) &&
        escritura.fontWeight() < QFont::Bold && !escritura.fontItalic()) {
        // The model starts as this pane stands: empty, caret at 0, plain typing format.
        v_Memoria = std::make_unique<PanelMemoria>();
        return;
    }
    const int inicio = v_SelInicio, largo = v_SelLargo;
    const bool exacto = Cursor().anchor() == v_QtAncla && Cursor().position() == v_QtPos && Doc()->revision() == v_Revision;
    v_Aparte = Clonar();
    QTextCursor c(v_Aparte);
    c.setPosition(v_CursorLote.anchor());
    c.setPosition(v_CursorLote.position(), QTextCursor::KeepAnchor);
    v_CursorLote.endEditBlock();
    v_CursorLote = c;
    v_CursorLote.beginEditBlock();
    if (exacto) Recordar(inicio, largo);
}

QTextDocument* PanelRico::Clonar() const {
    QTextDocument* original = v_Caja->document();
    QTextDocument* copia = original->clone(v_Caja);
    // A copy keeps the margin in its frame but not as its own figure.
    copia->setDocumentMargin(original->documentMargin());
    copia->setUndoRedoEnabled(false);
    Preparar(copia);
    return copia;
}

QTextDocument* PanelRico::Escribir(const PanelMemoria& m, const std::function<void()>& ceder) const {
    // A copy of the widget's empty document keeps the default font, the
    // margins and the row height; the text goes in run by run, each with its
    // format, through one cursor at the end.
    QTextDocument* doc = Clonar();
    QTextCursor c(doc);
    QElapsedTimer reloj;
    reloj.start();
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    c.removeSelectedText();
    c.setCharFormat(QTextCharFormat());
    AplicarFila(c);
    const QTextCharFormat simple;
    const QString salto(QChar(u'\n'));
    std::vector<std::pair<Formato, QTextCharFormat>> usados;   // a few formats, converted once
    auto formato = [&usados](const Formato& f) -> const QTextCharFormat& {
        for (const auto& [de, qt] : usados)
            if (de == f) return qt;
        usados.emplace_back(f, AFormato(f));
        return usados.back().second;
    };
    for (int n = 0; n < m.LineCount(); ++n) {
        if (ceder && n % 64 == 0 && reloj.elapsed() >= kRebanadaMs) {
            ceder();
            reloj.restart();
        }
        if (n > 0) c.insertText(salto, simple);
        const QString& texto = m.Linea(n);
        int pos = 0;
        for (const auto& t : m.TramosDe(n)) {
            c.insertText(texto.mid(pos, t.largo), formato(t.formato));
            pos += t.largo;
        }
        if (pos < texto.size()) c.insertText(pos == 0 ? texto : texto.mid(pos), simple);
    }
    c.endEditBlock();
    return doc;
}

void PanelRico::Devolver(const std::function<void()>& ceder) {
    if (!v_Aparte && !v_Memoria) return;
    QTextDocument* viejo = v_Caja->document();
    if (v_Memoria) {
        // The model answers for the pane until its text is all written.
        QTextDocument* escrito = Escribir(*v_Memoria, ceder);
        const std::unique_ptr<PanelMemoria> m = std::move(v_Memoria);
        v_Aparte = escrito;
        // The model's selection and typing format, on the new document.
        const int inicio = m->SelStart(), largo = m->SelLength();
        QTextCursor c(v_Aparte);
        c.setPosition(AQt(inicio).qt);
        if (largo > 0) {
            const Punto b = AQt(inicio + largo);
            int fin = b.qt;
            if (b.enSalto && fin < v_Aparte->characterCount() - 1) ++fin;
            c.setPosition(fin, QTextCursor::KeepAnchor);
        } else if (inicio > 0) {
            c.setCharFormat(AFormato(m->FormatoEscritura()));
        }
        if (v_NivelLote > 0) v_CursorLote.endEditBlock();
        v_CursorLote = c;
        if (v_NivelLote > 0) v_CursorLote.beginEditBlock();
        v_SelInicio = inicio;
        v_SelLargo = largo;
        v_QtAncla = c.anchor();
        v_QtPos = c.position();
        v_Revision = v_Aparte->revision();
    }
    QTextDocument* nuevo = v_Aparte;
    const bool deshacer = viejo->isUndoRedoEnabled();
    v_Aparte = nullptr;
    const int inicio = v_SelInicio, largo = v_SelLargo;
    const bool exacto = v_CursorLote.anchor() == v_QtAncla && v_CursorLote.position() == v_QtPos &&
                        nuevo->revision() == v_Revision;
    const bool enLote = v_NivelLote > 0;
    if (enLote) v_CursorLote.endEditBlock();
    // The widget deletes the document it created itself; one handed over by
    // an earlier load is deleted here.
    const bool deUnaCarga = viejo->parent() == v_Caja;
    v_Caja->setDocument(nuevo);
    Seguir();
    // The text handed back is the one the mark was set on.
    if (v_MarcaAparte) v_Marcado = true;
    v_MarcaAparte = false;
    if (deUnaCarga) delete viejo;
    nuevo->setUndoRedoEnabled(deshacer);
    if (enLote) v_CursorLote.beginEditBlock();
    if (exacto) Recordar(inicio, largo);
}

void PanelRico::DevolverPorPartes(const std::function<void()>& ceder) {
    if (!Aparte()) return;
    Devolver(ceder);
    // The widget shows the new text from its top; its rows are laid out as they are shown.
    v_Caja->verticalScrollBar()->setValue(0);
    v_Caja->viewport()->update();
}

bool PanelRico::Visible() const { return !v_Caja->isHidden(); }

void PanelRico::SetVisible(bool visible) { v_Caja->setVisible(visible); }

void PanelRico::Refresh() {
    if (!v_Caja->isHidden()) v_Caja->repaint();
}
