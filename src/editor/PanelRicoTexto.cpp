// The command pane's text, its selection and its formats, read and written
// through CR LF indices.
#include "PanelRico.h"
#include "PanelMemoria.h"
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>
#include <algorithm>

namespace {
QColor AColor(ColorRGB c) { return QColor(c.r, c.g, c.b); }

// Text for the widget: one line break per CR LF (a lone CR or LF is a break too).
QString ParaQt(const QString& texto) {
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar(u'\r'), QChar(u'\n'));
    return t;
}
}   // namespace

// ---- Indices ----

int PanelRico::LineCount() const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->LineCount();
    return Doc()->blockCount();
}

int PanelRico::Length() const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->Length();
    return PosicionesCRLF::Largo(Doc());
}

int PanelRico::LineFromChar(int indice) const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->LineFromChar(indice);
    if (indice < 0) indice = SelStart();
    const Punto p = AQt(indice);
    return Doc()->findBlock(p.qt).blockNumber();
}

int PanelRico::LineIndex(int linea) const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->LineIndex(linea);
    if (linea < 0 || linea >= LineCount()) return -1;
    return PosicionesCRLF::InicioBloque(Doc(), linea);
}

int PanelRico::LineLength(int indice) const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->LineLength(indice);
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
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->Text();
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
    v_Cambios.EditadoAparte();
    const QScopedValueRollback<bool> propio(v_Cambios.Propio(), true);
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SetText(texto);
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
    if (v_Aparte.Modelo()) return false;
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

bool PanelRico::CursorExacto(const QTextCursor& c, const QTextDocument* doc) const {
    return c.anchor() == v_QtAncla && c.position() == v_QtPos && doc->revision() == v_Revision;
}

bool PanelRico::CursorExacto() const { return CursorExacto(Cursor(), Doc()); }

int PanelRico::SelStart() const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SelStart();
    if (CursorExacto()) return v_SelInicio;
    return DesdeQt(Cursor().selectionStart());
}

int PanelRico::SelAncla() const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SelAncla();
    const QTextCursor c = Cursor();
    if (CursorExacto()) return c.anchor() <= c.position() ? v_SelInicio : v_SelInicio + v_SelLargo;
    return DesdeQt(c.anchor());
}

int PanelRico::SelCaret() const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SelCaret();
    const QTextCursor c = Cursor();
    if (CursorExacto()) return c.anchor() <= c.position() ? v_SelInicio + v_SelLargo : v_SelInicio;
    return DesdeQt(c.position());
}

void PanelRico::SetSeleccion(int ancla, int caret) {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SetSeleccion(ancla, caret);
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
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SelLength();
    const QTextCursor c = Cursor();
    if (CursorExacto(c, Doc())) return v_SelLargo;
    return DesdeQt(c.selectionEnd()) - DesdeQt(c.selectionStart());
}

void PanelRico::SetSelStart(int pos) {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SetSelStart(pos);
    pos = std::clamp(pos, 0, Length());
    QTextCursor c(Doc());
    c.setPosition(AQt(pos).qt);
    PonerCursor(c);
    Recordar(pos, 0);
}

void PanelRico::SetSelLength(int largo) {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SetSelLength(largo);
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
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SelText();
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
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->Lineas();
    QStringList r;
    r.reserve(Doc()->blockCount());
    PorLinea([&r](QStringView linea) { r.append(linea.toString()); });
    return r;
}

QString PanelRico::TextoLinea(int linea) const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->TextoLinea(linea);
    const QTextBlock b = Doc()->findBlockByNumber(linea);
    return b.isValid() ? b.text() : QString();
}

void PanelRico::SetSelText(const QString& texto) {
    v_Cambios.EditadoAparte();
    const QScopedValueRollback<bool> propio(v_Cambios.Propio(), true);
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SetSelText(texto);
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
    v_Cambios.EditadoAparte();
    const QScopedValueRollback<bool> propio(v_Cambios.Propio(), true);
    QTextCursor c = Cursor();
    c.mergeCharFormat(f);
    if (!c.hasSelection()) PonerCursor(c);   // the typing format lives in the cursor
    if (v_SelLargo == 0 || !c.hasSelection()) Recordar(SelStart(), SelLength());
    else
        v_Revision = Doc()->revision();
}

void PanelRico::SetSelColor(ColorRGB color) {
    v_Cambios.EditadoAparte();
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SetSelColor(color);
    QTextCharFormat f;
    f.setForeground(AColor(color));
    MezclarFormato(f);
}

void PanelRico::SetSelBold(bool on) {
    v_Cambios.EditadoAparte();
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SetSelBold(on);
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MezclarFormato(f);
}

void PanelRico::SetSelItalic(bool on) {
    v_Cambios.EditadoAparte();
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->SetSelItalic(on);
    QTextCharFormat f;
    f.setFontItalic(on);
    MezclarFormato(f);
}
