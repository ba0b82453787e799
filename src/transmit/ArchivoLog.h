#pragma once
#include <QByteArray>
#include <QString>

// Comm.log at Module1::v_ArchLog: opened for appending, one line written
// with CR LF, closed again, so every line is on disk at once.
namespace ArchivoLog {

// false with the system's reason in *error when the line could not be
// written (the caller names the file).
bool Agregar(const QString& linea, QString* error);
// The same for a log of its own (orvo-send keeps one per clock).
bool Agregar(const QString& ruta, const QString& linea, QString* error);

// The answer line "< " + f_LineaHex(respuesta), written a slice at a time:
// a clock that floods the link must not have its whole answer spelled out
// in memory first.
bool AgregarRespuesta(const QByteArray& respuesta, QString* error);
bool AgregarRespuesta(const QString& ruta, const QByteArray& respuesta, QString* error);

}   // namespace ArchivoLog
