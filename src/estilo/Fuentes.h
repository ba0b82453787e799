#pragma once
#include <QFont>

// The faces of every window, in one place.

// "Courier New" where installed, else a metric-compatible monospace.
QFont FuenteCourier(double puntos, bool negrita = false);
// The labels' font ("MS Sans Serif" on the original platform): the system sans.
QFont FuenteEtiqueta(double puntos, bool negrita = false);
// A narrow proportional face (the tip pane): its widths, 1000 twips for
// "INIA nReloj", were made for one; in Courier the templates would be cut off.
QFont FuenteAngosta();
