// The run's links where only POSIX means can set the scene: a loopback
// connection left pending behind a full backlog (the TCP link bounds its
// wait), and the simulated clock stopped by a signal.
#include "AyudaTx.h"
#include "Enlace.h"
#include "EnlaceRapido.h"
#include "EnlaceTCP.h"
#include <QProcess>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace AyudaTx;

// A listening socket whose backlog is full leaves the next connection attempt
// pending, all on loopback: the link gives up at its bound instead of waiting
// for the system's own timeout.
TEST(Corrida, RealTcpLinkGivesUpAConnectionNotMadeWithinItsBound) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&dir), sizeof dir), 0);
    ASSERT_EQ(::listen(fd, 0), 0);
    socklen_t largo = sizeof dir;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&dir), &largo);
    const quint16 p = ntohs(dir.sin_port);
    QList<QTcpSocket*> relleno;
    for (int i = 0; i < 3; ++i) {
        relleno << new QTcpSocket;
        relleno.back()->connectToHost(QStringLiteral("127.0.0.1"), p);
    }
    QTest::qWait(200);

    // The window's link and orvo-send's.
    for (int rapido = 0; rapido < 2; ++rapido) {
        SCOPED_TRACE(rapido);
        const QString puerto = QString::number(p);
        std::unique_ptr<Enlace> enlace = rapido ? f_EnlaceTCPRapido(QStringLiteral("127.0.0.1"), puerto)
                                                : std::make_unique<EnlaceTCP>(QStringLiteral("127.0.0.1"), puerto);
        QString titulo, texto;
        QObject::connect(enlace.get(), &Enlace::FalloApertura, [&](const QString& t, const QString& x) { titulo = t, texto = x; });
        enlace->Abrir(700);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !titulo.isEmpty(); }, 5000));
        EXPECT_EQ(titulo, QStringLiteral("Error de conexión TCP"));
        EXPECT_EQ(texto, QStringLiteral("No se pudo estblecer la conexión con 127.0.0.1:%1").arg(p));
    }
    qDeleteAll(relleno);
    ::close(fd);
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
