#pragma once
// The command-line tools run as child processes from the build folder
// (ORVO_BUILD_DIR), and the files they are given.
#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>
#include <gtest/gtest.h>

namespace Programa {

struct Salida {
    int codigo = -1;   // -2: it did not end by itself
    QByteArray out, err;
};

// Runs an executable by its path (in `carpeta` when one is given) and waits
// at most 30 s for it. `entorno`: the environment it gets, when not this
// process's own; `entrada`: what it reads on its standard input, then its end.
inline Salida CorrerRuta(const QString& programa, const QStringList& args, const QString& carpeta = {},
                         const QProcessEnvironment& entorno = {}, const std::optional<QByteArray>& entrada = {}) {
    QProcess p;
    if (!carpeta.isEmpty()) p.setWorkingDirectory(carpeta);
    if (!entorno.isEmpty()) p.setProcessEnvironment(entorno);
    p.start(programa, args);
    if (entrada) {
        p.write(*entrada);
        p.closeWriteChannel();
    }
    Salida s;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << programa.toStdString() << " did not finish";
        return s;
    }
    s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.out = p.readAllStandardOutput();
    s.err = p.readAllStandardError();
    return s;
}

// The same for a tool of the build folder.
inline Salida Correr(const QString& programa, const QStringList& args, const QString& carpeta = {},
                     const QProcessEnvironment& entorno = {}, const std::optional<QByteArray>& entrada = {}) {
    return CorrerRuta(QStringLiteral(ORVO_BUILD_DIR "/") + programa, args, carpeta, entorno, entrada);
}

// Writes a file whole and gives its path back.
inline QString Archivo(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << ruta.toStdString();
    return ruta;
}

// Options written as one line ("--delay 0 --json"), for arguments without blanks.
inline QStringList Args(const char* opciones) { return QString::fromUtf8(opciones).split(u' ', Qt::SkipEmptyParts); }

// orvo-send, and the rows of its --json summary.
inline Salida Enviar(const QStringList& args, const QString& carpeta) { return Correr(QStringLiteral("orvo-send"), args, carpeta); }
inline QJsonArray Filas(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object().value(QStringLiteral("destinos")).toArray();
}

}   // namespace Programa
