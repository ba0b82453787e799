#pragma once
#include <QMetaObject>
#include <functional>
#include <utility>

class QTextDocument;
class QTextEdit;

// Counts what changed in the command pane's document since the compile pass
// last marked it, so that a pass reads only the lines changed (a long list
// is not read whole for one line), and notices edits by the user that touch
// more than one line (a cut, a paste, a drop), which compile at once.
//
// Guarantees: the count answers only for the widget's own document. While
// the pane's text is held apart the count answers "nothing known" (0, 0);
// a mark set while apart holds once the text is handed back, unless the
// text apart was edited after the mark.
class CambiosPanel {
public:
    // enLote: whether the pane is inside a batch (its own edits, not the user's).
    CambiosPanel(QTextEdit* caja, std::function<bool()> enLote);
    ~CambiosPanel();
    CambiosPanel(const CambiosPanel&) = delete;
    CambiosPanel& operator=(const CambiosPanel&) = delete;

    // Watches the widget's document (again, after it was replaced).
    void Seguir();
    void Marcar(bool aparte);
    // Lines unchanged at the start and at the end since the mark.
    std::pair<int, int> SinCambios(bool aparte) const;
    // The text apart was edited: a mark set meanwhile no longer holds.
    void EditadoAparte() { v_MarcaAparte = false; }
    // The text apart is the widget's again.
    void Devuelto();
    // Edits made through the pane's interface are not the user's.
    bool& Propio() { return v_Propio; }

    int PrimeraDeVarias() const { return v_PrimeraVarias; }
    void OlvidarVarias() { v_PrimeraVarias = -1; }
    void SetAlCambiarVarias(std::function<void()> alCambiar) { v_AlCambiarVarias = std::move(alCambiar); }

private:
    void Cambio(QTextDocument* doc, int desde, int quitados, int agregados);

    QTextEdit* v_Caja;
    std::function<bool()> v_EnLote;
    QMetaObject::Connection v_Seguimiento;
    int v_Bloques = 1;
    int v_PrimeraVarias = -1;
    bool v_Propio = false;   // the change comes through the interface, not from the user
    std::function<void()> v_AlCambiarVarias;
    bool v_Marcado = false;
    bool v_MarcaAparte = false;   // marked while the text was apart
    // Where the changes since the mark start (a Qt position) and end
    // (characters after them, to the end of the text).
    int v_CambioDesde = 0;
    int v_CambioFin = 0;
};
