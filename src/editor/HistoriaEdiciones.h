#pragma once
#include <cstddef>
#include <vector>

class QTextDocument;
class QTextEdit;

// Undo and redo by the user's edits. The command pane's document records
// every change, the compile pass's rewrites and colours too; a step here is
// all that changed between two passes (what the user did and the rewrite it
// caused), so an undo never stops between a line as typed and the same line
// rewritten, and a redo outlives passes that change nothing.
class HistoriaEdiciones {
public:
    explicit HistoriaEdiciones(QTextEdit* caja);

    // A fresh history: the text as it stands now cannot be undone.
    void Reiniciar();
    // A step ends here (after a pass).
    void Marcar();
    // One step back or forth; false when there is none.
    bool Deshacer();
    bool Rehacer();

private:
    QTextDocument* Doc() const;
    // Steps recorded in the document now, with the marks brought in line.
    int Contar();

    QTextEdit* v_Caja;
    std::vector<int> v_Marcas{0};   // the document's undo steps at each step's end
    size_t v_Indice = 0;            // the mark the text stands at
};
