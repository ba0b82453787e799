#pragma once
class PanelTexto;

// Line routines of the shared module, on top of a pane's messages.
int LineaActual(const PanelTexto& panel);              // line of the caret
int InicioLinea(const PanelTexto& panel, int linea);   // first index of a line, -1 if none
int LargoLinea(const PanelTexto& panel, int indice);   // length of the line holding indice, plus 1
