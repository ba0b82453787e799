#include "HistoriaEdiciones.h"
#include <QTextDocument>
#include <QTextEdit>

HistoriaEdiciones::HistoriaEdiciones(QTextEdit* caja) : v_Caja(caja) {}

QTextDocument* HistoriaEdiciones::Doc() const { return v_Caja->document(); }

void HistoriaEdiciones::Reiniciar() {
    QTextDocument* doc = Doc();
    const bool activo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);   // empties both stacks
    doc->setUndoRedoEnabled(activo);
    v_Marcas.assign(1, 0);
    v_Indice = 0;
}

int HistoriaEdiciones::Contar() {
    const int n = Doc()->availableUndoSteps();
    if (n > v_Marcas[v_Indice]) {
        // Edits since the mark: a step of their own, and what was undone is gone.
        v_Marcas.resize(v_Indice + 1);
        v_Marcas.push_back(n);
        ++v_Indice;
    } else if (n < v_Marcas[v_Indice]) {
        // Undone from elsewhere (it should not happen): follow the document.
        while (v_Indice > 0 && v_Marcas[v_Indice] > n) --v_Indice;
        v_Marcas.resize(v_Indice + 1);
        if (v_Marcas[v_Indice] != n) {
            v_Marcas.push_back(n);
            ++v_Indice;
        }
    }
    return n;
}

void HistoriaEdiciones::Marcar() { Contar(); }

bool HistoriaEdiciones::Deshacer() {
    Contar();
    if (v_Indice == 0) return false;
    const int meta = v_Marcas[v_Indice - 1];
    QTextDocument* doc = Doc();
    while (doc->availableUndoSteps() > meta) {
        const int antes = doc->availableUndoSteps();
        v_Caja->undo();
        if (doc->availableUndoSteps() >= antes) break;
    }
    --v_Indice;
    return true;
}

bool HistoriaEdiciones::Rehacer() {
    Contar();
    QTextDocument* doc = Doc();
    if (v_Indice + 1 >= v_Marcas.size() || doc->availableRedoSteps() == 0) return false;
    const int meta = v_Marcas[v_Indice + 1];
    while (doc->availableUndoSteps() < meta && doc->availableRedoSteps() > 0) {
        const int antes = doc->availableUndoSteps();
        v_Caja->redo();
        if (doc->availableUndoSteps() <= antes) break;
    }
    ++v_Indice;
    return true;
}
