#pragma once
#include "EnvioDestino.h"
#include <QString>

// One Spanish sentence for stderr about a target that did not end well:
// what failed, the reason and what to do about it. Empty when it ended
// well or was stopped by the user.
QString f_FraseFalla(const Destino& d, const ResultadoDestino& r);
