#pragma once
#include "Opciones.h"
#include <QList>
#include <QString>

// The --destinos file: one target per line, "HOST[:PUERTO]" or a device
// path, optionally followed by the target's own command file (relative to
// the list's folder; in double quotes when it holds blanks). Blank lines are
// skipped, and '#' starts a comment (at the start of a line or of a word). UTF-8 (a BOM is dropped) or
// Windows-1252; UTF-16 is refused by name.
bool LeerArchivoDestinos(const QString& ruta, QList<Destino>* destinos, QString* error);

// The same format, written back: the targets whose run did not end well,
// each with its own command file when it had one, so that the list can be
// given to --destinos again. With none, the file is removed.
bool EscribirFallidos(const QString& ruta, const QList<Destino>& fallidos, QString* error);
