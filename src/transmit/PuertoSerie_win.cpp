// Serial ports as Windows names them: COMn is the port itself, opened by
// that name, and the system's list holds every port present now.
#include "PuertoSerie.h"
#include "PuertoSeriePlataforma.h"
#include <QSerialPortInfo>

namespace PuertoSerie {

QList<Disponible> DelSistema() {
    QList<Disponible> lista;
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts()) lista.append({p.portName(), p.description(), {}});
    return lista;
}

QString Pista(QSerialPort::SerialPortError error, const QString& dispositivo) {
    if (error == QSerialPort::DeviceNotFoundError)
        return QStringLiteral(
                   "El puerto %1 no existe. Compruebe que el adaptador esté conectado "
                   "y elija el puerto en la lista, que muestra los puertos presentes; el "
                   "Administrador de dispositivos dice qué número COM recibió el adaptador.")
            .arg(dispositivo);
    // Windows lets one program at a time have a port.
    if (error == QSerialPort::PermissionError)
        return QStringLiteral("El puerto %1 está en uso por otro programa. Ciérrelo e inténtelo de nuevo.").arg(dispositivo);
    return {};
}

}   // namespace PuertoSerie
