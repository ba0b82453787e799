#include "Herramientas.h"
// Placeholders until the tool windows land.
void MostrarAyuda(const QString&, const QString&) {}
void MostrarAyudaEnPagina(const QString&) {}
void MostrarHerramientas(QWidget*) {}
void MostrarAcerca(QWidget*) {}
