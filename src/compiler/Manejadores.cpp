#include "Manejadores.h"
#include "Compilador.h"
// Placeholder handlers until the command groups land.
void Cmd_INIA(Compilador&) {}
void Cmd_INIB(Compilador&) {}
void Cmd_LREG(Compilador&) {}
void Cmd_ACK(Compilador&) {}
void Cmd_FECH(Compilador&) {}
void Cmd_CMD(Compilador&) {}
void Cmd_C(Compilador&) {}
void Cmd_Comentario(Compilador&) {}
void Cmd_Accion(Compilador&) {}
void Cmd_Desconocido(Compilador&) {}
