// The exchange lines orvo-send holds for stdout: a terminal gets each
// exchange at once, a pipe gets blocks, and nothing held back is lost on the
// way out.
#include "SalidaIntercambios.h"
#include <QTest>
#include <gtest/gtest.h>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
// What a non-blocking reader finds in the pipe or pty right now.
QByteArray Pendiente(int fd) {
    QByteArray r;
    char b[4096];
    for (ssize_t n; (n = ::read(fd, b, sizeof b)) > 0;) r.append(b, n);
    return r;
}
}   // namespace

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
