#include "Herramientas.h"
#include "fr_Acerca.h"
#include "fr_Ayuda.h"
#include "fr_Herramientas.h"
#include <QPointer>

namespace {
QPointer<fr_Ayuda> g_Ayuda;

fr_Ayuda* TraerAyuda(bool* nueva, bool tomarFoco = true) {
    *nueva = g_Ayuda.isNull();
    if (*nueva) g_Ayuda = new fr_Ayuda();
    g_Ayuda->setAttribute(Qt::WA_ShowWithoutActivating, !tomarFoco);
    g_Ayuda->setWindowState(g_Ayuda->windowState() & ~Qt::WindowMinimized);
    g_Ayuda->show();
    g_Ayuda->raise();
    if (tomarFoco) g_Ayuda->activateWindow();
    return g_Ayuda;
}
}   // namespace

fr_Ayuda* VentanaAyuda() { return g_Ayuda.data(); }

// The compiled help file and the topic are kept in the signature for the
// callers; the window starts at the entry page and an open one keeps its page.
void MostrarAyuda(const QString&, const QString&) {
    bool nueva = false;
    TraerAyuda(&nueva);
}

void MostrarAyudaSinFoco() {
    bool nueva = false;
    TraerAyuda(&nueva, false);
}

void MostrarAyudaEnPagina(const QString& pagina) {
    bool nueva = false;
    fr_Ayuda* ayuda = TraerAyuda(&nueva);
    if (!nueva || pagina != QStringLiteral("principal.htm")) ayuda->IrAPagina(pagina);
}

void MostrarHerramientas(QWidget* padre) {
    fr_Herramientas ventana(padre);
    ventana.exec();
}

void MostrarAcerca(QWidget* padre) {
    fr_Acerca ventana(padre);
    ventana.exec();
}
