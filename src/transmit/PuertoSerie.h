#pragma once
#include <QString>
#include <QStringList>

// Serial port entries of cmb_Port and the device each one opens.
namespace PuertoSerie {

// "COM1" .. "COM8", in list order (the index is what Orvo.cfg keeps).
QStringList Lista();

// Device for the combo text: COMn (n = 1..8) is /dev/ttyS(n-1), as Linux
// numbers the built-in ports; a text starting with "/" is a device path
// as typed (/dev/ttyUSB0, a pseudo-terminal). Anything else: false, with
// the message for the user in *error.
bool Dispositivo(const QString& texto, QString* dispositivo, QString* error);

}  // namespace PuertoSerie
