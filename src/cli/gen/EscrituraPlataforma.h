#pragma once
#include <QByteArray>
#include <QString>

// What each system does with the file -o names.
namespace Escritura {

// A regular file (or a new name) replaced in one go.
bool Reemplazar(const QString& ruta, const QByteArray& bytes, QString* motivo);

// Writes `bytes` where `ruta` points: a regular file replaced, a device or
// a pipe written as a stream, a folder refused.
bool EscribirRuta(const QString& ruta, const QByteArray& bytes, QString* motivo);

}   // namespace Escritura
