#pragma once
#include "EnvioDestino.h"
#include <QString>
#include <vector>

// The summary printed at the end, one row per target in the order given.
QString f_ResumenTabla(const std::vector<EnvioDestino*>& envios);
QString f_ResumenJSON(const std::vector<EnvioDestino*>& envios);

// Exit status of one target: 0 every answer full, 3 some missing or short or
// its log not whole, 4 link trouble.
int f_EstadoSalida(const ResultadoDestino& r);
