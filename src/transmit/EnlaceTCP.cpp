#include "EnlaceTCP.h"

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

QString EnlaceTCP::Destino() const {
    // An IPv6 address is bracketed, so its colons are not read as the port's.
    const QString ip = v_IP.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(v_IP) : v_IP;
    return ip + QLatin1Char(':') + v_PuertoTxt;
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
    const QString hecho = QStringLiteral("No se pudo estblecer la conexión con ") + Destino();
    Q_EMIT FalloApertura(kTituloTCP, hecho, hecho);
}

void EnlaceTCP::AlError(QAbstractSocket::SocketError) {
    const QString razon = v_Socket.errorString();
    if (v_Conectando) {
        // Refused, unknown host, or the system gave up before our timeout.
        v_Conectando = false;
        tmr_Espera.stop();
        v_Socket.abort();
        const QString hecho = QStringLiteral("Error al conectarse a ") + Destino();
        Q_EMIT FalloApertura(kTituloError, hecho + kDobleSalto + razon, hecho, razon);
        return;
    }
    if (!v_Abierto) return;
    v_Abierto = false;
    v_Socket.abort();
    const QString hecho = QStringLiteral("Se perdió la conexión con ") + Destino();
    Q_EMIT Caido(kTituloError, hecho + kDobleSalto + razon, hecho, razon);
}

void EnlaceTCP::AlDesconectar() {
    if (!v_Abierto) return;
    v_Abierto = false;
    v_Socket.abort();
    const QString hecho = QStringLiteral("Se perdió la conexión con ") + Destino();
    const QString razon = QStringLiteral("El otro extremo cerró la conexión.");
    Q_EMIT Caido(kTituloError, hecho + kDobleSalto + razon, hecho, razon);
}

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
    return v_Abierto && v_Socket.write(bytes) == bytes.size();
}

bool EnlaceTCP::EstaAbierto() const { return v_Abierto; }

void EnlaceTCP::FijarRecepcion(bool activa) { v_Recibiendo = activa; }
