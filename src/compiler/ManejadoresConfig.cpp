#include "Compilador.h"
#include "Manejadores.h"
// Placeholder handlers until the configuration commands land.
void Cmd_SCFG(Compilador&) {}
void Cmd_SCF2(Compilador&) {}
