#pragma once
#include <QString>
#include <functional>

class QObject;

// Pieces every command-line tool of Orvo shares.
namespace Consola {

// Text as UTF-8 on stdout or stderr, nothing added.
void Salida(const QString& texto);
void Errores(const QString& texto);

// --help and --version: prints the help or the version line and returns
// true when either was asked for (the tool then ends with status 0).
bool Informar(bool ayuda, const char* textoAyuda, bool version, const QString& lineaVersion);

// Ctrl+C (SIGINT, SIGTERM; on Windows the console's Ctrl+C, Ctrl+Break and
// close) calls `accion` from the event loop of `padre`, never from the
// handler itself.
void AlInterrumpir(QObject* padre, std::function<void()> accion);

// Qt's own texts (socket and serial port errors) in Spanish when the
// translation is installed.
void TraducirQt();

// Raises the open-files limit to the hard limit: a tool serving or
// reaching hundreds of clocks needs a descriptor for each.
void AmpliarDescriptores();

}   // namespace Consola
