#include "Demoras.h"

Demoras::Demoras() {
    v_Tiempo.start();
    tmr_Vence.setSingleShot(true);
    tmr_Vence.setTimerType(Qt::PreciseTimer);
    connect(&tmr_Vence, &QTimer::timeout, this, &Demoras::Entregar);
}

void Demoras::Agregar(int demoraMs, Clave destino, const QByteArray& respuesta, bool cerrar) {
    v_Cola.push_back({v_Tiempo.elapsed() + demoraMs, destino, respuesta, cerrar});
    if (!tmr_Vence.isActive()) tmr_Vence.start(demoraMs);
}

// Sends the answers that are due and waits for the next.
void Demoras::Entregar() {
    const qint64 ahora = v_Tiempo.elapsed();
    while (!v_Cola.empty() && v_Cola.front().vence <= ahora) {
        const Pendiente p = std::move(v_Cola.front());
        v_Cola.pop_front();
        if (Destino* d = v_Destinos.Buscar(p.destino)) d->Entregar(p.respuesta, p.cerrar);
    }
    if (!v_Cola.empty()) tmr_Vence.start(static_cast<int>(v_Cola.front().vence - ahora));
}
