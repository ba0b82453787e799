#pragma once
#include <QTcpServer>
#include <functional>

class QIODevice;

// Listens for one simulated clock and hands over each connection as a
// device that is deleted once closed, by either side. Where the system is
// POSIX the device is a bare non-blocking socket: QTcpSocket asks the
// system how much there is before each read and copies every byte through
// its buffers, which with a thousand clocks cost more than the answers.
class ServidorTCP : public QTcpServer {
public:
    using QTcpServer::QTcpServer;
    std::function<void(QIODevice* conexion)> AlConectar;

protected:
    void incomingConnection(qintptr descriptor) override;
};
