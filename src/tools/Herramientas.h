#pragma once
#include <QString>
class QWidget;

// Help window: created if needed, shown modeless and brought to the front.
// The arguments are kept for callers; a new window starts at the entry page.
void MostrarAyuda(const QString& archivoAyuda, const QString& topico);
// The same, opened by a help request in the script: the window comes up
// beside the editor without taking the keyboard from it.
void MostrarAyudaSinFoco();
// F1: the help window at a given page of Ayuda/html ("inia.htm").
void MostrarAyudaEnPagina(const QString& pagina);
// Check-byte tool, modal.
void MostrarHerramientas(QWidget* padre);
// About box, modal.
void MostrarAcerca(QWidget* padre);
