// orvo-sim --late: the late answers of all its clocks wait in one queue
// behind one timer. Each must still come when due, in its link's order, and
// a client gone before its answer must cost the others nothing.
#include "AyudaTx.h"
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace AyudaTx;

namespace {
// The two frames the tests send, as bytes.
const QByteArray kBytesInia = QByteArray::fromHex(kInia.toLatin1()), kBytesEhab = QByteArray::fromHex(kEhab.toLatin1());

// What a device gives until it has given `n` bytes (or `ms` passed), then
// whatever more comes within `despues` ms.
QByteArray Recibir(QIODevice& d, qsizetype n, int despues = 0, int ms = 5000) {
    QByteArray r;
    (void)QTest::qWaitFor([&] { return (r += d.readAll()).size() >= n; }, ms);   // the caller checks what came
    if (despues) {
        QTest::qWait(despues);
        r += d.readAll();
    }
    return r;
}
}   // namespace

TEST(OrvoSim, LateAnswersOfManyClocksComeWhenDueInOrderAndAGoneClientCostsNothing) {
    Carpeta c;
    Sim sim;
    quint16 p = 0;
    ASSERT_TRUE(sim.IniciarVarios(3, c.Ruta(QStringLiteral("tramas.txt")), &p, {QStringLiteral("--late"), QStringLiteral("200")}));
    std::unique_ptr<QTcpSocket> s[3];
    for (int i = 0; i < 3; ++i) {
        s[i] = std::make_unique<QTcpSocket>();
        s[i]->connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(p + i));
        ASSERT_TRUE(s[i]->waitForConnected(5000)) << i;
    }
    // The first client asks and goes away before its answer is due.
    s[0]->write(kBytesEhab);
    ASSERT_TRUE(s[0]->waitForBytesWritten(5000));
    s[0]->abort();
    QElapsedTimer t;
    t.start();
    s[1]->write(kBytesEhab + kBytesInia);   // two frames at once: two answers, in their order
    s[2]->write(kBytesInia);
    QByteArray llegado[3];
    qint64 cuando[3] = {};
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (int i = 1; i < 3; ++i) {
                llegado[i] += s[i]->readAll();
                if (!cuando[i] && !llegado[i].isEmpty()) cuando[i] = t.elapsed();
            }
            return llegado[1].size() >= 20 && llegado[2].size() >= 19;
        },
        5000));
    EXPECT_EQ(llegado[1].size(), 20);
    EXPECT_EQ(llegado[1].at(0), '\x06') << "EHAB's answer first";
    EXPECT_EQ(llegado[1].mid(1, 4), QByteArray("\x02R1A"));
    EXPECT_EQ(llegado[2].size(), 19);
    for (int i = 1; i < 3; ++i) {
        EXPECT_GE(cuando[i], 190) << "not before it is due: " << i;
        EXPECT_LT(cuando[i], 4000) << i;
    }
    EXPECT_EQ(sim.proc.state(), QProcess::Running);
}

// An answer larger than the system takes at once (a flood, --extra) to a
// client that reads late comes whole, in order, and the next one after it.
TEST(OrvoSim, AnAnswerTheSystemTakesInPiecesComesWholeToALateReader) {
    Sim sim;
    const quint16 p = PuertoLibre();
    constexpr int kExtra = 3000000;
    ASSERT_TRUE(sim.IniciarTCP(p, {QStringLiteral("--extra"), QString::number(kExtra)}));
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), p);
    ASSERT_TRUE(s.waitForConnected(5000));
    s.write(kBytesEhab + kBytesEhab);
    ASSERT_TRUE(s.waitForBytesWritten(5000));
    QTest::qWait(300);   // nothing read: the simulator's sends fill the system's buffers
    const QByteArray llegado = Recibir(s, 2 * (1 + kExtra), 0, 10000);
    ASSERT_EQ(llegado.size(), 2 * (1 + kExtra));
    EXPECT_EQ(llegado.at(0), '\x06');
    EXPECT_EQ(llegado.at(1 + kExtra), '\x06') << "the second answer starts where the first ends";
    EXPECT_EQ(llegado.count('\xEE'), 2 * kExtra);
}

// The system gives a closed connection's descriptor number to the next one
// at once: an answer held for the first must not reach the second.
TEST(OrvoSim, AnAnswerHeldForAClosedConnectionDoesNotReachTheOneInItsPlace) {
    Carpeta c;
    Sim sim;
    const quint16 p = PuertoLibre();
    const QString anotadas = c.Ruta(QStringLiteral("tramas.txt"));
    ASSERT_TRUE(sim.IniciarTCP(p, {QStringLiteral("--late"), QStringLiteral("400"), QStringLiteral("--tramas"), anotadas}));
    QTcpSocket ido;
    ido.connectToHost(QStringLiteral("127.0.0.1"), p);
    ASSERT_TRUE(ido.waitForConnected(5000));
    ido.write(kBytesInia);
    ASSERT_TRUE(QTest::qWaitFor([&] { return LineasDe(anotadas).size() == 1; }, 5000)) << "the frame reached the simulator";
    ido.disconnectFromHost();
    QTest::qWait(100);   // the simulator lets the connection go, well before its answer is due
    QTcpSocket nuevo;
    nuevo.connectToHost(QStringLiteral("127.0.0.1"), p);
    ASSERT_TRUE(nuevo.waitForConnected(5000));
    nuevo.write(kBytesEhab);
    const QByteArray llegado = Recibir(nuevo, 1, 200);   // anything more would have come by then
    EXPECT_EQ(llegado, QByteArray(1, '\x06')) << "its own answer only: " << llegado.toHex().toStdString();
}

// Answered at once: frames that come in one piece are answered in their
// order, and a frame cut in two once it is whole.
TEST(OrvoSim, FramesInOneReadAreAnsweredInTheirOrderAndACutFrameOnceWhole) {
    Sim sim;
    const quint16 p = PuertoLibre();
    ASSERT_TRUE(sim.IniciarTCP(p));
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), p);
    ASSERT_TRUE(s.waitForConnected(5000));
    s.write(kBytesEhab + kBytesInia + QByteArray(1, '\x06') + kBytesEhab.left(3));
    ASSERT_TRUE(s.waitForBytesWritten(5000));
    QTest::qWait(30);
    s.write(kBytesEhab.mid(3));
    const QByteArray llegado = Recibir(s, 22, 100);
    ASSERT_EQ(llegado.size(), 22) << llegado.toHex().toStdString();
    EXPECT_EQ(llegado.at(0), '\x06');
    EXPECT_EQ(llegado.mid(1, 4), QByteArray("\x02R1A"));
    EXPECT_EQ(llegado.right(2), QByteArray("\x06\x06"));
}

// A serial port drops what it has not written when it is closed: with
// --close-after the answer to the last frame still reaches the other end.
TEST(OrvoSim, OverASerialPortTheLastAnswerIsWrittenBeforeThePortCloses) {
    REQUIERE_SOCAT();
    Carpeta c;
    ParPty par;
    ASSERT_TRUE(par.Crear(c.Raiz()));
    Sim sim;
    ASSERT_TRUE(sim.IniciarSerie(par.b, {QStringLiteral("--close-after"), QStringLiteral("2")}));
    QSerialPort puerto(par.a);
    ASSERT_TRUE(puerto.open(QIODevice::ReadWrite)) << puerto.errorString().toStdString();
    puerto.write(kBytesInia + kBytesEhab + kBytesEhab);
    const QByteArray llegado = Recibir(puerto, 20, 100);
    EXPECT_EQ(llegado.size(), 20) << llegado.toHex().toStdString() << ": "
                                  << "INIA's answer, then EHAB's, and nothing for the frame after the close";
    EXPECT_EQ(llegado.left(4), QByteArray("\x02R1A"));
    EXPECT_EQ(llegado.right(1), QByteArray(1, '\x06'));
}
