#pragma once
#include <QTcpServer>
#include <functional>

class EnlaceSim;

// Listens for one simulated clock and hands over each connection as a link
// that is deleted once closed, by either side (see EnlaceSim for what
// carries it on each system).
class ServidorTCP : public QTcpServer {
public:
    using QTcpServer::QTcpServer;
    std::function<void(EnlaceSim* conexion)> AlConectar;

protected:
    void incomingConnection(qintptr descriptor) override;
};
