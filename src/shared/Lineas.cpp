#include "Lineas.h"
#include "PanelTexto.h"

int LineaActual(const PanelTexto& panel) { return panel.LineFromChar(-1); }

int InicioLinea(const PanelTexto& panel, int linea) { return panel.LineIndex(linea); }

int LargoLinea(const PanelTexto& panel, int indice) { return panel.LineLength(indice) + 1; }
