#pragma once
#include <QString>

// A caption built from a line of the script (the progress line, an error
// entry, the tip) shown on one row. A file read by mistake may hold a line
// of millions of characters, or breaks Qt would start a new row at: measuring
// or eliding such a caption took seconds and spilled it onto a second row.
// The caption is cut at `maximo` characters (marked with "…") and its breaks
// become blanks; the script itself is never touched.
QString f_TextoDeUnaFila(const QString& texto, int maximo);
