#pragma once
#include <QString>

namespace ArchivoSeguro {

// Whether Windows takes `ruta` for a device rather than a file: a reserved
// name as its last part (CON, PRN, AUX, NUL, COM1..9, LPT1..9, CONIN$,
// CONOUT$, with any extension: "nul.txt" is NUL too) or a path in the device
// namespace (\\.\COM1, \\?\...). Pure text, so it is checked on every system.
bool EsDispositivoWindows(const QString& ruta);

}   // namespace ArchivoSeguro
