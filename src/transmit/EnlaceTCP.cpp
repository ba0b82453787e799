#include "EnlaceTCP.h"
#include "MotivoEnlace.h"

namespace {
const QString kTituloError = QStringLiteral("Error de comunicación");
const QString kTituloTCP = QStringLiteral("Error de conexión TCP");
const QString kDobleSalto = QStringLiteral("\r\n\r\n");
}   // namespace

EnlaceTCP::EnlaceTCP(const QString& ip, const QString& puerto, QObject* padre)
    : Enlace(padre), v_IP(ip), v_PuertoTxt(puerto) {
    tmr_Espera.setSingleShot(true);
    // At most this much is taken from the socket per turn of the event loop:
    // a clock that floods is read a slice at a time, so no single answer can
    // outgrow the memory or keep the window from answering while it is logged.
    v_Socket.setReadBufferSize(1 << 20);
    connect(&tmr_Espera, &QTimer::timeout, this, &EnlaceTCP::AlVencerEspera);
    connect(&v_Socket, &QTcpSocket::connected, this, &EnlaceTCP::AlConectar);
    connect(&v_Socket, &QTcpSocket::errorOccurred, this, &EnlaceTCP::AlError);
    connect(&v_Socket, &QTcpSocket::disconnected, this, &EnlaceTCP::AlDesconectar);
    connect(&v_Socket, &QTcpSocket::readyRead, this, &EnlaceTCP::AlLeer);
}

EnlaceTCP::~EnlaceTCP() {
    v_Socket.disconnect(this);
    v_Socket.abort();
}

QString EnlaceTCP::f_Destino(const QString& ip, const QString& puerto) {
    // An IPv6 address is bracketed, so its colons are not read as the port's.
    return (ip.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(ip) : ip) + QLatin1Char(':') + puerto;
}

void EnlaceTCP::AvisarVencida(Enlace& e, const QString& destino) {
    const QString hecho = QStringLiteral("No se pudo estblecer la conexión con ") + destino;
    Q_EMIT e.FalloApertura(kTituloTCP, hecho, hecho);
}

void EnlaceTCP::AvisarFalloConexion(Enlace& e, const QString& destino, const QString& razon) {
    const QString hecho = QStringLiteral("Error al conectarse a ") + destino;
    Q_EMIT e.FalloApertura(kTituloError, hecho + kDobleSalto + razon, hecho, razon);
}

void EnlaceTCP::AvisarPerdida(Enlace& e, const QString& destino, const QString& razon) {
    const QString hecho = QStringLiteral("Se perdió la conexión con ") + destino;
    Q_EMIT e.Caido(kTituloError, hecho + kDobleSalto + razon, hecho, razon);
}

void EnlaceTCP::Abrir(int esperaMs) {
    v_Conectando = true;
    v_Abierto = false;
    if (esperaMs > 0) tmr_Espera.start(esperaMs);
    v_Socket.connectToHost(v_IP, static_cast<quint16>(v_PuertoTxt.toUInt()));
}

void EnlaceTCP::AlConectar() {
    if (!v_Conectando) return;
    v_Conectando = false;
    tmr_Espera.stop();
    v_Abierto = true;
    Q_EMIT Abierto();
}

void EnlaceTCP::AlVencerEspera() {
    if (!v_Conectando) return;
    v_Conectando = false;
    v_Socket.abort();
    AvisarVencida(*this, f_Destino(v_IP, v_PuertoTxt));
}

void EnlaceTCP::AlError(QAbstractSocket::SocketError e) {
    const QString razon = MotivoEnlace::f_Socket(e, v_Socket.errorString());
    if (v_Conectando) {
        // Refused, unknown host, or the system gave up before our timeout.
        v_Conectando = false;
        tmr_Espera.stop();
        v_Socket.abort();
        AvisarFalloConexion(*this, f_Destino(v_IP, v_PuertoTxt), razon);
        return;
    }
    Perdido(razon);
}

void EnlaceTCP::Perdido(const QString& razon) {
    if (!v_Abierto) return;
    if (v_Escribiendo) {
        // Found while sending a frame: told from the event loop, as a
        // buffered write would have been, so the run is not cut inside its own step.
        QMetaObject::invokeMethod(
            this, [this, razon] { Perdido(razon); }, Qt::QueuedConnection);
        return;
    }
    v_Abierto = false;
    v_Socket.abort();
    AvisarPerdida(*this, f_Destino(v_IP, v_PuertoTxt), razon);
}

void EnlaceTCP::AlDesconectar() { Perdido(QStringLiteral("El otro extremo cerró la conexión.")); }

void EnlaceTCP::AlLeer() {
    const QByteArray datos = v_Socket.readAll();
    if (v_Recibiendo && !datos.isEmpty()) Q_EMIT DatosRecibidos(datos);
}

void EnlaceTCP::Cerrar() {
    v_Conectando = false;
    v_Abierto = false;
    tmr_Espera.stop();
    v_Socket.flush();
    v_Socket.abort();
}

bool EnlaceTCP::Escribir(const QByteArray& bytes) {
    if (!v_Abierto || v_Socket.write(bytes) != bytes.size()) return false;
    // Sent now rather than at the next turn of the event loop: one wait less per frame.
    v_Escribiendo = true;
    v_Socket.flush();
    v_Escribiendo = false;
    return true;
}

bool EnlaceTCP::EstaAbierto() const { return v_Abierto; }

void EnlaceTCP::FijarRecepcion(bool activa) { v_Recibiendo = activa; }
