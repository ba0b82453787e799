#include "LectorTramas.h"

void LectorTramas::Agregar(QByteArrayView bytes) {
    if (v_Inicio == v_Pendiente.size()) v_Pendiente.resize(0);   // keeps its room
    else
        v_Pendiente.remove(0, v_Inicio);
    v_Inicio = 0;
    v_Pendiente.append(bytes);
}

bool LectorTramas::Siguiente(bool forzar, QByteArrayView* trama) {
    const QByteArrayView resto = QByteArrayView(v_Pendiente).sliced(v_Inicio);
    if (resto.isEmpty()) return false;
    qsizetype largo = 0;
    if (resto.front() == '\x06') {
        largo = 1;
    } else if (resto.front() == '\x02') {
        const qsizetype etx = resto.indexOf('\x03', 1);
        if (etx >= 0 && etx + 1 < resto.size()) largo = etx + 2;
        else if (forzar)
            largo = resto.size();
        else
            return false;
    } else {
        largo = 1;
        while (largo < resto.size() && resto[largo] != '\x02' && resto[largo] != '\x06') ++largo;
    }
    *trama = resto.first(largo);
    v_Inicio += largo;
    return true;
}
