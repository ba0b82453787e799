#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>

// The command line of every Orvo tool, read one way: a table of options, and
// --help (-h) and --version known to all. A usage error is told the same way
// by every tool: "TOOL: problem" and "Pruebe "TOOL --help"." on stderr, status 2.
namespace Consola {

struct Opcion {
    const char* largo;   // "salida" for --salida
    char corto;          // 'o' for -o; 0 when there is none
    bool conValor;
    // Takes the value (empty for an option without one). False refuses it:
    // with *error left empty the message is "valor inválido para --LARGO: VALOR".
    std::function<bool(const QString& valor, QString* error)> aplicar;
};

struct Lectura {
    enum class Pedido { Seguir,
                        Ayuda,
                        Version,
                        Error };
    Pedido pedido = Pedido::Seguir;
    QStringList posicionales;   // "-" is one (standard input); after "--" everything is
    QString problema;           // the first usage error (Pedido::Error)
};

// Reads args (without the program name). --help, -h and --version win
// wherever they stand before "--", even after a bad option.
Lectura Leer(const QStringList& args, std::span<const Opcion> tabla);

// What each tool tells of itself.
struct Herramienta {
    const char* nombre;   // "orvo-gen"
    const char* ayuda;    // the whole --help text
};

// "NAME 2.0.0" and the licence lines.
QString TextoVersion(const char* nombre);

// Prints the help, the version or the usage error a reading asks for and
// gives the status to end with; nothing when the tool goes on.
std::optional<int> Atender(const Herramienta& h, const Lectura& l);

// Leer() then Atender(): the tool's positional arguments in *posicionales.
std::optional<int> LeerLinea(const Herramienta& h, const QStringList& args, std::span<const Opcion> tabla,
                             QStringList* posicionales);

// Ready-made ways to take a value.
std::function<bool(const QString&, QString*)> Marca(bool* destino);
std::function<bool(const QString&, QString*)> Texto(QString* destino);
std::function<bool(const QString&, QString*)> Entero(int* destino, int minimo);

}   // namespace Consola
