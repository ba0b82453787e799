#pragma once
#include <QString>
#include <QStringList>

// A command file compiled as the main window compiles it, its frames
// written to Codigo.tmp and Comandos.tmp in `carpeta`, as the action word
// T leaves them for the run.
struct GuionCompilado {
    QStringList debug;   // "Linea N - ..." entries; nothing is written when any
    int tramas = 0;      // code lines to send
    QString error;       // the temporary files could not be written
    QString archCodigo, archComandos;
};

GuionCompilado CompilarGuion(const QByteArray& bytes, const QString& carpeta);
