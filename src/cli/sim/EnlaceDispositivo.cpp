#include "EnlaceDispositivo.h"
#include <QAbstractSocket>
#include <QIODevice>

namespace {
// How long a serial port may take to write the last answer before it is closed.
constexpr int kEsperaEscrituraMs = 1000;
}   // namespace

EnlaceDispositivo::EnlaceDispositivo(QIODevice* disp) : QObject(disp), v_Disp(disp), v_Socket(qobject_cast<QAbstractSocket*>(disp)) {
    connect(disp, &QIODevice::readyRead, this, &EnlaceDispositivo::Leer);
}

void EnlaceDispositivo::Leer() {
    // As much as is there, in one piece of its size (readAll starts from a 16 KB one).
    const QByteArray llegados = v_Disp->read(v_Disp->bytesAvailable());
    if (v_Receptor && !llegados.isEmpty()) v_Receptor->Recibido(llegados);
}

void EnlaceDispositivo::Enviar(QByteArrayView datos) {
    if (!v_Disp->isOpen()) return;
    v_Disp->write(datos.data(), datos.size());
    // Sent now rather than at the loop's next turn: the answer leaves when
    // it is due, and the socket's write wait is not turned on and off again.
    if (v_Socket) v_Socket->flush();
}

void EnlaceDispositivo::Cerrar() {
    if (v_Socket) {
        // What is still queued goes first; the socket is deleted once disconnected.
        v_Socket->flush();
        v_Socket->disconnectFromHost();
        return;
    }
    // A serial port drops what it has not written when closed: the last
    // answer is written first (a few milliseconds at 9600 baud).
    bool escribe = true;
    while (escribe && v_Disp->bytesToWrite() > 0) escribe = v_Disp->waitForBytesWritten(kEsperaEscrituraMs);
    v_Disp->close();
}
