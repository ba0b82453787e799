#include "EnlaceSerie.h"
#include "PuertoSerie.h"
#include <QTimer>
#include <utility>

namespace {
const QString kTituloError = QStringLiteral("Error de comunicación");
const QString kDobleSalto = QStringLiteral("\r\n\r\n");
// The serial control's input buffer: between reads it holds this much, and
// what does not fit is lost, as on the original port. A peer that floods a
// fast virtual port so never fills the memory.
constexpr qsizetype kBufferEntrada = 1024;

// Errors that mean the device is gone. Qt keeps reporting a ReadError in a
// tight loop after the peer disappears, so these close the port at once.
bool EsFatal(QSerialPort::SerialPortError e) {
    switch (e) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::NotOpenError:
    case QSerialPort::UnknownError: return true;
    default: return false;
    }
}
}   // namespace

EnlaceSerie::EnlaceSerie(const QString& nombre, const QString& dispositivo, QObject* padre)
    : Enlace(padre), v_Nombre(nombre), v_Dispositivo(dispositivo) {
    v_Puerto.setPortName(dispositivo);
    v_Puerto.setReadBufferSize(kBufferEntrada);
    connect(&v_Puerto, &QSerialPort::errorOccurred, this, &EnlaceSerie::AlError);
    connect(&v_Puerto, &QSerialPort::readyRead, this, &EnlaceSerie::Entregar);
}

EnlaceSerie::~EnlaceSerie() {
    v_Puerto.disconnect(this);
    if (v_Puerto.isOpen()) v_Puerto.close();
}

void EnlaceSerie::Abrir(int) {
    v_Puerto.setBaudRate(QSerialPort::Baud9600);
    v_Puerto.setParity(QSerialPort::NoParity);
    v_Puerto.setDataBits(QSerialPort::Data8);
    v_Puerto.setStopBits(QSerialPort::OneStop);
    v_Puerto.setFlowControl(QSerialPort::NoFlowControl);
    v_Retenidos.clear();
    const bool ok = v_Puerto.open(QIODevice::ReadWrite);
    const QString sistema = v_Puerto.errorString();
    const QString pista = ok ? QString() : PuertoSerie::Pista(v_Puerto.error(), v_Dispositivo);
    QTimer::singleShot(0, this, [this, ok, sistema, pista] {
        if (ok) {
            Q_EMIT Abierto();
            return;
        }
        const QString hecho = QStringLiteral("Error al abrir el puerto ") + v_Nombre;
        const QString razon = pista.isEmpty() ? sistema : sistema + kDobleSalto + pista;
        const QString motivo = pista.isEmpty() ? sistema : sistema + QStringLiteral(". ") + pista;
        Q_EMIT FalloApertura(kTituloError, hecho + QLatin1Char(':') + kDobleSalto + razon, hecho, motivo);
    });
}

void EnlaceSerie::AlError(QSerialPort::SerialPortError e) {
    if (!v_Puerto.isOpen() || !EsFatal(e)) return;
    const QString razon = v_Puerto.errorString();
    v_Puerto.close();
    const QString hecho = QStringLiteral("Se perdió la comunicación con el puerto ") + v_Nombre;
    Q_EMIT Caido(kTituloError, hecho + QLatin1Char(':') + kDobleSalto + razon, hecho, razon);
}

void EnlaceSerie::Entregar() {
    if (!v_Puerto.isOpen()) return;
    QByteArray datos = v_Puerto.readAll();
    if (!v_Recibiendo) {
        // Bytes that come between answers wait for the next one, as many as the buffer holds.
        v_Retenidos.append(datos.left(kBufferEntrada - v_Retenidos.size()));
        return;
    }
    datos.prepend(std::exchange(v_Retenidos, {}));
    if (!datos.isEmpty()) Q_EMIT DatosRecibidos(datos);
}

void EnlaceSerie::Cerrar() {
    if (v_Puerto.isOpen()) v_Puerto.close();
    v_Retenidos.clear();
}

bool EnlaceSerie::Escribir(const QByteArray& bytes) {
    return v_Puerto.isOpen() && v_Puerto.write(bytes) == bytes.size();
}

bool EnlaceSerie::EstaAbierto() const { return v_Puerto.isOpen(); }

void EnlaceSerie::FijarRecepcion(bool activa) {
    v_Recibiendo = activa;
    if (activa) QTimer::singleShot(0, this, &EnlaceSerie::Entregar);
}
