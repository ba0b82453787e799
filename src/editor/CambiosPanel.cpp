#include "CambiosPanel.h"
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <climits>

CambiosPanel::CambiosPanel(QTextEdit* caja, std::function<bool()> enLote) : v_Caja(caja), v_EnLote(std::move(enLote)) {
    Seguir();
}

// The widget may outlive the pane: none of its signals may reach it.
CambiosPanel::~CambiosPanel() { QObject::disconnect(v_Seguimiento); }

void CambiosPanel::Seguir() {
    QObject::disconnect(v_Seguimiento);
    v_Marcado = false;
    QTextDocument* doc = v_Caja->document();
    v_Bloques = doc->blockCount();
    v_Seguimiento = QObject::connect(doc, &QTextDocument::contentsChange, v_Caja,
                                     [this, doc](int desde, int quitados, int agregados) { Cambio(doc, desde, quitados, agregados); });
}

void CambiosPanel::Cambio(QTextDocument* doc, int desde, int quitados, int agregados) {
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
    if (!varias || unaTecla || v_EnLote() || v_Propio) return;
    v_PrimeraVarias = v_PrimeraVarias < 0 ? std::max(0, primera) : std::min(v_PrimeraVarias, std::max(0, primera));
    if (v_AlCambiarVarias) v_AlCambiarVarias();
}

void CambiosPanel::Marcar(bool aparte) {
    v_Marcado = !aparte;
    v_MarcaAparte = aparte;
    v_CambioDesde = INT_MAX;
    v_CambioFin = INT_MAX;
}

void CambiosPanel::Devuelto() {
    // The text handed back is the one the mark was set on.
    if (v_MarcaAparte) v_Marcado = true;
    v_MarcaAparte = false;
}

std::pair<int, int> CambiosPanel::SinCambios(bool aparte) const {
    if (!v_Marcado || aparte) return {0, 0};
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
