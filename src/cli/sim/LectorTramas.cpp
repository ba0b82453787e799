#include "LectorTramas.h"

QList<QByteArray> LectorTramas::Extraer(bool forzar) {
    QList<QByteArray> tramas;
    while (!v_Pendiente.isEmpty()) {
        const char primero = v_Pendiente.at(0);
        qsizetype largo = 0;
        if (primero == '\x06') {
            largo = 1;
        } else if (primero == '\x02') {
            const qsizetype etx = v_Pendiente.indexOf('\x03', 1);
            if (etx >= 0 && etx + 1 < v_Pendiente.size()) largo = etx + 2;
            else if (forzar)
                largo = v_Pendiente.size();
            else
                break;
        } else {
            qsizetype fin = 1;
            while (fin < v_Pendiente.size() && v_Pendiente.at(fin) != '\x02' && v_Pendiente.at(fin) != '\x06') ++fin;
            largo = fin;
        }
        tramas.append(v_Pendiente.left(largo));
        v_Pendiente.remove(0, largo);
    }
    return tramas;
}
