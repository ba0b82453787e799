#pragma once
#include "PuertoSerie.h"

namespace PuertoSerie {

// The serial devices the system reports now.
QList<Disponible> DelSistema();

}   // namespace PuertoSerie
