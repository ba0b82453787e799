#pragma once
#include <QString>

// A message for the user from the run (failed opening, lost link, file
// trouble). The window shows it as a box; orvo-send prints it.
namespace Avisos {

enum class Icono { Critico,
                   Advertencia,
                   Informacion };

struct Aviso {
    Icono icono = Icono::Critico;
    QString titulo;
    QString texto;
};

}   // namespace Avisos
