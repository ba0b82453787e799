#include "Transmision.h"
#include "fr_Transmitir.h"
#include <QPointer>

void MostrarTransmitir(QWidget* padre) {
    // One window per program run: hidden, not destroyed, when closed, so its
    // lists, link choice, address and Loop box survive until the next time.
    static QPointer<fr_Transmitir> ventana;
    if (!ventana) ventana = new fr_Transmitir(padre);
    ventana->exec();
}
