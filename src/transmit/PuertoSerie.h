#pragma once
#include "DispositivoSerie.h"
#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <functional>

// Serial port entries of cmb_Port and the device each one opens.
namespace PuertoSerie {

// "COM1" .. "COM8", in list order (the index is what Orvo.cfg keeps).
QStringList Lista();
// Whether a port text is none of those entries (a device path, COM9 on
// Windows): such a port is remembered by name.
bool FueraDeLista(const QString& texto);

// A serial device the system reports now (USB adapters come and go).
struct Disponible {
    QString ruta;          // /dev/ttyUSB0
    QString descripcion;   // FT232R USB UART; may be empty
    QStringList porId;     // its stable names under /dev/serial/by-id
};
using Fuente = std::function<QList<Disponible>()>;
// Where the devices come from; an empty function restores the system's list.
void FijarFuente(Fuente fuente);
QList<Disponible> Disponibles();

// One entry of the drop-down: its text and the device it opens (empty for COMn).
struct Entrada {
    QString texto;
    QString ruta;
};
// COM1 to COM8, then each device now present ("/dev/ttyUSB0 (FT232R USB UART)")
// followed by its /dev/serial/by-id names.
QList<Entrada> Entradas();

// The device path last used, kept in the user's configuration folder apart
// from Orvo.cfg; empty when a COMn entry was used last. An empty path forgets it.
QString RutaRecordada();
void RecordarRuta(const QString& ruta);

// What the user can do about a failed opening, in Spanish; empty when there
// is nothing to add to the system's reason.
QString Pista(QSerialPort::SerialPortError error, const QString& dispositivo);

}   // namespace PuertoSerie
