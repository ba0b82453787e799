#pragma once
#include <QFont>

// "Courier New" where installed, else a metric-compatible monospace.
QFont FuenteCourier(double puntos);
// The labels' font ("MS Sans Serif" on the original platform): the system sans.
QFont FuenteEtiqueta(double puntos, bool negrita = false);
