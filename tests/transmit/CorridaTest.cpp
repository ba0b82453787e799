// The run without a window: driven through its hooks against an in-process
// peer on 127.0.0.1, and orvo-sim's own shutdown.
#include "AyudaTx.h"
#include "Corrida.h"
#include "EnlaceSerie.h"
#include "EnlaceTCP.h"
#include "Module1.h"
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace AyudaTx;

namespace {
struct Registro {
    QStringList log, cmd;
    QList<Avisos::Aviso> avisos;
    bool terminada = false;
    explicit Registro(Corrida& r) {
        QObject::connect(&r, &Corrida::Loguear, [this](const QString& l) { log << l; });
        QObject::connect(&r, &Corrida::LogCmd, [this](const QString& l) { cmd << l; });
        QObject::connect(&r, &Corrida::Avisar, [this](const Avisos::Aviso& a) { avisos << a; });
        QObject::connect(&r, &Corrida::Terminada, [this] { terminada = true; });
    }
};

void Preparar(Corrida& r, quint16 puerto, int timeOut, int delay) {
    r.Preparar = [=](Corrida::Ajustes* a) {
        a->timeOut = timeOut;
        a->delay = delay;
        return std::make_unique<EnlaceTCP>(QStringLiteral("127.0.0.1"), QString::number(puerto));
    };
}
}  // namespace

TEST(Corrida, BytesArrivingOverTcpOutsideTheAnswerWaitAreDropped) {
    Carpeta c;
    c.Script({QStringLiteral("02 52 31 33 03 21"), QStringLiteral("02 52 31 33 03 21")},
             {QStringLiteral("EHAB 1"), QStringLiteral("EHAB 1")});
    QTcpServer peer;
    ASSERT_TRUE(peer.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&peer, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = peer.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, [s] {
            s->readAll();
            s->write("\x06");
            // Unasked bytes during the pause that follows.
            QTimer::singleShot(60, s, [s] { s->write("\xAA\xBB"); });
        });
    });
    Corrida r;
    Registro reg(r);
    Preparar(r, peer.serverPort(), 1000, 200);
    ASSERT_TRUE(r.Iniciar());
    ASSERT_TRUE(QTest::qWaitFor([&] { return reg.terminada; }, 5000));
    EXPECT_EQ(reg.log, (QStringList{QStringLiteral("> 02 52 31 33 03 21"), QStringLiteral("< 06 "),
                                    QStringLiteral("> 02 52 31 33 03 21"), QStringLiteral("< 06 "), QString(), QString()}));
    EXPECT_TRUE(reg.avisos.isEmpty());
}

TEST(Corrida, StopDuringAnUnboundedConnectionWaitEndsTheRunAtOnce) {
    // Full backlog on a loopback listener: the connection attempt stays pending.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&dir), sizeof dir), 0);
    ASSERT_EQ(::listen(fd, 0), 0);
    socklen_t largo = sizeof dir;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&dir), &largo);
    QList<QTcpSocket*> relleno;
    for (int i = 0; i < 3; ++i) {
        relleno << new QTcpSocket;
        relleno.back()->connectToHost(QStringLiteral("127.0.0.1"), ntohs(dir.sin_port));
    }
    QTest::qWait(200);

    Carpeta c;
    c.Script({QStringLiteral("06")}, {QStringLiteral("ACK")});
    Corrida r;
    Registro reg(r);
    r.Loop = [] { return true; };
    Preparar(r, ntohs(dir.sin_port), 0, 0);
    ASSERT_TRUE(r.Iniciar());
    QTest::qWait(300);
    EXPECT_EQ(r.estado(), Corrida::Estado::Abriendo);
    r.Detener();
    EXPECT_TRUE(reg.terminada);
    EXPECT_FALSE(r.Activa());
    EXPECT_EQ(reg.log, QStringList{QString()});
    EXPECT_EQ(reg.cmd, QStringList{QStringLiteral("Detenido!")});
    EXPECT_TRUE(reg.avisos.isEmpty());
    qDeleteAll(relleno);
    ::close(fd);
}

TEST(Corrida, BytesArrivingOverSerialOutsideTheWaitStartTheNextAnswer) {
    if (!ParPty::HaySocat()) GTEST_SKIP() << "socat no está instalado: sin pruebas por puerto serie";
    Carpeta c;
    c.Script({QStringLiteral("02 52 31 33 03 21"), QStringLiteral("02 52 31 33 03 21")},
             {QStringLiteral("EHAB 1"), QStringLiteral("EHAB 1")});
    ParPty par;
    ASSERT_TRUE(par.Crear(c.dir.path()));
    QSerialPort peer(par.b);
    ASSERT_TRUE(peer.open(QIODevice::ReadWrite));
    int recibidas = 0;
    QObject::connect(&peer, &QSerialPort::readyRead, [&] {
        peer.readAll();
        // First frame: its answer, then two unasked bytes during the pause.
        if (++recibidas == 1) {
            peer.write("\x06");
            QTimer::singleShot(60, &peer, [&] { peer.write("\xAA\xBB"); });
        }
    });
    Corrida r;
    Registro reg(r);
    r.Preparar = [&](Corrida::Ajustes* a) {
        a->timeOut = 500;
        a->delay = 200;
        return std::make_unique<EnlaceSerie>(par.a, par.a);
    };
    ASSERT_TRUE(r.Iniciar());
    ASSERT_TRUE(QTest::qWaitFor([&] { return reg.terminada; }, 5000));
    ASSERT_GE(reg.log.size(), 4);
    EXPECT_EQ(reg.log[1], QStringLiteral("< 06 "));
    EXPECT_EQ(reg.log[3], QStringLiteral("< AA BB ")) << "kept in the port, read as the next answer";
}

TEST(OrvoSim, StopsCleanlyOnSigtermAndSigint) {
    for (const char* senal : {"TERM", "INT"}) {
        Sim sim;
        ASSERT_TRUE(sim.IniciarTCP(PuertoLibre()));
        ::kill(static_cast<pid_t>(sim.proc.processId()), QByteArray(senal) == "TERM" ? SIGTERM : SIGINT);
        ASSERT_TRUE(sim.proc.waitForFinished(5000)) << senal;
        EXPECT_EQ(sim.proc.exitStatus(), QProcess::NormalExit) << senal;
        EXPECT_EQ(sim.proc.exitCode(), 0) << senal;
    }
}
