#pragma once
#include "Generar.h"
#include <QByteArray>
#include <QString>
#include <QStringList>

// Where orvo-gen puts what it made. A regular file is replaced in one go
// (a failure leaves the old one whole); anything else named with -o (a
// FIFO, a terminal, /dev/stdout) is written to as a stream and never
// replaced; in a folder others may write to, no link is followed.
namespace Escritura {

// `ruta` empty: standard output. False with the reason in *motivo.
bool Salida(const QString& ruta, const QByteArray& bytes, QString* motivo);

// One script per destination in `carpeta` (made when missing), and
// destinos.txt naming each destination with its script, as orvo-send
// --destinos reads it. False with the reason (file name included) in *motivo.
bool Carpeta(const QString& carpeta, const QList<Tarjetas::Guion>& guiones, QString* motivo);

// The names Carpeta gives the scripts, one per script in order, then
// destinos.txt: every file it would write, known before it writes any.
QStringList f_ArchivosCarpeta(const QList<Tarjetas::Guion>& guiones);

// A destination as a file name: "192.168.1.10:7001" -> "192.168.1.10_7001".
QString f_NombreSeguro(const QString& destino);

}   // namespace Escritura
