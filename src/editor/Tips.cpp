#include "Tips.h"
// Placeholder until the tips land.
void ProponerArgs(PanelTexto&, const PanelTexto&, const EstadoTip&, int&) {}
