#pragma once
#include <QString>
#include <QStringList>

// One clock to reach: a TCP address or a serial device.
struct Destino {
    QString texto;   // as the user gave it (summary, messages)
    bool serie = false;
    QString host;   // TCP
    quint16 puerto = 7001;
    QString dispositivo;   // serial device path
};

struct OpcionesEnvio {
    QString guion;
    QList<Destino> destinos;
    bool flota = false;   // --destinos or more than one target: one log per target
    int timeOut = 3000;
    int delay = 500;
    int vueltas = 1;
    int paralelo = 16;
    QString log = QStringLiteral("Comm.log");
    QString carpetaLogs = QStringLiteral(".");
    bool json = false;
    bool ayuda = false;
    bool version = false;
};

// Reads the command line (argv without the program name). On a usage
// error returns false with the message in *error.
bool LeerOpciones(const QStringList& args, OpcionesEnvio* o, QString* error);

// "HOST[:PORT]" ("[v6]:PORT" too), or a device path ("/..." or COMn).
bool LeerDestino(const QString& texto, Destino* d, QString* error);

// How a TCP target is shown: "host:port", "[v6]:port" (an IPv6 target is
// always shown so, however it was written).
QString f_NombreTCP(const QString& host, quint16 puerto);

// Lines of a --destinos file: blank lines and lines starting with '#' skipped.
bool LeerArchivoDestinos(const QString& ruta, QList<Destino>* destinos, QString* error);

// A file-name-safe form of a target: "127.0.0.1:7001" -> "127.0.0.1_7001".
QString NombreArchivo(const QString& destino);
