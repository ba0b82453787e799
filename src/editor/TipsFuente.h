#pragma once
#include <QFont>

// Face of the tip pane. Its widths (1000 twips for "INIA nReloj") were made
// for a narrow proportional face; in Courier the templates would be cut off.
QFont FuenteTip();
