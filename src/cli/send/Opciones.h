#pragma once
#include <QString>
#include "Destino.h"
#include "LineaOrdenes.h"
#include <QStringList>
#include <optional>

struct OpcionesEnvio {
    QString guion;   // "-": standard input; may be empty when every target names its own
    QList<Destino> destinos;
    bool flota = false;   // --destinos or more than one target: one log per target
    int timeOut = 3000;
    int delay = 500;
    int vueltas = 1;
    int paralelo = 16;
    QString log = QStringLiteral("Comm.log");
    QString carpetaLogs = QStringLiteral(".");
    bool json = false;
    bool horaActual = false;   // FECH frames carry the computer's time when sent
    bool marcas = false;       // exchange lines on stdout start with the time of day
    QString fallidos;          // where the targets that did not end ok are listed
};

// Reads the command line (argv without the program name). Gives the status
// to end with when the tool goes no further (help, version, usage error:
// told already), nothing when it goes on.
std::optional<int> LeerOpciones(const Consola::Herramienta& h, const QStringList& args, OpcionesEnvio* o);

// A file-name-safe form of a target: "127.0.0.1:7001" -> "127.0.0.1_7001".
QString NombreArchivo(const QString& destino);
