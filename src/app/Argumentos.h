#pragma once
#include <QStringList>

// What the command line of orvo asks for: "orvo [--help | --version] [ARCHIVO]".
struct Argumentos {
    enum class Pedido { Abrir,
                        Ayuda,
                        Version,
                        Error };
    Pedido pedido = Pedido::Abrir;
    QString archivo;    // empty: start with a new script
    QString problema;   // why the line was refused (Pedido::Error)
};

// Reads the arguments after the program name. --help and --version win
// wherever they stand before "--"; after "--" every argument is a file name.
Argumentos LeerArgumentos(const QStringList& args);

// The same, on the raw command line before QApplication has taken its own
// options (-platform, -style, ...) out of it: a bad line is refused even
// where no window can be opened.
Argumentos LeerArgumentosSinVentana(const QStringList& args);

QString TextoAyuda();
QString TextoVersion();
