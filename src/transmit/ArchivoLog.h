#pragma once
#include <QString>

// Comm.log at Module1::v_ArchLog: opened for appending, one line written
// with CR LF, closed again, so every line is on disk at once.
namespace ArchivoLog {

// false with the reason in *error when the line could not be written.
bool Agregar(const QString& linea, QString* error);
// The same for a log of its own (orvo-send keeps one per clock).
bool Agregar(const QString& ruta, const QString& linea, QString* error);

}  // namespace ArchivoLog
