#pragma once
class Compilador;

// Command handlers: each ends with TipoLinea set and, for a command line,
// v_CodLin. The action words' handlers are in Acciones.h.
void Cmd_INIA(Compilador&);
void Cmd_INIB(Compilador&);
void Cmd_LREG(Compilador&);
void Cmd_ACK(Compilador&);
void Cmd_FECH(Compilador&);
void Cmd_BREG(Compilador&);
void Cmd_EHAB(Compilador&);
void Cmd_EINH(Compilador&);
void Cmd_EPER(Compilador&);
void Cmd_RSET(Compilador&);
void Cmd_BING(Compilador&);
void Cmd_AING(Compilador&);
void Cmd_SPER(Compilador&);
void Cmd_APER(Compilador&);
void Cmd_SCFG(Compilador&);
void Cmd_SCF2(Compilador&);
void Cmd_CMD(Compilador&);
void Cmd_C(Compilador&);
void Cmd_Comentario(Compilador&);
void Cmd_Desconocido(Compilador&);
