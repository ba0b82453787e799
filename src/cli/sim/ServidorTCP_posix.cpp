#include "ServidorTCP.h"
#include "EnlaceSim.h"
#include <QByteArray>
#include <QEvent>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
bool Reintentable() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }

// One accepted connection, which is its own read notifier: the loop's
// notice comes straight to it, without the notifier's signals. Each notice
// reads once and hands the bytes to the receiver. Writes go straight to
// the system, the rest (a slow reader) when it takes more. The peer's
// close, an error or Cerrar end it, and it is deleted at the loop's next turn.
class SocketSim final : public QSocketNotifier, public EnlaceSim {
public:
    SocketSim(int fd, QObject* padre) : QSocketNotifier(fd, QSocketNotifier::Read, padre), v_Fd(fd) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    ~SocketSim() override { Soltar(); }

    void Enviar(QByteArrayView datos) override {
        if (v_Fd < 0) return;
        if (!v_Pendiente.isEmpty()) {   // behind what waits already
            v_Pendiente.append(datos);
            return;
        }
        const ssize_t n = ::send(v_Fd, datos.data(), static_cast<size_t>(datos.size()), MSG_NOSIGNAL);
        if (n == datos.size() || (n < 0 && !Reintentable())) return;   // a gone peer's close comes as a read
        v_Pendiente.append(datos.sliced(n < 0 ? 0 : n));
        AvisoEscritura()->setEnabled(true);
    }
    void Cerrar() override {
        if (v_Fd < 0) return;
        EnviarPendiente();
        Soltar();
        deleteLater();
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::SockAct) return QSocketNotifier::event(e);
        AlPoderLeer();
        return true;
    }

private:
    void AlPoderLeer() {
        char trozo[16 * 1024];
        const ssize_t n = ::recv(v_Fd, trozo, sizeof trozo, 0);
        if (n > 0) {
            if (v_Receptor) v_Receptor->Recibido(QByteArrayView(trozo, n));
        } else if (n == 0 || !Reintentable()) {
            Cerrar();
        }
    }
    // Made when a send first falls short: most connections never need it.
    QSocketNotifier* AvisoEscritura() {
        if (!v_AvisoEscritura) {
            v_AvisoEscritura = new QSocketNotifier(v_Fd, QSocketNotifier::Write, this);
            connect(v_AvisoEscritura, &QSocketNotifier::activated, this, [this] { EnviarPendiente(); });
        }
        return v_AvisoEscritura;
    }
    void EnviarPendiente() {
        if (v_Fd < 0 || v_Pendiente.isEmpty()) return;
        const ssize_t n = ::send(v_Fd, v_Pendiente.constData(), static_cast<size_t>(v_Pendiente.size()), MSG_NOSIGNAL);
        if (n == v_Pendiente.size()) v_Pendiente.resize(0);
        else if (n > 0)
            v_Pendiente.remove(0, n);
        else if (n < 0 && !Reintentable())
            v_Pendiente.clear();   // the peer is gone; its close comes as a read
        AvisoEscritura()->setEnabled(!v_Pendiente.isEmpty());
    }
    // The notifiers leave the loop before the descriptor closes (its number may come back at once).
    void Soltar() {
        if (v_Fd < 0) return;
        setEnabled(false);
        if (v_AvisoEscritura) v_AvisoEscritura->setEnabled(false);
        ::close(v_Fd);
        v_Fd = -1;
    }

    int v_Fd;
    QSocketNotifier* v_AvisoEscritura = nullptr;
    QByteArray v_Pendiente;   // what the system has not taken yet
};
}   // namespace

void ServidorTCP::incomingConnection(qintptr descriptor) {
    auto* s = new SocketSim(static_cast<int>(descriptor), this);
    if (AlConectar) AlConectar(s);
}
