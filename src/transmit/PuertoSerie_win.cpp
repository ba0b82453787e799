// Serial ports as Windows names them: COMn is the port itself, opened by
// that name, and the system's list holds every port present now.
#include "PuertoSerie.h"
#include "PuertoSeriePlataforma.h"
#include <QRegularExpression>
#include <QSerialPortInfo>

namespace PuertoSerie {

QList<Disponible> DelSistema() {
    QList<Disponible> lista;
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts()) lista.append({p.portName(), p.description(), {}});
    return lista;
}

bool Dispositivo(const QString& texto, QString* dispositivo, QString* error) {
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]{0,2})$"), QRegularExpression::CaseInsensitiveOption);
    const QString t = texto.trimmed();
    const auto m = com.match(t);
    if (m.hasMatch() && m.captured(1).toInt() <= 256) {
        *dispositivo = t.toUpper();
        return true;
    }
    *error = QStringLiteral(
                 "El puerto \"%1\" no es válido.\r\n\r\n"
                 "Elija un puerto de la lista o escriba su nombre (por ejemplo COM3).")
                 .arg(texto);
    return false;
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
