#pragma once
#include <QString>
#include <functional>

class QObject;

// Pieces every command-line tool of Orvo shares.
namespace Consola {

// Text as UTF-8 on stdout or stderr, nothing added.
void Salida(const QString& texto);
void Errores(const QString& texto);
// Bytes as they are (a script in Windows-1252). False when they could not all be written.
bool SalidaBytes(const QByteArray& bytes);
bool ErroresBytes(const QByteArray& bytes);

// A usage error: "HERRAMIENTA: problema" and "Pruebe "HERRAMIENTA --help"."
// on stderr. Gives 2, the status a usage error ends with.
int ErrorDeUso(const QString& herramienta, const QString& problema);

// A script or sheet named on the command line: "-" is standard input,
// bounded as a file is (64 MB); anything else a regular file. False with the
// reason (without the name) in *motivo.
bool LeerEntrada(const QString& ruta, QByteArray* bytes, QString* motivo);

// --help and --version: prints the help or the version line and returns
// true when either was asked for (the tool then ends with status 0).
bool Informar(bool ayuda, const char* textoAyuda, bool version, const QString& lineaVersion);

// Ctrl+C (SIGINT, SIGTERM, SIGHUP; on Windows the console's Ctrl+C,
// Ctrl+Break and close) calls `accion` from the event loop of `padre`, never
// from the handler itself.
void AlInterrumpir(QObject* padre, std::function<void()> accion);

// Qt's own texts (socket and serial port errors) in Spanish when the
// translation is installed.
void TraducirQt();

// Before the application object: an event loop for thousands of sockets
// and timers (DespachadorEpoll on Linux). Elsewhere Qt's plain loop rather
// than GLib's, which looks a socket up in a list of all of them whenever its
// wait changes (Windows has no GLib: nothing changes there).
void BucleParaMuchos();

// A reader that goes away (| head) ends no tool: writes to it fail and the
// tool carries on (POSIX sends SIGPIPE, which is ignored; Windows sends nothing).
void SeguirSinLector();

// Raises the open-files limit to the hard limit: a tool serving or
// reaching hundreds of clocks needs a descriptor for each.
void AmpliarDescriptores();
// The open-files limit now in force (the soft one); -1 when unbounded.
long LimiteDescriptores();

}   // namespace Consola
