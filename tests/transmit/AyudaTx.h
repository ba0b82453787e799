#pragma once
// Shared pieces of the transmission tests, window or not: the test's files,
// orvo-sim and socat as child processes.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

namespace AyudaTx {

// Frames of the scripts, and the command list's fillers.
inline const QString kInia = QStringLiteral("02 52 31 41 03 23");
inline const QString kLreg = QStringLiteral("02 52 31 30 03 52");
inline const QString kEhab = QStringLiteral("02 52 31 33 03 21");
inline const QString kPuntosCmd = QStringLiteral(" ") + QString(42, QChar(0x00B7));
inline const QString kRespuesta = QStringLiteral("Respuesta ") + QString(29, QChar(0x00B7));

QStringList Repetir(const QString& linea, int veces);

// A file's lines split at CR LF, without the empty piece after the last one
// ({"<sin archivo>"} when it cannot be read).
QStringList LineasDe(const QString& ruta);

// The files of one case, in a fresh folder of the test's own (CarpetaPrueba).
struct Carpeta {
    Carpeta();
    QString Raiz() const;
    QString Ruta(const QString& nombre) const;
    // Writes Codigo.tmp and Comandos.tmp (CR LF, Windows-1252).
    void Script(const QStringList& codigo, const QStringList& comandos) const;
    QStringList LineasLog() const;   // LineasDe(Comm.log)
    QByteArray Cfg() const;
};

// A free TCP port on 127.0.0.1, and a target on it as orvo-send names it.
quint16 PuertoLibre();
inline QString Tcp(quint16 p) { return QStringLiteral("127.0.0.1:%1").arg(p); }

// orvo-sim as a child process, ended (SIGTERM) with the object.
struct Sim {
    QProcess proc;
    ~Sim();
    bool IniciarTCP(quint16 puerto, const QStringList& fallas = {});
    bool IniciarSerie(const QString& ruta, const QStringList& fallas = {});
    // `cuantos` clocks on consecutive free ports from *primero, each frame
    // they receive noted in `anotadas` (--tramas).
    bool IniciarVarios(int cuantos, const QString& anotadas, quint16* primero, const QStringList& fallas = {});
};

// A socat pseudo-terminal pair; links a and b inside `carpeta`. Serial tests
// start with REQUIERE_SOCAT().
#define REQUIERE_SOCAT() \
    if (!AyudaTx::ParPty::HaySocat()) GTEST_SKIP() << "socat no está instalado: sin pruebas por puerto serie"
struct ParPty {
    QProcess proc;
    QString a, b;
    ~ParPty();
    static bool HaySocat();
    bool Crear(const QString& carpeta);
};

}   // namespace AyudaTx
