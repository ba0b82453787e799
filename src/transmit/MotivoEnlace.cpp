#include "MotivoEnlace.h"
#include "MotivoSistema.h"

namespace MotivoEnlace {

namespace {
template <typename E>
struct Motivo {
    E error;
    const char* texto;
};

constexpr Motivo<QAbstractSocket::SocketError> kSocket[] = {
    {QAbstractSocket::ConnectionRefusedError, "conexión rechazada: nadie escucha en ese puerto"},
    {QAbstractSocket::RemoteHostClosedError, "el otro extremo cerró la conexión"},
    {QAbstractSocket::HostNotFoundError, "no se encontró el equipo con ese nombre"},
    {QAbstractSocket::SocketAccessError, "el sistema no permite la conexión"},
    {QAbstractSocket::SocketResourceError, "faltan recursos del sistema (demasiadas conexiones o archivos abiertos)"},
    {QAbstractSocket::SocketTimeoutError, "se agotó el tiempo de espera"},
    {QAbstractSocket::NetworkError, "error de red: el equipo o la red no son alcanzables"},
    {QAbstractSocket::AddressInUseError, "la dirección ya está en uso"},
    {QAbstractSocket::SocketAddressNotAvailableError, "la dirección no pertenece a este equipo"},
    {QAbstractSocket::UnsupportedSocketOperationError, "el sistema no admite ese tipo de dirección"},
    {QAbstractSocket::TemporaryError, "error pasajero de la red"},
};

constexpr Motivo<QSerialPort::SerialPortError> kSerie[] = {
    {QSerialPort::DeviceNotFoundError, "el dispositivo no existe"},
    {QSerialPort::PermissionError, "permiso denegado, o el puerto está en uso por otro programa"},
    {QSerialPort::OpenError, "el puerto ya está abierto"},
    {QSerialPort::WriteError, "no se pudo escribir en el puerto"},
    {QSerialPort::ReadError, "no se pudo leer del puerto; el dispositivo pudo haberse desconectado"},
    {QSerialPort::ResourceError, "el dispositivo dejó de estar disponible (¿se desconectó?)"},
    {QSerialPort::UnsupportedOperationError, "el dispositivo no admite esa operación"},
    {QSerialPort::TimeoutError, "se agotó el tiempo de espera"},
    {QSerialPort::NotOpenError, "el puerto no está abierto"},
};

template <typename E, size_t N>
QString Buscar(const Motivo<E> (&tabla)[N], E error, const char* siNo) {
    for (const auto& m : tabla)
        if (m.error == error) return QString::fromUtf8(m.texto);
    return QString::fromUtf8(siNo);
}
}   // namespace

QString f_Socket(QAbstractSocket::SocketError error, const QString& textoQt) {
    const QString porTabla = Buscar(kSocket, error, "");
    return porTabla.isEmpty() ? MotivoSistema::f_DeTexto(textoQt, QStringLiteral("error desconocido de la conexión"))
                              : porTabla;
}

QString f_Serie(QSerialPort::SerialPortError error, const QString& textoQt) {
    // The errno Qt spelled says more than the error's class when it is known.
    return MotivoSistema::f_DeTexto(textoQt, Buscar(kSerie, error, "error desconocido del puerto serie"));
}

}   // namespace MotivoEnlace
