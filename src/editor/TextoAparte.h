#pragma once
#include <functional>
#include <memory>

class PanelMemoria;
struct Formato;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;
class QTextEdit;

// Where a pane's text goes while a whole file is written and coloured line by
// line: away from the widget, so that no layout runs until it is handed back.
// An empty pane with a plain typing format writes into a plain in-memory
// model (cursor edits of a rich document cost far more), turned into a
// document in one go, slice by slice, when handed back; any other pane
// writes into a copy of its document.
//
// Guarantees: at most one of the two is held; a document written from the
// model has the widget's font, margins and row layout, and each run of text
// its format.
class TextoAparte {
public:
    // preparar: gives a document the pane's row layout; fila: the row height
    // on a cursor's blocks.
    TextoAparte(QTextEdit* caja, std::function<void(QTextDocument*)> preparar,
                std::function<void(QTextCursor&)> fila);
    ~TextoAparte();
    TextoAparte(const TextoAparte&) = delete;
    TextoAparte& operator=(const TextoAparte&) = delete;

    bool Activo() const { return v_Documento != nullptr || v_Modelo != nullptr; }
    QTextDocument* Documento() const { return v_Documento; }
    PanelMemoria* Modelo() const { return v_Modelo.get(); }

    // The model, empty, caret at 0, plain typing format.
    void EmpezarModelo();
    // A copy of the widget's document takes the edits.
    QTextDocument* EmpezarCopia();
    // The model written into a document (ceder, if given, between slices),
    // which is held from now on; the model is handed back to the caller.
    std::unique_ptr<PanelMemoria> EscribirModelo(const std::function<void()>& ceder);
    // The document apart, let go: the widget takes it.
    QTextDocument* SoltarDocumento();
    // A model's format as the widget's: only what differs from plain text is set.
    static QTextCharFormat FormatoQt(const Formato& f);

private:
    // A copy of the widget's document (text, formats, font, margins), with no undo history.
    QTextDocument* Clonar() const;

    QTextEdit* v_Caja;
    std::function<void(QTextDocument*)> v_Preparar;
    std::function<void(QTextCursor&)> v_Fila;
    QTextDocument* v_Documento = nullptr;
    std::unique_ptr<PanelMemoria> v_Modelo;
};
