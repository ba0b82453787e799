// Comm.log held open through a run and the exchange lines held for stdout:
// every line must still be in its file at once, a file put in the log's
// place is not followed, and nothing held back is lost on the way out.
#include "ArchivoLog.h"
#include "AyudaTx.h"
#include "Programa.h"
#include "SalidaIntercambios.h"
#include "Trama.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace AyudaTx;

namespace {
QByteArray Bytes(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What a non-blocking reader finds in the pipe or pty right now.
QByteArray Pendiente(int fd) {
    QByteArray r;
    char b[4096];
    for (ssize_t n; (n = ::read(fd, b, sizeof b)) > 0;) r.append(b, n);
    return r;
}
}   // namespace

TEST(RegistroAbierto, EachLineIsInTheFileBeforeTheNextAndAReplacedFileIsNotFollowed) {
    Carpeta c;
    const QString ruta = c.Ruta(QStringLiteral("Comm.log"));
    const QString viejo = c.Ruta(QStringLiteral("viejo.log"));
    QString error;
    ArchivoLog::Abierto log;
    ASSERT_TRUE(log.Agregar(ruta, QStringLiteral("> 02 52 31 41 03 23"), &error)) << error.toStdString();
    // Read by someone else, no close in between: nothing waits in a buffer.
    EXPECT_EQ(Bytes(ruta), QByteArray("> 02 52 31 41 03 23\r\n"));
    ASSERT_TRUE(log.AgregarRespuesta(ruta, QByteArray("\x06", 1), &error));
    EXPECT_EQ(Bytes(ruta), QByteArray("> 02 52 31 41 03 23\r\n< 06 \r\n"));

    // Someone puts another file at the name mid-run: the lines stay with the one opened.
    ASSERT_EQ(::link(QFile::encodeName(ruta).constData(), QFile::encodeName(viejo).constData()), 0);
    const QString nuevo = Programa::Archivo(c.Ruta(QStringLiteral("nuevo")), "ajeno\r\n");
    ASSERT_EQ(::rename(QFile::encodeName(nuevo).constData(), QFile::encodeName(ruta).constData()), 0);
    ASSERT_TRUE(log.Agregar(ruta, QString(), &error));
    EXPECT_EQ(Bytes(viejo), QByteArray("> 02 52 31 41 03 23\r\n< 06 \r\n\r\n"));
    EXPECT_EQ(Bytes(ruta), QByteArray("ajeno\r\n"));

    // The next run opens the name again.
    log.Cerrar();
    ASSERT_TRUE(log.Agregar(ruta, QStringLiteral("Loop"), &error));
    EXPECT_EQ(Bytes(ruta), QByteArray("ajeno\r\nLoop\r\n"));
}

TEST(RegistroAbierto, TheOpenIsCheckedOncePerRunAndARefusalLastsUntilItEnds) {
    const struct {
        const char* caso;
        bool compartida;   // folder mode 1777
        bool enlace;       // Comm.log a symbolic link to another file (else a folder)
        const char* motivo;
    } casos[] = {
        {"a folder at the name", false, false, "es una carpeta"},
        {"a link in a shared folder", true, true, "enlace simbólico"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Carpeta c;
        const QString carpeta = c.Ruta(QStringLiteral("logs"));
        ASSERT_TRUE(QDir().mkpath(carpeta));
        if (caso.compartida) {
            ASSERT_EQ(::chmod(QFile::encodeName(carpeta).constData(), 01777), 0);
        }
        const QString ruta = carpeta + QStringLiteral("/Comm.log");
        const QString destino = Programa::Archivo(c.Ruta(QStringLiteral("propio.txt")), "mio\n");
        if (caso.enlace) {
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
        EXPECT_EQ(Bytes(ruta), QByteArray("> 01\r\n"));
        EXPECT_EQ(Bytes(destino), QByteArray("mio\n"));
        ::chmod(QFile::encodeName(carpeta).constData(), 0700);
    }
}

TEST(RegistroAbierto, ALongAnswerIsTheSameLineWhetherHeldOpenOrNot) {
    Carpeta c;
    QByteArray larga;
    for (int i = 0; i < 150000; ++i) larga.append(static_cast<char>(i * 7));
    QString error;
    ArchivoLog::Abierto log;
    ASSERT_TRUE(log.AgregarRespuesta(c.Ruta(QStringLiteral("a.log")), larga, &error));
    ASSERT_TRUE(ArchivoLog::AgregarRespuesta(c.Ruta(QStringLiteral("b.log")), larga, &error));
    const QByteArray esperado = "< " + f_LineaHex(larga).toLatin1() + "\r\n";
    EXPECT_EQ(Bytes(c.Ruta(QStringLiteral("a.log"))), esperado);
    EXPECT_EQ(Bytes(c.Ruta(QStringLiteral("b.log"))), esperado);
}

TEST(SalidaIntercambios, ATerminalGetsEachExchangeAPipeGetsBlocksAndAClosedReaderCostsNothing) {
    // A pty stands for the terminal, a pipe for `| tee` or a file.
    const int maestro = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(maestro, 0);
    ASSERT_EQ(::grantpt(maestro), 0);
    ASSERT_EQ(::unlockpt(maestro), 0);
    const int esclavo = ::open(::ptsname(maestro), O_RDWR | O_NOCTTY);
    ASSERT_GE(esclavo, 0);
    ::fcntl(maestro, F_SETFL, O_NONBLOCK);
    int tubo[2];
    ASSERT_EQ(::pipe(tubo), 0);
    ::fcntl(tubo[0], F_SETFL, O_NONBLOCK);
    ASSERT_GE(::fcntl(tubo[1], F_SETPIPE_SZ, 1 << 20), 1 << 20);   // a block fits whole: nobody reads meanwhile
    {
        SalidaIntercambios terminal(esclavo), tuberia(tubo[1]);
        int borrados = 0;
        terminal.AntesDeEscribir = [&] { ++borrados; };
        for (SalidaIntercambios* s : {&terminal, &tuberia}) {
            s->Agregar(QStringLiteral("INIA 1"));
            s->Agregar(QStringLiteral("> 02 52 31 41 03 23"));
        }
        QTest::qWait(20);
        EXPECT_EQ(Pendiente(maestro), QByteArray()) << "half an exchange";
        terminal.FinIntercambio();
        tuberia.FinIntercambio();
        QTest::qWait(20);
        EXPECT_EQ(Pendiente(maestro).count('\n'), 2);
        EXPECT_EQ(borrados, 1);
        EXPECT_EQ(Pendiente(tubo[0]), QByteArray());
        tuberia.Volcar();
        EXPECT_EQ(Pendiente(tubo[0]), QByteArray("INIA 1\n> 02 52 31 41 03 23\n"));
        // A long run to a pipe does not wait for its end.
        for (int i = 0; i < 2000; ++i) tuberia.Agregar(QStringLiteral("< 02 52 31 41 32 36 31 32 30 37 31 34 30 36 31 30 30 03 11 "));
        EXPECT_GT(Pendiente(tubo[0]).size(), 0);
        tuberia.Agregar(QStringLiteral("-- Fin de archivo --"));
    }   // and what is left goes on the way out
    EXPECT_TRUE(Pendiente(tubo[0]).endsWith("-- Fin de archivo --\n"));

    auto* antes = std::signal(SIGPIPE, SIG_IGN);
    ::close(tubo[0]);
    {
        SalidaIntercambios sinLector(tubo[1]);
        for (int i = 0; i < 3; ++i) {
            sinLector.Agregar(QStringLiteral("x"));
            sinLector.Volcar();
        }
    }
    std::signal(SIGPIPE, antes);
    ::close(tubo[1]);
    ::close(esclavo);
    ::close(maestro);
}

// Lines held for a pipe must not die with a second Ctrl+C.
TEST(SalidaIntercambios, ASecondInterruptStillWritesTheExchangesHeld) {
    Carpeta c;
    const quint16 p = PuertoLibre();
    Sim sim;
    ASSERT_TRUE(sim.IniciarTCP(p));
    QProcess proc;
    proc.setWorkingDirectory(c.Raiz());
    proc.start(QStringLiteral(ORVO_BUILD_DIR "/orvo-send"),
               {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(p), QStringLiteral("--delay"), QStringLiteral("9000"),
                Programa::Archivo(c.Ruta(QStringLiteral("guion.txt")), "INIB 1\r\nEHAB 1\r\n")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return LineasDe(c.Ruta(QStringLiteral("Comm.log"))).size() >= 2; }, 8000));
    ::kill(static_cast<pid_t>(proc.processId()), SIGINT);
    QTest::qWait(100);
    ::kill(static_cast<pid_t>(proc.processId()), SIGINT);
    ASSERT_TRUE(proc.waitForFinished(4000));
    EXPECT_EQ(proc.exitCode(), 130);
    const QByteArray out = proc.readAllStandardOutput();
    EXPECT_TRUE(out.startsWith("INIB 1\n> 02 52 31 42 ")) << out.constData();
    EXPECT_TRUE(out.contains("\n< 02 ")) << out.constData();
}
