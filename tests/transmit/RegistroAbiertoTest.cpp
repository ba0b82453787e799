// Comm.log held open through a run: every line must still be in its file at
// once, and a file put in the log's place is not followed.
#include "ArchivoLog.h"
#include "AyudaTx.h"
#include "CarpetaPrueba.h"
#include "Programa.h"
#include "Trama.h"
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace AyudaTx;
using CarpetaPrueba::Leer;

TEST(RegistroAbierto, EachLineIsInTheFileBeforeTheNextAndAReplacedFileIsNotFollowed) {
    Carpeta c;
    const QString ruta = c.Ruta(QStringLiteral("Comm.log"));
    const QString viejo = c.Ruta(QStringLiteral("viejo.log"));
    QString error;
    ArchivoLog::Abierto log;
    ASSERT_TRUE(log.Agregar(ruta, QStringLiteral("> 02 52 31 41 03 23"), &error)) << error.toStdString();
    // Read by someone else, no close in between: nothing waits in a buffer.
    EXPECT_EQ(Leer(ruta), QByteArray("> 02 52 31 41 03 23\r\n"));
    ASSERT_TRUE(log.AgregarRespuesta(ruta, QByteArray("\x06", 1), &error));
    EXPECT_EQ(Leer(ruta), QByteArray("> 02 52 31 41 03 23\r\n< 06 \r\n"));

    // Someone puts another file at the name mid-run: the lines stay with the one opened.
    ASSERT_EQ(::link(QFile::encodeName(ruta).constData(), QFile::encodeName(viejo).constData()), 0);
    const QString nuevo = Programa::Archivo(c.Ruta(QStringLiteral("nuevo")), "ajeno\r\n");
    ASSERT_EQ(::rename(QFile::encodeName(nuevo).constData(), QFile::encodeName(ruta).constData()), 0);
    ASSERT_TRUE(log.Agregar(ruta, QString(), &error));
    EXPECT_EQ(Leer(viejo), QByteArray("> 02 52 31 41 03 23\r\n< 06 \r\n\r\n"));
    EXPECT_EQ(Leer(ruta), QByteArray("ajeno\r\n"));

    // The next run opens the name again.
    log.Cerrar();
    ASSERT_TRUE(log.Agregar(ruta, QStringLiteral("Loop"), &error));
    EXPECT_EQ(Leer(ruta), QByteArray("ajeno\r\nLoop\r\n"));
}

TEST(RegistroAbierto, TheOpenIsCheckedOncePerRunAndARefusalLastsUntilItEnds) {
    const struct {
        const char* caso;
        bool enlace;   // Comm.log a symbolic link to another file in a folder of mode 1777 (else a folder)
        const char* motivo;
    } casos[] = {
        {"a folder at the name", false, "es una carpeta"},
        {"a link in a shared folder", true, "enlace simbólico"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Carpeta c;
        const QString carpeta = c.Ruta(QStringLiteral("logs"));
        ASSERT_TRUE(QDir().mkpath(carpeta));
        const QString ruta = carpeta + QStringLiteral("/Comm.log");
        const QString destino = Programa::Archivo(c.Ruta(QStringLiteral("propio.txt")), "mio\n");
        if (caso.enlace) {
            ASSERT_EQ(::chmod(QFile::encodeName(carpeta).constData(), 01777), 0);
            ASSERT_EQ(::symlink(QFile::encodeName(destino).constData(), QFile::encodeName(ruta).constData()), 0);
        } else {
            ASSERT_TRUE(QDir().mkpath(ruta));
        }

        ArchivoLog::Abierto log;
        QString error;
        EXPECT_FALSE(log.Agregar(ruta, QStringLiteral("> 01"), &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(caso.motivo))) << error.toStdString();
        // Mended mid-run: still refused (checked once), with the same reason.
        QFile::remove(ruta);
        QDir().rmdir(ruta);
        error.clear();
        EXPECT_FALSE(log.AgregarRespuesta(ruta, QByteArray("\x06", 1), &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(caso.motivo)));
        EXPECT_FALSE(QFile::exists(ruta));
        log.Cerrar();
        EXPECT_TRUE(log.Agregar(ruta, QStringLiteral("> 01"), &error));
        EXPECT_EQ(Leer(ruta), QByteArray("> 01\r\n"));
        EXPECT_EQ(Leer(destino), QByteArray("mio\n"));
        ::chmod(QFile::encodeName(carpeta).constData(), 0700);
    }
}

// A long answer goes whole to the log, and the next one starts a line of its own.
TEST(RegistroAbierto, ALongAnswerIsTheSameLineWhetherHeldOpenOrNot) {
    Carpeta c;
    QByteArray larga;
    for (int i = 0; i < 150000; ++i) larga.append(static_cast<char>(i * 7));
    QString error;
    ArchivoLog::Abierto log;
    for (const QByteArray& respuesta : {larga, QByteArray("\x06")}) {
        ASSERT_TRUE(log.AgregarRespuesta(c.Ruta(QStringLiteral("a.log")), respuesta, &error));
        ASSERT_TRUE(ArchivoLog::AgregarRespuesta(c.Ruta(QStringLiteral("b.log")), respuesta, &error));
    }
    const QByteArray esperado = "< " + f_LineaHex(larga).toLatin1() + "\r\n< 06 \r\n";
    EXPECT_EQ(Leer(c.Ruta(QStringLiteral("a.log"))), esperado);
    EXPECT_EQ(Leer(c.Ruta(QStringLiteral("b.log"))), esperado);
}
