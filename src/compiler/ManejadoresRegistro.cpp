#include "Compilador.h"
#include "Manejadores.h"
// Placeholder handlers until the register and card commands land.
void Cmd_BREG(Compilador&) {}
void Cmd_EHAB(Compilador&) {}
void Cmd_EINH(Compilador&) {}
void Cmd_EPER(Compilador&) {}
void Cmd_RSET(Compilador&) {}
void Cmd_BING(Compilador&) {}
void Cmd_AING(Compilador&) {}
