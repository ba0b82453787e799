#pragma once
#include "EnlaceSim.h"
#include <QObject>

class QAbstractSocket;
class QIODevice;

// A link carried by a Qt device: the serial port, and TCP connections
// where the system is not POSIX. It is the device's child, so it goes
// with it.
class EnlaceDispositivo final : public QObject, public EnlaceSim {
public:
    explicit EnlaceDispositivo(QIODevice* disp);
    void Enviar(QByteArrayView datos) override;
    void Cerrar() override;

private:
    void Leer();

    QIODevice* v_Disp;
    QAbstractSocket* v_Socket;   // the same device when it is a socket, else null
};
