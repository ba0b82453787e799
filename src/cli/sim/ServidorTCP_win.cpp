#include "ServidorTCP.h"
#include <QTcpSocket>

void ServidorTCP::incomingConnection(qintptr descriptor) {
    auto* s = new QTcpSocket(this);
    if (!s->setSocketDescriptor(descriptor)) {
        delete s;
        return;
    }
    connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    if (AlConectar) AlConectar(s);
}
