#include "LectorTramas.h"
#include <cstring>

// What was not handed out yet moves to the front, the new bytes after it;
// the buffer keeps its room from one read to the next.
void LectorTramas::Agregar(QByteArrayView bytes) {
    const qsizetype resto = v_Pendiente.size() - v_Inicio;
    if (resto > 0 && v_Inicio > 0) std::memmove(v_Pendiente.data(), v_Pendiente.constData() + v_Inicio, static_cast<size_t>(resto));
    v_Inicio = 0;
    v_Pendiente.resize(resto + bytes.size());
    if (!bytes.isEmpty()) std::memcpy(v_Pendiente.data() + resto, bytes.data(), static_cast<size_t>(bytes.size()));
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
