#include "Manejadores.h"
#include "Compilador.h"
// Placeholder handlers until the command groups land.
void Cmd_BREG(Compilador&) {}
void Cmd_EHAB(Compilador&) {}
void Cmd_EINH(Compilador&) {}
void Cmd_EPER(Compilador&) {}
void Cmd_RSET(Compilador&) {}
void Cmd_BING(Compilador&) {}
void Cmd_AING(Compilador&) {}
void Cmd_SPER(Compilador&) {}
void Cmd_APER(Compilador&) {}
void Cmd_SCFG(Compilador&) {}
void Cmd_SCF2(Compilador&) {}
