#include "PanelEspejo.h"
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {
QTextCharFormat AFormato(const Formato& f) {
    QTextCharFormat r;
    r.setForeground(QColor(f.color.r, f.color.g, f.color.b));
    r.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    r.setFontItalic(f.italic);
    return r;
}
}  // namespace

namespace {
constexpr int kEscrituraMs = 10;   // writing time between two yields

bool MismosTramos(const std::vector<PanelMemoria::Tramo>& a, const std::vector<PanelMemoria::Tramo>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].largo != b[i].largo || !(a[i].formato == b[i].formato)) return false;
    return true;
}
}  // namespace

PanelEspejo::PanelEspejo(PanelRico& vista) : vista_(vista) {
    modelo_.SetText(vista_.Text());
    filas_.push_back(FilaModelo(0));
    sucio_ = true;
    Sincronizar();
}

PanelEspejo::Fila PanelEspejo::FilaModelo(int n) const { return {modelo_.Linea(n), modelo_.TramosDe(n)}; }

void PanelEspejo::SetText(const QString& texto) {
    modelo_.SetText(texto);
    sucio_ = true;
}
void PanelEspejo::SetSelText(const QString& texto) {
    modelo_.SetSelText(texto);
    sucio_ = true;
}
void PanelEspejo::SetSelColor(ColorRGB color) {
    modelo_.SetSelColor(color);
    sucio_ = true;
}
void PanelEspejo::SetSelBold(bool on) {
    modelo_.SetSelBold(on);
    sucio_ = true;
}
void PanelEspejo::SetSelItalic(bool on) {
    modelo_.SetSelItalic(on);
    sucio_ = true;
}

void PanelEspejo::Sincronizar() {
    if (!sucio_ || sincronizando_) return;
    sucio_ = false;
    sincronizando_ = true;
    const int nuevas = modelo_.LineCount();
    const int viejas = static_cast<int>(filas_.size());
    // Lines equal at the start and at the end stay as they are in the widget.
    auto igual = [this](int vieja, int nueva) {
        return filas_[vieja].texto == modelo_.Linea(nueva) && MismosTramos(filas_[vieja].tramos, modelo_.TramosDe(nueva));
    };
    int p = 0;
    while (p < nuevas && p < viejas && igual(p, p)) ++p;
    int s = 0;
    while (s < nuevas - p && s < viejas - p && igual(viejas - 1 - s, nuevas - 1 - s)) ++s;
    if (p == nuevas && p == viejas) {
        sincronizando_ = false;
        return;
    }

    QTextDocument* doc = vista_.Caja()->document();
    QTextCursor c(doc);
    c.beginEditBlock();
    int escritas = 0;
    QElapsedTimer reloj;
    reloj.start();
    auto escribir = [&](int n) {
        // A long update is laid out and shown a slice at a time. The slice is
        // short: laying out what it wrote takes longer than writing it.
        if (++escritas % 50 == 0 && ceder_ && reloj.elapsed() >= kEscrituraMs) {
            c.endEditBlock();
            ceder_();
            reloj.restart();
            c.beginEditBlock();
        }
        int pos = 0;
        const QString& texto = modelo_.Linea(n);
        for (const auto& t : modelo_.TramosDe(n)) {
            c.insertText(texto.mid(pos, t.largo), AFormato(t.formato));
            pos += t.largo;
        }
        if (pos < texto.size()) c.insertText(texto.mid(pos), QTextCharFormat());
    };
    if (s > 0) {
        // Lines p .. viejas-s-1 go, each with its break; the new ones come in with theirs.
        c.setPosition(doc->findBlockByNumber(p).position());
        c.setPosition(doc->findBlockByNumber(viejas - s).position(), QTextCursor::KeepAnchor);
        c.removeSelectedText();
        for (int n = p; n < nuevas - s; ++n) {
            escribir(n);
            c.insertText(QStringLiteral("\n"), QTextCharFormat());
        }
    } else if (p > 0) {
        // From the end of line p-1 to the end of the text.
        const QTextBlock b = doc->findBlockByNumber(p - 1);
        c.setPosition(b.position() + b.length() - 1);
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        for (int n = p; n < nuevas; ++n) {
            c.insertText(QStringLiteral("\n"), QTextCharFormat());
            escribir(n);
        }
    } else {
        c.select(QTextCursor::Document);
        c.removeSelectedText();
        for (int n = 0; n < nuevas; ++n) {
            if (n) c.insertText(QStringLiteral("\n"), QTextCharFormat());
            escribir(n);
        }
    }
    c.endEditBlock();

    // Only the rewritten rows change in the record of what the widget shows.
    filas_.erase(filas_.begin() + p, filas_.begin() + (viejas - s));
    std::vector<Fila> medio;
    medio.reserve(nuevas - s - p);
    for (int n = p; n < nuevas - s; ++n) medio.push_back(FilaModelo(n));
    filas_.insert(filas_.begin() + p, std::make_move_iterator(medio.begin()), std::make_move_iterator(medio.end()));
    sincronizando_ = false;
}

int PanelEspejo::FirstVisibleLine() const {
    const_cast<PanelEspejo*>(this)->Sincronizar();
    return vista_.FirstVisibleLine();
}

void PanelEspejo::LineScroll(int lineas) {
    Sincronizar();
    vista_.LineScroll(lineas);
}

void PanelEspejo::SetVisible(bool visible) {
    if (visible) Sincronizar();
    vista_.SetVisible(visible);
}

void PanelEspejo::Refresh() {
    if (!vista_.Visible()) return;
    Sincronizar();
    vista_.Refresh();
}
