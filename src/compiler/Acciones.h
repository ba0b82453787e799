#pragma once

class Compilador;

// Handlers of the action words: each makes its line an action line and
// leaves in v_Accion what the pass does once it stands on that line. TRANS
// and T hand the frames above to the transmission window, "?" opens the
// help, TOOLS the check-byte window.
void Cmd_Transmitir(Compilador&);
void Cmd_Ayuda(Compilador&);
void Cmd_Herramientas(Compilador&);

// Whether a handler is one of the above.
bool EsAccion(void (*manejador)(Compilador&));
