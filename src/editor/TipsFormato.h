#pragma once
// Formatting of the tip pane's text, one routine per kind of tip. Used by
// ProponerArgs only; apart so that each rule reads like its description.
#include "TablaComandos.h"

class PanelTexto;

// Selects [desde, desde + largo) of the pane (clamped by the pane).
void SeleccionarTip(PanelTexto& tx_Tip, int desde, int largo);
// Selects from desde to the end of the text.
void SeleccionarHastaFin(PanelTexto& tx_Tip, int desde);
// Whole text selected, bold and italic off, black.
void QuitarFormato(PanelTexto& tx_Tip);
// Replaces the text; it starts plain black whatever the pane held before.
void PonerTextoTip(PanelTexto& tx_Tip, const QString& texto);

// A command's template with the argument being typed highlighted; c is the
// argument count of the typed line.
void FormatearPlantilla(PanelTexto& tx_Tip, const DefComando& def, int c);
// "--", TRANS, "?": their description, italic, in their colour.
void FormatearDescripcion(PanelTexto& tx_Tip, const DefComando& def);
// Any other word: W + " no es un comando válido", red italic.
void FormatearDesconocido(PanelTexto& tx_Tip, const QString& palabra);
