#pragma once
#include <QString>
#include <utility>

// A message for the user from the run (failed opening, lost link, file
// trouble). The window shows it as a box; orvo-send prints it.
namespace Avisos {

enum class Icono { Critico,
                   Advertencia,
                   Informacion };

struct Aviso {
    Aviso() = default;
    Aviso(Icono i, QString t, QString x, QString h = {}, QString m = {})
        : icono(i), titulo(std::move(t)), texto(std::move(x)), hecho(std::move(h)), motivo(std::move(m)) {}

    Icono icono = Icono::Critico;
    QString titulo;
    QString texto;   // the box's words
    // The same as data, for those who word it their own way: what failed
    // ("Error al abrir el puerto COM1") and the system's reason, if any.
    QString hecho;
    QString motivo;
};

}   // namespace Avisos
