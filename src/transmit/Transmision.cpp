#include "Transmision.h"
// Placeholder until the transmission window lands.
void MostrarTransmitir(QWidget*) {}
