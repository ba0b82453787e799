#pragma once
// Shared pieces of the transmission tests: a temp folder for every file,
// captured message boxes, orvo-sim and socat as child processes.
#include "Avisos.h"
#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace AyudaTx {

// Points every Module1 path into a fresh temp folder; removed with it.
struct Carpeta {
    QTemporaryDir dir;
    Carpeta();
    QString Ruta(const QString& nombre) const { return dir.filePath(nombre); }
    // Writes Codigo.tmp and Comandos.tmp (CR LF, Windows-1252).
    void Script(const QStringList& codigo, const QStringList& comandos) const;
    QStringList LineasLog() const;   // Comm.log split at CR LF (no final empty piece)
    QByteArray Cfg() const;
};

// Takes every message box instead of showing it.
struct Cajas {
    QList<Avisos::Aviso> vistas;
    Avisos::Manejador previo;
    Cajas();
    ~Cajas();
    bool Esperar(int cuantas, int ms = 5000);
};

// A free TCP port on 127.0.0.1.
quint16 PuertoLibre();

// orvo-sim as a child process, ended (SIGTERM) with the object.
struct Sim {
    QProcess proc;
    ~Sim();
    bool IniciarTCP(quint16 puerto, const QStringList& fallas = {});
    bool IniciarSerie(const QString& ruta, const QStringList& fallas = {});
};

// A socat pseudo-terminal pair; links a and b inside `carpeta`.
struct ParPty {
    QProcess proc;
    QString a, b;
    ~ParPty();
    static bool HaySocat();
    bool Crear(const QString& carpeta);
};

}  // namespace AyudaTx
