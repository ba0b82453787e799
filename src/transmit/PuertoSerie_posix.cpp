// Serial devices as Linux names them.
#include "PuertoSerie.h"
#include "PuertoSeriePlataforma.h"
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <unistd.h>

namespace PuertoSerie {

QList<Disponible> DelSistema() {
    // Stable names first gathered by the device each one points to.
    QMultiHash<QString, QString> porId;
    const QDir carpeta(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& enlace : carpeta.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        porId.insert(enlace.canonicalFilePath(), enlace.absoluteFilePath());
    QList<Disponible> lista;
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts()) {
        Disponible d{p.systemLocation(), p.description(), {}};
        QStringList nombres = porId.values(QFileInfo(d.ruta).canonicalFilePath());
        nombres.sort();
        d.porId = nombres;
        lista << d;
    }
    return lista;
}

QString Pista(QSerialPort::SerialPortError error, const QString& dispositivo) {
    const QFileInfo info(dispositivo);
    if (error == QSerialPort::DeviceNotFoundError || !info.exists())
        return QStringLiteral(
                   "El dispositivo %1 no existe. Compruebe que el adaptador esté conectado "
                   "y elija el puerto en la lista, que muestra los dispositivos presentes.")
            .arg(dispositivo);
    if (error != QSerialPort::PermissionError) return {};
    const QByteArray ruta = QFile::encodeName(dispositivo);
    // Read and write allowed: another program holds the port.
    if (::access(ruta.constData(), R_OK | W_OK) == 0)
        return QStringLiteral("El dispositivo %1 está en uso por otro programa. Ciérrelo e inténtelo de nuevo.")
            .arg(dispositivo);
    QString grupo = info.group();
    if (grupo.isEmpty() || grupo == QLatin1String("root")) grupo = QStringLiteral("dialout");
    const QString nombreGrupo =
        grupo == QLatin1String("dialout") ? grupo : grupo + QStringLiteral(" (en Debian suele ser dialout)");
    return QStringLiteral(
               "Su usuario no tiene permiso para usar %1: debe pertenecer al grupo dueño del "
               "dispositivo, %2. Para agregarse, ejecute:\r\n\r\n"
               "    sudo usermod -aG %3 $USER\r\n\r\n"
               "y luego cierre la sesión y vuelva a entrar: el grupo nuevo vale recién en una sesión nueva.")
        .arg(dispositivo, nombreGrupo, grupo);
}

}   // namespace PuertoSerie
