#pragma once
#include <QString>

class Compilador;

// Writes Codigo.tmp and Comandos.tmp (paths in Module1::v_ArchCodigo and
// v_ArchComandos) from the panes as the pass stands at a transmission: each
// non-empty code line with the command line that produced it. Windows-1252,
// CR LF. On failure returns false with the reason in *error.
bool LlenarArchTmp(const Compilador& c, QString* error);
