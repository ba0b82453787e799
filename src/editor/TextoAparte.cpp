#include "TextoAparte.h"
#include "PanelMemoria.h"
#include <QElapsedTimer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <utility>
#include <vector>

namespace {
constexpr int kRebanadaMs = 25;   // work between two yields of a long step
}   // namespace

// Only what differs from plain text is set, as the pane's own colouring does.
QTextCharFormat TextoAparte::FormatoQt(const Formato& f) {
    QTextCharFormat r;
    r.setForeground(QColor(f.color.r, f.color.g, f.color.b));
    if (f.bold) r.setFontWeight(QFont::Bold);
    if (f.italic) r.setFontItalic(true);
    return r;
}

TextoAparte::TextoAparte(QTextEdit* caja, std::function<void(QTextDocument*)> preparar,
                         std::function<void(QTextCursor&)> fila)
    : v_Caja(caja), v_Preparar(std::move(preparar)), v_Fila(std::move(fila)) {}

TextoAparte::~TextoAparte() = default;

void TextoAparte::EmpezarModelo() { v_Modelo = std::make_unique<PanelMemoria>(); }

QTextDocument* TextoAparte::EmpezarCopia() {
    v_Documento = Clonar();
    return v_Documento;
}

QTextDocument* TextoAparte::SoltarDocumento() { return std::exchange(v_Documento, nullptr); }

QTextDocument* TextoAparte::Clonar() const {
    QTextDocument* original = v_Caja->document();
    QTextDocument* copia = original->clone(v_Caja);
    // A copy keeps the margin in its frame but not as its own figure.
    copia->setDocumentMargin(original->documentMargin());
    copia->setUndoRedoEnabled(false);
    v_Preparar(copia);
    return copia;
}

std::unique_ptr<PanelMemoria> TextoAparte::EscribirModelo(const std::function<void()>& ceder) {
    // A copy of the widget's empty document keeps the default font, the
    // margins and the row height; the text goes in run by run, each with its
    // format, through one cursor at the end. The model answers for the pane
    // until its text is all written.
    const PanelMemoria& m = *v_Modelo;
    QTextDocument* doc = Clonar();
    QTextCursor c(doc);
    QElapsedTimer reloj;
    reloj.start();
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    c.removeSelectedText();
    c.setCharFormat(QTextCharFormat());
    v_Fila(c);
    const QTextCharFormat simple;
    // Each line a block of the row format, added as a block: a line break
    // inserted as text looks the block's format up again for every line.
    const QTextBlockFormat fila = c.blockFormat();
    std::vector<std::pair<Formato, QTextCharFormat>> usados;   // a few formats, converted once
    auto formato = [&usados](const Formato& f) -> const QTextCharFormat& {
        for (const auto& [de, qt] : usados)
            if (de == f) return qt;
        usados.emplace_back(f, FormatoQt(f));
        return usados.back().second;
    };
    for (int n = 0; n < m.LineCount(); ++n) {
        if (ceder && n % 64 == 0 && reloj.elapsed() >= kRebanadaMs) {
            ceder();
            reloj.restart();
        }
        if (n > 0) c.insertBlock(fila, simple);
        const QString texto = m.Linea(n);
        int pos = 0;
        for (const auto& t : m.TramosDe(n)) {
            c.insertText(texto.mid(pos, t.largo), formato(t.formato));
            pos += t.largo;
        }
        if (pos < texto.size()) c.insertText(pos == 0 ? texto : texto.mid(pos), simple);
    }
    c.endEditBlock();
    v_Documento = doc;
    return std::move(v_Modelo);
}
