#include "ServidorTCP.h"
#include <QIODevice>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// One accepted connection. Each notice of the system reads once; what came
// waits in v_Entrada for readAll. Writes go straight to the system, the
// rest (a slow reader) when it takes more. The peer's close, an error or
// close() end it and it is deleted.
class SocketSim final : public QIODevice {
public:
    SocketSim(int fd, QObject* padre) : QIODevice(padre), v_Fd(fd) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        v_AvisoLectura = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        v_AvisoEscritura = new QSocketNotifier(fd, QSocketNotifier::Write, this);
        v_AvisoEscritura->setEnabled(false);
        connect(v_AvisoLectura, &QSocketNotifier::activated, this, [this] { AlPoderLeer(); });
        connect(v_AvisoEscritura, &QSocketNotifier::activated, this, [this] { EnviarPendiente(); });
        QIODevice::open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    }
    ~SocketSim() override { Soltar(); }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return v_Entrada.size() + QIODevice::bytesAvailable(); }
    void close() override {
        if (v_Fd < 0) return;
        EnviarPendiente();
        Soltar();
        QIODevice::close();
        deleteLater();
    }

protected:
    qint64 readData(char* datos, qint64 max) override {
        const qint64 n = qMin<qint64>(max, v_Entrada.size());
        std::memcpy(datos, v_Entrada.constData(), static_cast<size_t>(n));
        if (n == v_Entrada.size()) v_Entrada.resize(0);   // keeps its room
        else
            v_Entrada.remove(0, n);
        return n;
    }
    qint64 writeData(const char* datos, qint64 largo) override {
        if (v_Fd < 0) return -1;
        if (!v_Pendiente.isEmpty()) {   // behind what waits already
            v_Pendiente.append(datos, largo);
            return largo;
        }
        const ssize_t n = ::send(v_Fd, datos, static_cast<size_t>(largo), MSG_NOSIGNAL);
        if (n == largo || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) return largo;   // a gone peer's close comes as a read
        const qint64 hecho = n < 0 ? 0 : n;
        v_Pendiente.append(datos + hecho, largo - hecho);
        v_AvisoEscritura->setEnabled(true);
        return largo;
    }

private:
    void AlPoderLeer() {
        char trozo[16 * 1024];
        const ssize_t n = ::recv(v_Fd, trozo, sizeof trozo, 0);
        if (n > 0) {
            v_Entrada.append(trozo, n);
            Q_EMIT readyRead();
        } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
            close();
        }
    }
    void EnviarPendiente() {
        if (v_Fd < 0 || v_Pendiente.isEmpty()) return;
        const ssize_t n = ::send(v_Fd, v_Pendiente.constData(), static_cast<size_t>(v_Pendiente.size()), MSG_NOSIGNAL);
        if (n == v_Pendiente.size()) v_Pendiente.resize(0);
        else if (n > 0)
            v_Pendiente.remove(0, n);
        else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            v_Pendiente.clear();   // the peer is gone; its close comes as a read
        v_AvisoEscritura->setEnabled(!v_Pendiente.isEmpty());
    }
    // The notifiers leave the loop before the descriptor closes (its number may come back at once).
    void Soltar() {
        if (v_Fd < 0) return;
        v_AvisoLectura->setEnabled(false);
        v_AvisoEscritura->setEnabled(false);
        ::close(v_Fd);
        v_Fd = -1;
    }

    int v_Fd;
    QSocketNotifier* v_AvisoLectura;
    QSocketNotifier* v_AvisoEscritura;
    QByteArray v_Entrada, v_Pendiente;
};
}   // namespace

void ServidorTCP::incomingConnection(qintptr descriptor) {
    auto* s = new SocketSim(static_cast<int>(descriptor), this);
    if (AlConectar) AlConectar(s);
}
