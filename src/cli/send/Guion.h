#pragma once
#include "Corrida.h"
#include <QString>
#include <QStringList>
#include <memory>

// A command file compiled as the main window compiles it, its frames
// written to Codigo.tmp and Comandos.tmp in `carpeta`, as the action word
// T leaves them for the run.
struct GuionCompilado {
    QStringList debug;   // "Linea N - ..." entries; nothing is written when any
    int tramas = 0;      // code lines to send
    QString error;       // the temporary files could not be written
    QString archCodigo, archComandos;
    // Those files read back once for every clock that gets this script;
    // null when they could not be (each run then reads them and says why).
    std::shared_ptr<const Corrida::Lineas> lineas;
};

GuionCompilado CompilarGuion(const QByteArray& bytes, const QString& carpeta);
