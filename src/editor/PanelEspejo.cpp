#include "PanelEspejo.h"
#include <QElapsedTimer>
#include <QEvent>
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
}   // namespace

namespace {
constexpr int kEscrituraMs = 10;   // writing time between two yields

bool MismosTramos(const std::vector<PanelMemoria::Tramo>& a, const std::vector<PanelMemoria::Tramo>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].largo != b[i].largo || !(a[i].formato == b[i].formato)) return false;
    return true;
}
}   // namespace

namespace {
// Sees the widget's paint events first: the pane is brought up to date before it paints.
class Vigia : public QObject {
public:
    explicit Vigia(PanelEspejo& espejo) : v_Espejo(espejo) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) v_Espejo.Sincronizar(false);
        return false;
    }

private:
    PanelEspejo& v_Espejo;
};
}   // namespace

PanelEspejo::PanelEspejo(PanelRico& vista) : v_Vista(vista) {
    v_Modelo.SetText(v_Vista.Text());
    v_Filas.push_back(FilaModelo(0));
    v_Sucio = true;
    Sincronizar();
    v_Vigia = std::make_unique<Vigia>(*this);
    v_Vista.Caja()->viewport()->installEventFilter(v_Vigia.get());
}

PanelEspejo::~PanelEspejo() = default;

void PanelEspejo::Ensuciar() {
    v_Sucio = true;
    if (v_Pedida) return;
    v_Pedida = true;
    QMetaObject::invokeMethod(
        v_Vista.Caja(),
        [this, vida = std::weak_ptr<int>(v_Vida)] {
            if (vida.expired()) return;
            v_Pedida = false;
            // A hidden pane (the pass at work) is brought up to date when shown.
            if (v_Vista.Visible()) Sincronizar();
        },
        Qt::QueuedConnection);
}

PanelEspejo::Fila PanelEspejo::FilaModelo(int n) const { return {v_Modelo.Linea(n), v_Modelo.TramosDe(n)}; }

void PanelEspejo::SetText(const QString& texto) {
    v_Modelo.SetText(texto);
    Ensuciar();
}
void PanelEspejo::SetSelText(const QString& texto) {
    v_Modelo.SetSelText(texto);
    Ensuciar();
}
void PanelEspejo::AgregarLinea(const QString& texto, const ColorRGB* color) {
    v_Modelo.AgregarLinea(texto, color);
    Ensuciar();
}
void PanelEspejo::SetSelColor(ColorRGB color) {
    v_Modelo.SetSelColor(color);
    Ensuciar();
}
void PanelEspejo::SetSelBold(bool on) {
    v_Modelo.SetSelBold(on);
    Ensuciar();
}
void PanelEspejo::SetSelItalic(bool on) {
    v_Modelo.SetSelItalic(on);
    Ensuciar();
}

void PanelEspejo::Sincronizar(bool ceder) {
    if (!v_Sucio || v_Sincronizando) return;
    v_Sucio = false;
    v_Sincronizando = true;
    const int nuevas = v_Modelo.LineCount();
    const int viejas = static_cast<int>(v_Filas.size());
    // Lines equal at the start and at the end stay as they are in the widget.
    auto igual = [this](int vieja, int nueva) {
        return v_Filas[vieja].texto == v_Modelo.Linea(nueva) && MismosTramos(v_Filas[vieja].tramos, v_Modelo.TramosDe(nueva));
    };
    int p = 0;
    while (p < nuevas && p < viejas && igual(p, p)) ++p;
    int s = 0;
    while (s < nuevas - p && s < viejas - p && igual(viejas - 1 - s, nuevas - 1 - s)) ++s;
    if (p == nuevas && p == viejas) {
        v_Sincronizando = false;
        return;
    }

    QTextDocument* doc = v_Vista.Caja()->document();
    QTextCursor c(doc);
    c.beginEditBlock();
    int escritas = 0;
    QElapsedTimer reloj;
    reloj.start();
    auto escribir = [&](int n) {
        // A long update is laid out and shown a slice at a time. The slice is
        // short: laying out what it wrote takes longer than writing it.
        if (++escritas % 50 == 0 && ceder && v_Ceder && reloj.elapsed() >= kEscrituraMs) {
            c.endEditBlock();
            v_Ceder();
            reloj.restart();
            c.beginEditBlock();
        }
        int pos = 0;
        const QString& texto = v_Modelo.Linea(n);
        for (const auto& t : v_Modelo.TramosDe(n)) {
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
    v_Filas.erase(v_Filas.begin() + p, v_Filas.begin() + (viejas - s));
    std::vector<Fila> medio;
    medio.reserve(nuevas - s - p);
    for (int n = p; n < nuevas - s; ++n) medio.push_back(FilaModelo(n));
    v_Filas.insert(v_Filas.begin() + p, std::make_move_iterator(medio.begin()), std::make_move_iterator(medio.end()));
    v_Sincronizando = false;
}

int PanelEspejo::FirstVisibleLine() const {
    const_cast<PanelEspejo*>(this)->Sincronizar();
    return v_Vista.FirstVisibleLine();
}

void PanelEspejo::LineScroll(int lineas) {
    Sincronizar();
    v_Vista.LineScroll(lineas);
}

void PanelEspejo::SetVisible(bool visible) {
    if (visible) Sincronizar();
    v_Vista.SetVisible(visible);
}

void PanelEspejo::Refresh() {
    if (!v_Vista.Visible()) return;
    Sincronizar();
    v_Vista.Refresh();
}
