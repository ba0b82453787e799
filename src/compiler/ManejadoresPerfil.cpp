#include "Compilador.h"
#include "Manejadores.h"
// Placeholder handlers until the profile commands land.
void Cmd_SPER(Compilador&) {}
void Cmd_APER(Compilador&) {}
