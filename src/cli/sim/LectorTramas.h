#pragma once
#include <QByteArray>
#include <QByteArrayView>

// Cuts the received byte stream into what the program sent one at a time:
// the single byte 06; a frame from 02 to the byte after its 03; raw bytes
// (CMD) up to the next 02 or 06. Tolerant: a frame that never finishes is
// handed over as it stands when the caller forces it (after a quiet spell).
// Frames are handed out one at a time as views of its own buffer, which
// keeps its room: no list and no copy per read.
class LectorTramas {
public:
    void Agregar(QByteArrayView bytes);
    // The next frame; valid until the next call. False when what is left
    // is no whole frame (or nothing, when forced).
    bool Siguiente(bool forzar, QByteArrayView* trama);
    bool HayPendiente() const { return v_Inicio < v_Pendiente.size(); }

private:
    QByteArray v_Pendiente;
    qsizetype v_Inicio = 0;   // what lies before it was handed out
};
