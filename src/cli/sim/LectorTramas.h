#pragma once
#include <QByteArray>
#include <QList>

// Cuts the received byte stream into what the program sent one at a time:
// the single byte 06; a frame from 02 to the byte after its 03; raw bytes
// (CMD) up to the next 02 or 06. Tolerant: a frame that never finishes is
// handed over as it stands when the caller forces it (after a quiet spell).
class LectorTramas {
public:
    void Agregar(const QByteArray& bytes) { v_Pendiente.append(bytes); }
    QList<QByteArray> Extraer(bool forzar);
    bool HayPendiente() const { return !v_Pendiente.isEmpty(); }

private:
    QByteArray v_Pendiente;
};
