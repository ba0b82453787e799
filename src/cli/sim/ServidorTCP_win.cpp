#include "ServidorTCP.h"
#include "EnlaceDispositivo.h"
#include <QTcpSocket>

void ServidorTCP::incomingConnection(qintptr descriptor) {
    auto* s = new QTcpSocket(this);
    if (!s->setSocketDescriptor(descriptor)) {
        delete s;
        return;
    }
    connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    auto* enlace = new EnlaceDispositivo(s);
    if (AlConectar) AlConectar(enlace);
}
