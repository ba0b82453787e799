#pragma once
#include <QString>

// Pure text, apart from the serial port code, so that the tools that only
// check a port's name (orvo-gen's destinations) need no serial library.
namespace PuertoSerie {

// Device for the combo text. Linux: COMn (n = 1..8) is /dev/ttyS(n-1), as
// Linux numbers the built-in ports; a text starting with "/" is a device
// path as typed (/dev/ttyUSB0, a pseudo-terminal). Windows: COMn (n = 1..256)
// is opened by that name. Anything else: false, with the message for the
// user in *error.
bool Dispositivo(const QString& texto, QString* dispositivo, QString* error);

}   // namespace PuertoSerie
