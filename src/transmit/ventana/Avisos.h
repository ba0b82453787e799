#pragma once
#include "Aviso.h"
#include <QString>
#include <functional>

class QWidget;

// Message boxes of the transmission window go through here, so tests can
// take them instead of a blocking box.
namespace Avisos {

using Manejador = std::function<void(QWidget* padre, const Aviso&)>;

// Shows the box (modal, OK button), or hands it to the installed handler.
void Mostrar(QWidget* padre, const Aviso& aviso);

// Installs a handler in place of the box; an empty one restores the box.
// Returns the previous handler.
Manejador Instalar(Manejador m);

}   // namespace Avisos
