#pragma once
#include <QString>

class Compilador;

// What an action word does while the pass stands on its line: TRANS and T
// hand the frames above to the transmission window, "?" opens the help,
// TOOLS the check-byte window.
void EjecutarAccion(Compilador& c, const QString& palabra);
