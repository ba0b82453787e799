#pragma once
#include <QString>

class QFile;

// What each system's safe file routines give the shared reading code.
namespace ArchivoSeguro {

// Opens a regular file for reading into `archivo`, never waiting and never
// taking a device, a pipe or a folder; `propio` as for Leer().
bool AbrirLectura(QFile& archivo, const QString& ruta, bool propio, QString* motivo);

}   // namespace ArchivoSeguro
