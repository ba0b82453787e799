#include "TipsFormato.h"
#include "PanelTexto.h"
#include "TextoDeUnaFila.h"
#include <algorithm>
#include <array>

namespace {
constexpr int kPalabraVisible = 64;
}   // namespace

void SeleccionarTip(PanelTexto& tx_Tip, int desde, int largo) {
    tx_Tip.SetSelStart(desde);
    tx_Tip.SetSelLength(largo);
}

void SeleccionarHastaFin(PanelTexto& tx_Tip, int desde) {
    SeleccionarTip(tx_Tip, desde, std::max(0, tx_Tip.Length() - desde));
}

void QuitarFormato(PanelTexto& tx_Tip) {
    SeleccionarTip(tx_Tip, 0, tx_Tip.Length());
    tx_Tip.SetSelBold(false);
    tx_Tip.SetSelItalic(false);
    tx_Tip.SetSelColor(Colores::Negro);
}

void PonerTextoTip(PanelTexto& tx_Tip, const QString& texto) {
    // A pane may give new text the format of the old caret (italic, red):
    // the command word of a template must come out plain.
    QuitarFormato(tx_Tip);
    tx_Tip.SetText(texto);
    QuitarFormato(tx_Tip);
}

namespace {

// INIA, INIB, LREG, BREG, EHAB, EINH, EPER, RSET: nReloj always bold italic;
// only its colour tells that too many arguments were typed.
void FormatearUnArgumento(PanelTexto& tx_Tip, const DefComando& def, int c) {
    SeleccionarTip(tx_Tip, def.nombres[0].inicio, def.nombres[0].largo);
    if (c > 1) {
        SeleccionarTip(tx_Tip, 0, tx_Tip.Length());
        tx_Tip.SetSelColor(Colores::Rojo);
        SeleccionarHastaFin(tx_Tip, def.nombres[0].inicio);
    }
    tx_Tip.SetSelBold(true);
    tx_Tip.SetSelItalic(true);
}

// ACK: "[sin argumentos]" italic; any argument turns the tip red and wider.
void FormatearSinArgumentos(PanelTexto& tx_Tip, const DefComando& def, int c) {
    constexpr int kDesde = 4;   // after "ACK "
    SeleccionarHastaFin(tx_Tip, kDesde);
    tx_Tip.SetSelItalic(true);
    if (c == 0) return;
    tx_Tip.SetWidth(def.anchoExceso);
    SeleccionarTip(tx_Tip, 0, tx_Tip.Length());
    tx_Tip.SetSelColor(Colores::Rojo);
    SeleccionarHastaFin(tx_Tip, kDesde);
    tx_Tip.SetSelBold(true);
}

// FECH, BING, AING, SPER, APER, SCFG, SCF2 and CMD: the names italic, the one
// being typed bold; too many arguments: all red, every name bold.
void FormatearVarios(PanelTexto& tx_Tip, const DefComando& def, int c) {
    constexpr int kDesde = 4;
    SeleccionarHastaFin(tx_Tip, kDesde);
    tx_Tip.SetSelItalic(true);
    const int n = def.nNombres;
    if (n > 0 && c <= n) {
        const NombreArg& nombre = def.nombres[c < 2 ? 0 : c - 1];
        SeleccionarTip(tx_Tip, nombre.inicio, nombre.largo);
    }
    if (c > n) {
        tx_Tip.SetWidth(def.anchoExceso);
        SeleccionarTip(tx_Tip, 0, tx_Tip.Length());
        tx_Tip.SetSelColor(Colores::Rojo);
        // The names start after the word and its blank: 5 for four letters, 4 for CMD.
        SeleccionarHastaFin(tx_Tip, static_cast<int>(qstrlen(def.palabra)) + 1);
    }
    tx_Tip.SetSelBold(true);
}

using Formateador = void (*)(PanelTexto&, const DefComando&, int);
// Indexed by FormaPlantilla.
constexpr std::array<Formateador, 3> kFormateadores{FormatearUnArgumento, FormatearSinArgumentos, FormatearVarios};

}   // namespace

void FormatearPlantilla(PanelTexto& tx_Tip, const DefComando& def, int c) {
    tx_Tip.SetWidth(def.ancho);
    PonerTextoTip(tx_Tip, QString::fromUtf8(def.plantilla));
    kFormateadores[static_cast<size_t>(def.forma)](tx_Tip, def, c);
}

void FormatearDescripcion(PanelTexto& tx_Tip, const DefComando& def) {
    tx_Tip.SetWidth(def.ancho);
    PonerTextoTip(tx_Tip, QString::fromUtf8(def.plantilla));
    SeleccionarTip(tx_Tip, 0, tx_Tip.Length());
    tx_Tip.SetSelColor(def.colorDescripcion);
    tx_Tip.SetSelItalic(true);
}

void FormatearDesconocido(PanelTexto& tx_Tip, const QString& palabra) {
    static const QString kCola = QStringLiteral(" no es un comando válido");
    // A word longer than any command is cut: the tip is sized by it.
    const QString visible = f_TextoDeUnaFila(palabra, kPalabraVisible);
    const int largo = static_cast<int>(visible.size());
    tx_Tip.SetWidth(100 * largo + 2050);
    PonerTextoTip(tx_Tip, visible + kCola);
    SeleccionarTip(tx_Tip, 0, tx_Tip.Length());
    tx_Tip.SetSelColor(Colores::Rojo);
    tx_Tip.SetSelItalic(true);
}
