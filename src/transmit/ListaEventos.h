#pragma once
#include <QString>

class QListWidget;

// Adds a line to an event list, dropping the oldest beyond `maximo`, and
// applies the scroll rule: past 10 lines the first visible line is the
// count minus 9, so the newest line stays in view.
void AgregarEvento(QListWidget* lista, const QString& linea, int maximo);
