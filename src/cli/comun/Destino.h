#pragma once
#include <QString>

// One clock to reach: a TCP address or a serial device. Read here for
// orvo-send (--tcp, each line of --destinos) and for orvo-gen, which checks a
// sheet's destino cells by the same rule before it writes that list.
struct Destino {
    QString texto;   // as the user gave it, control characters escaped (summary, messages)
    QString crudo;   // as the user gave it, to be written back (--fallidos)
    QString guion;   // its own command file (absolute path); empty: the command line's
    bool serie = false;
    QString host;   // TCP
    quint16 puerto = 7001;
    QString dispositivo;   // serial device path
};

// "HOST[:PORT]" ("[v6]:PORT" too), or a device path ("/..." or COMn).
bool LeerDestino(const QString& texto, Destino* d, QString* error);

// How a TCP target is shown: "host:port", "[v6]:port" (an IPv6 target is
// always shown so, however it was written).
QString f_NombreTCP(const QString& host, quint16 puerto);
