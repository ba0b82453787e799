#include "EnlaceRapido.h"
#include "EnlaceTCP.h"
#include "MotivoEnlace.h"
#include "MotivoSistema.h"
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Read per turn of the event loop: a clock that floods the link is taken a
// slice at a time, as EnlaceTCP bounds its buffer.
constexpr qsizetype kTrozo = 64 * 1024;

// The system's error as Qt's sockets would class it, in the same words.
QString f_Razon(int e) {
    using E = QAbstractSocket::SocketError;
    struct Clase {
        int errno_;
        E error;
    };
    static constexpr Clase kClases[] = {
        {ECONNREFUSED, E::ConnectionRefusedError},
        {EINVAL, E::ConnectionRefusedError},
        {ECONNRESET, E::RemoteHostClosedError},
        {EPIPE, E::RemoteHostClosedError},
        {ETIMEDOUT, E::NetworkError},
        {EHOSTUNREACH, E::NetworkError},
        {ENETUNREACH, E::NetworkError},
        {EACCES, E::SocketAccessError},
        {EPERM, E::SocketAccessError},
        {EMFILE, E::SocketResourceError},
        {ENFILE, E::SocketResourceError},
        {ENOBUFS, E::SocketResourceError},
        {ENOMEM, E::SocketResourceError},
        {EADDRNOTAVAIL, E::SocketAddressNotAvailableError},
        {EAFNOSUPPORT, E::UnsupportedSocketOperationError},
    };
    for (const Clase& c : kClases)
        if (c.errno_ == e) return MotivoEnlace::f_Socket(c.error, QString());
    return MotivoSistema::f_Errno(e);
}

class EnlaceSocket final : public Enlace {
public:
    EnlaceSocket(const QHostAddress& direccion, const QString& ip, const QString& puerto)
        : v_Direccion(direccion), v_Puerto(static_cast<quint16>(puerto.toUInt())), v_Destino(EnlaceTCP::f_Destino(ip, puerto)) {
        tmr_Espera.setSingleShot(true);
        connect(&tmr_Espera, &QTimer::timeout, this, [this] {
            if (!v_Conectando) return;
            Soltar();
            EnlaceTCP::AvisarVencida(*this, v_Destino);
        });
    }
    ~EnlaceSocket() override { Soltar(); }

    void Abrir(int esperaMs) override {
        Soltar();
        v_Conectando = true;
        const bool seis = v_Direccion.protocol() == QAbstractSocket::IPv6Protocol;
        v_Fd = ::socket(seis ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        int r = -1;
        if (v_Fd >= 0) {
            sockaddr_storage dir{};
            socklen_t largo = 0;
            if (seis) {
                auto* d6 = reinterpret_cast<sockaddr_in6*>(&dir);
                d6->sin6_family = AF_INET6;
                d6->sin6_port = htons(v_Puerto);
                const Q_IPV6ADDR a = v_Direccion.toIPv6Address();
                std::memcpy(&d6->sin6_addr, &a, sizeof a);
                largo = sizeof *d6;
            } else {
                auto* d4 = reinterpret_cast<sockaddr_in*>(&dir);
                d4->sin_family = AF_INET;
                d4->sin_port = htons(v_Puerto);
                d4->sin_addr.s_addr = htonl(v_Direccion.toIPv4Address());
                largo = sizeof *d4;
            }
            r = ::connect(v_Fd, reinterpret_cast<sockaddr*>(&dir), largo);
        }
        const int e = r == 0 ? 0 : errno;
        if (v_Fd >= 0 && (r == 0 || e == EINPROGRESS)) {
            if (esperaMs > 0) tmr_Espera.start(esperaMs);
            // Made or refused, the socket turns writable.
            v_AvisoEscritura = new QSocketNotifier(v_Fd, QSocketNotifier::Write, this);
            connect(v_AvisoEscritura, &QSocketNotifier::activated, this, [this] { AlPoderEscribir(); });
            return;
        }
        // Told from the event loop, never from inside the call.
        QMetaObject::invokeMethod(
            this,
            [this, e] {
                if (!v_Conectando) return;
                Soltar();
                EnlaceTCP::AvisarFalloConexion(*this, v_Destino, f_Razon(e));
            },
            Qt::QueuedConnection);
    }

    void Cerrar() override {
        // What the system takes now goes; nothing waits for a slow peer.
        if (v_Abierto && !v_Pendiente.isEmpty())
            [[maybe_unused]]
            const auto n = ::send(v_Fd, v_Pendiente.constData(), static_cast<size_t>(v_Pendiente.size()), MSG_NOSIGNAL);
        Soltar();
    }

    bool Escribir(const QByteArray& bytes) override {
        if (!v_Abierto) return false;
        if (!v_Pendiente.isEmpty()) {
            v_Pendiente.append(bytes);
            return true;
        }
        const ssize_t n = ::send(v_Fd, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL);
        if (n == bytes.size()) return true;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            // Told from the event loop, as a buffered write would have been,
            // so the run is not cut inside its own step.
            const int e = errno;
            QMetaObject::invokeMethod(
                this, [this, e] { Perdido(f_Razon(e)); }, Qt::QueuedConnection);
            return true;
        }
        v_Pendiente = bytes.mid(n < 0 ? 0 : n);
        v_AvisoEscritura->setEnabled(true);
        return true;
    }

    bool EstaAbierto() const override { return v_Abierto; }
    void FijarRecepcion(bool activa) override { v_Recibiendo = activa; }

private:
    void AlPoderEscribir() {
        if (v_Conectando) {
            int e = 0;
            socklen_t largo = sizeof e;
            if (::getsockopt(v_Fd, SOL_SOCKET, SO_ERROR, &e, &largo) != 0) e = errno;
            v_Conectando = false;
            tmr_Espera.stop();
            if (e != 0) {
                Soltar();
                EnlaceTCP::AvisarFalloConexion(*this, v_Destino, f_Razon(e));
                return;
            }
            v_AvisoEscritura->setEnabled(false);
            v_Abierto = true;
            v_AvisoLectura = new QSocketNotifier(v_Fd, QSocketNotifier::Read, this);
            connect(v_AvisoLectura, &QSocketNotifier::activated, this, [this] { AlPoderLeer(); });
            Q_EMIT Abierto();
            return;
        }
        const ssize_t n = ::send(v_Fd, v_Pendiente.constData(), static_cast<size_t>(v_Pendiente.size()), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK) Perdido(f_Razon(errno));
            return;
        }
        v_Pendiente.remove(0, n);
        if (v_Pendiente.isEmpty()) v_AvisoEscritura->setEnabled(false);
    }

    void AlPoderLeer() {
        char trozo[kTrozo];
        const ssize_t n = ::recv(v_Fd, trozo, sizeof trozo, 0);
        if (n > 0) {
            if (v_Recibiendo) Q_EMIT DatosRecibidos(QByteArray(trozo, n));
            return;
        }
        if (n == 0) Perdido(MotivoEnlace::f_Socket(QAbstractSocket::RemoteHostClosedError, QString()));
        else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            Perdido(f_Razon(errno));
    }

    void Perdido(const QString& razon) {
        if (!v_Abierto) return;
        Soltar();
        EnlaceTCP::AvisarPerdida(*this, v_Destino, razon);
    }

    // The socket and its waits go. The notifiers leave the loop before the
    // descriptor closes, whose number may come back at once; they are
    // deleted later, since one of them may be the caller.
    void Soltar() {
        v_Conectando = false;
        v_Abierto = false;
        tmr_Espera.stop();
        for (QSocketNotifier* a : {v_AvisoLectura, v_AvisoEscritura})
            if (a) {
                a->setEnabled(false);
                a->deleteLater();
            }
        v_AvisoLectura = v_AvisoEscritura = nullptr;
        if (v_Fd >= 0) ::close(v_Fd);
        v_Fd = -1;
        v_Pendiente.clear();
    }

    QHostAddress v_Direccion;
    quint16 v_Puerto;
    QString v_Destino;
    int v_Fd = -1;
    QSocketNotifier* v_AvisoLectura = nullptr;
    QSocketNotifier* v_AvisoEscritura = nullptr;
    QByteArray v_Pendiente;   // what the system did not take yet
    QTimer tmr_Espera;
    bool v_Conectando = false;
    bool v_Abierto = false;
    bool v_Recibiendo = false;
};
}   // namespace

std::unique_ptr<Enlace> f_EnlaceTCPRapido(const QString& ip, const QString& puerto) {
    QHostAddress direccion;
    const bool numero = direccion.setAddress(ip) && direccion.scopeId().isEmpty() &&
                        (direccion.protocol() == QAbstractSocket::IPv4Protocol || direccion.protocol() == QAbstractSocket::IPv6Protocol);
    if (!numero) return std::make_unique<EnlaceTCP>(ip, puerto);
    return std::make_unique<EnlaceSocket>(direccion, ip, puerto);
}
