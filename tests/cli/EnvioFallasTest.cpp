// orvo-send and orvo-sim under faults: the exit status and the summary tell
// the truth about every clock, a stop or a closed output loses nothing, and
// the simulated clock never listens wider than asked. Real processes on
// loopback, with files, FIFOs and descriptor limits of the test's own.
#include "AyudaTx.h"
#include "Programa.h"
#include "RelojSimulado.h"
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/stat.h>

using namespace AyudaTx;
using Programa::Archivo;
using Programa::Args;
using Programa::Enviar;
using Programa::Filas;

namespace {
// Two frames awaiting 19 bytes and one awaiting 1: answers that do not depend on the time of day.
const QByteArray kGuion = "INIB 1\r\nEHAB 1\r\nINIB 1\r\n";
constexpr int kTramas = 3;

// A tool run by a shell that first lowers its open-files limit; its
// arguments reach it as the shell's own ("$@"), never re-read by the shell.
Programa::Salida ConLimite(int limite, const QString& programa, const QStringList& args, const QString& carpeta) {
    return Programa::CorrerRuta(QStringLiteral("/bin/sh"),
                                QStringList{QStringLiteral("-c"), QStringLiteral("ulimit -n %1 && exec \"$0\" \"$@\"").arg(limite),
                                            QStringLiteral(ORVO_BUILD_DIR "/") + programa} +
                                    args,
                                carpeta);
}

// orvo-send started by hand, with its temporary folder inside the test's.
struct EnvioVivo {
    QProcess proc;
    QString temporal;
    EnvioVivo(const Carpeta& c, const QStringList& args) {
        temporal = c.Ruta(QStringLiteral("tmp"));
        QDir().mkpath(temporal);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), temporal);
        proc.setProcessEnvironment(env);
        proc.setWorkingDirectory(c.Raiz());
        proc.start(QStringLiteral(ORVO_BUILD_DIR "/orvo-send"), args);
    }
    ~EnvioVivo() {
        if (proc.state() != QProcess::NotRunning) {
            proc.kill();
            proc.waitForFinished();
        }
    }
    void Senal(int s) { ::kill(static_cast<pid_t>(proc.processId()), s); }
    bool TemporalVacio() const { return QDir(temporal).isEmpty(); }
};
}   // namespace

// The name is given back exactly, and a failure reads as one sentence.
TEST(EnvioFallas, JsonKeepsQuotesAndBackslashesOfATargetName) {
    Carpeta c;
    const QString raro = c.Ruta(QStringLiteral("re\"loj\\uno"));
    const Programa::Salida e = Enviar({QStringLiteral("--serial"), raro, QStringLiteral("--serial"), c.Ruta(QStringLiteral("otro")),
                                       QStringLiteral("--json"), Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion)},
                                      c.Raiz());
    EXPECT_EQ(e.codigo, 4);
    const QJsonArray filas = Filas(e.out);
    ASSERT_EQ(filas.size(), 2) << e.out.toStdString();
    const QJsonObject f = filas[0].toObject();
    EXPECT_EQ(f.value(QStringLiteral("destino")).toString(), raro);
    EXPECT_EQ(f.value(QStringLiteral("resultado")).toString(), QStringLiteral("error"));
    const QString mensaje = f.value(QStringLiteral("mensaje")).toString();
    EXPECT_TRUE(mensaje.startsWith(QStringLiteral("Error al abrir el puerto ") + raro + QStringLiteral(": "))) << mensaje.toStdString();
    EXPECT_FALSE(mensaje.contains(QStringLiteral("::")) || mensaje.contains(u'\r') || mensaje.contains(u'\n')) << mensaje.toStdString();
}

// The run goes on, but the summary and the exit status say the log is not whole.
TEST(EnvioFallas, ATargetWhoseLogCannotBeWrittenIsSinRegistro) {
    Carpeta c;
    const quint16 p = PuertoLibre();
    Sim sim;
    ASSERT_TRUE(sim.IniciarTCP(p));
    const QString guion = Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion);
    const QString carpeta = c.Ruta(QStringLiteral("una-carpeta"));
    ASSERT_TRUE(QDir().mkpath(carpeta));
    const QString fifo = c.Ruta(QStringLiteral("tuberia"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString largo = c.Ruta(QString(300, u'n') + QStringLiteral(".log"));
    for (const QString& log : {carpeta, fifo, largo}) {
        SCOPED_TRACE(log.toStdString());
        for (const bool json : {true, false}) {
            QStringList args = QStringList{QStringLiteral("--tcp"), Tcp(p)} + Args("--delay 0 --log") << log << guion;
            if (json) args.prepend(QStringLiteral("--json"));
            const Programa::Salida e = Enviar(args, c.Raiz());
            EXPECT_EQ(e.codigo, 3) << e.err.toStdString();
            EXPECT_TRUE(e.err.contains("la transmisión sigue")) << e.err.toStdString();
            EXPECT_FALSE(e.err.contains("--log-dir")) << "only --log was given";
            if (json) {
                const QJsonObject f = Filas(e.out).first().toObject();
                EXPECT_EQ(f.value(QStringLiteral("resultado")).toString(), QStringLiteral("sin registro"));
                EXPECT_EQ(f.value(QStringLiteral("respondidas")).toInt(), kTramas) << "the run went on";
                EXPECT_TRUE(f.value(QStringLiteral("mensaje")).toString().contains(log));
            } else {
                EXPECT_TRUE(e.out.contains("  sin registro (no se pudo escribir en ")) << e.out.toStdString();
            }
        }
    }
}

// Clocks running and clocks queued are "detenido" with what they sent; the
// pauses still end; a second Ctrl+C ends at once; the temporary folder goes.
TEST(EnvioFallas, AStopMarksEveryClockItReachedAndASecondOneEndsAtOnce) {
    Carpeta c;
    const quint16 p1 = PuertoLibre(), p2 = PuertoLibre();
    Sim s1, s2;
    ASSERT_TRUE(s1.IniciarTCP(p1));
    ASSERT_TRUE(s2.IniciarTCP(p2));
    const QString guion = Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion);
    auto args = [&](const char* delay, const QString& logs) {
        return QStringList{QStringLiteral("--tcp"), Tcp(p1), QStringLiteral("--tcp"), Tcp(p2), QStringLiteral("--tcp"), Tcp(p1)} +
                   Args("--paralelo 2 --json --delay")
               << QString::fromLatin1(delay) << QStringLiteral("--log-dir") << logs << guion;
    };
    {
        EnvioVivo e(c, args("1500", c.Raiz()));
        // --json keeps the exchanges off stdout: wait for both logs' first answer.
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return LineasDe(c.Ruta(QStringLiteral("Comm-127.0.0.1_%1.log").arg(p2))).size() >= 2 &&
                   LineasDe(c.Ruta(QStringLiteral("Comm-127.0.0.1_%1.log").arg(p1))).size() >= 2;
        },
                                    8000));
        e.Senal(SIGINT);
        ASSERT_TRUE(e.proc.waitForFinished(8000));
        EXPECT_EQ(e.proc.exitCode(), 130);
        const QJsonArray filas = Filas(e.proc.readAllStandardOutput());
        ASSERT_EQ(filas.size(), 3);
        const int enviadas[] = {1, 1, 0};
        for (int i = 0; i < 3; ++i) {
            const QJsonObject f = filas[i].toObject();
            EXPECT_EQ(f.value(QStringLiteral("resultado")).toString(), QStringLiteral("detenido")) << i;
            EXPECT_EQ(f.value(QStringLiteral("mensaje")).toString(), QStringLiteral("%1 de %2 tramas enviadas").arg(enviadas[i]).arg(kTramas));
        }
        EXPECT_TRUE(e.TemporalVacio());
    }
    {
        const QString logs = c.Ruta(QStringLiteral("segunda"));
        ASSERT_TRUE(QDir().mkpath(logs));
        QStringList sinJson = args("9000", logs);
        sinJson.removeAll(QStringLiteral("--json"));   // the exchanges go to the pipe, held in blocks
        EnvioVivo e(c, sinJson);
        ASSERT_TRUE(QTest::qWaitFor([&] { return LineasDe(logs + QStringLiteral("/Comm-127.0.0.1_%1.log").arg(p2)).size() >= 2; }, 8000));
        e.Senal(SIGINT);
        QTest::qWait(100);
        e.Senal(SIGINT);
        EXPECT_TRUE(e.proc.waitForFinished(4000)) << "the second Ctrl+C does not wait for the 9 s pause";
        EXPECT_EQ(e.proc.exitCode(), 130);
        EXPECT_TRUE(e.TemporalVacio());
        // What was held for the pipe is not lost with it.
        const QByteArray out = e.proc.readAllStandardOutput();
        EXPECT_TRUE(out.contains("> 02 52 31 42 ") && out.contains("< 02 ")) << out.constData();
    }
}

// orvo-send | head: the reader leaves, the clocks are still sent in full.
TEST(EnvioFallas, AClosedOutputCostsOnlyTheOutput) {
    Carpeta c;
    const quint16 p = PuertoLibre();
    Sim sim;
    ASSERT_TRUE(sim.IniciarTCP(p));
    EnvioVivo e(c, QStringList{QStringLiteral("--tcp"), Tcp(p)} + Args("--delay 0 --loop 3") << Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion));
    ASSERT_TRUE(e.proc.waitForStarted());
    e.proc.closeReadChannel(QProcess::StandardOutput);
    ASSERT_TRUE(e.proc.waitForFinished(8000));
    EXPECT_EQ(e.proc.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(e.proc.exitCode(), 0);
    const QStringList log = LineasDe(c.Ruta(QStringLiteral("Comm.log")));
    EXPECT_EQ(log.count(QStringLiteral("< 06 ")), 3);
    EXPECT_EQ(log.size(), 3 * (2 * kTramas + 2) + 2) << log.join(u'|').toStdString();
    EXPECT_TRUE(e.TemporalVacio());
}

// Near the descriptor limit the fleet waits for room instead of losing log lines.
TEST(EnvioFallas, LinksInFlightStayBelowTheDescriptorLimitSoEveryLogIsWhole) {
    Carpeta c;
    // Past what 160 open files hold at once, each link with its log open.
    constexpr int kRelojes = 200;
    // Below the system's ephemeral range, where other tests' connections take ports at random.
    Sim sim;
    quint16 base = 0;
    for (int intento = 0; intento < 10 && !base; ++intento) {
        const auto p = static_cast<quint16>(20000 + QRandomGenerator::global()->bounded(12000));
        if (sim.IniciarTCP(p, {QStringLiteral("--count"), QString::number(kRelojes)})) base = p;
    }
    if (!base) GTEST_SKIP() << "no " << kRelojes << " free ports in a row";
    QByteArray lista;
    for (int i = 0; i < kRelojes; ++i) lista += Tcp(static_cast<quint16>(base + i)).toLatin1() + '\n';
    const QStringList args = QStringList{QStringLiteral("--destinos"), Archivo(c.Ruta(QStringLiteral("obra.txt")), lista)} + Args("--paralelo 200 --delay 0 --json");
    const Programa::Salida e = ConLimite(160, QStringLiteral("orvo-send"), args + QStringList{Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion)}, c.Raiz());
    EXPECT_EQ(e.codigo, 0) << e.err.toStdString();
    EXPECT_EQ(e.err.count("--paralelo 200 bajado a"), 1) << e.err.toStdString();
    const QJsonArray filas = Filas(e.out);
    ASSERT_EQ(filas.size(), kRelojes);
    for (int i = 0; i < kRelojes; ++i) {
        EXPECT_EQ(filas[i].toObject().value(QStringLiteral("resultado")).toString(), QStringLiteral("ok")) << i;
        EXPECT_EQ(LineasDe(c.Ruta(QStringLiteral("Comm-127.0.0.1_%1.log").arg(base + i))).size(), 2 * kTramas + 2) << i;
    }
}

TEST(EnvioFallas, TargetsWithAnEmptyPortOrABlankInsideAreRefusedAndIpv6IsBracketed) {
    Carpeta c;
    const QString guion = Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion);
    for (const char* malo : {"127.0.0.1:", "127.0.0.1:70000", "127.0\t.0.1:7001", "reloj uno", "[::1]:", "[::1]x"}) {
        const Programa::Salida e = Enviar({QStringLiteral("--tcp"), QString::fromLatin1(malo), guion}, c.Raiz());
        EXPECT_EQ(e.codigo, 2) << malo;
        EXPECT_TRUE(e.err.contains("destino inválido")) << malo << e.err.toStdString();
    }
    const quint16 p = PuertoLibre();   // nobody listens: the failure names the target
    for (const QString& v6 : {QStringLiteral("[::1]:%1"), QStringLiteral("::1")}) {
        const bool conPuerto = v6.contains(u'[');
        const Programa::Salida e = Enviar(QStringList{QStringLiteral("--tcp"), conPuerto ? v6.arg(p) : v6} + Args("--timeout 500 --json") << guion, c.Raiz());
        const QJsonObject f = Filas(e.out).first().toObject();
        const QString nombre = conPuerto ? v6.arg(p) : QStringLiteral("[::1]:7001");
        EXPECT_EQ(f.value(QStringLiteral("destino")).toString(), nombre);
        if (conPuerto) {
            EXPECT_TRUE(f.value(QStringLiteral("mensaje")).toString().contains(nombre)) << f.value(QStringLiteral("mensaje")).toString().toStdString();
        }
    }
}

TEST(OrvoSim, ListensOnlyWhereAskedAndRefusesAnyOtherHost) {
    Carpeta c;
    const struct {
        const char* direccion;   // %1: a free port
        const char* escucha;     // what it says, or null when refused
        const char* conectar;    // an address that must reach it
    } casos[] = {
        {"localhost:%1", "127.0.0.1:%1", "127.0.0.1"},
        {"[::1]:%1", "[::1]:%1", "::1"},
        {"bogus:%1", nullptr, nullptr},
        {"127.0.0.1:", nullptr, nullptr},
        {"::1:%1", nullptr, nullptr},
        {"[127.0.0.1]:%1", nullptr, nullptr},
        {"127.0.0.1:+%1", nullptr, nullptr},
    };
    for (const auto& k : casos) {
        const quint16 p = PuertoLibre();
        const QString dir = QString::fromLatin1(k.direccion).replace(QStringLiteral("%1"), QString::number(p));
        SCOPED_TRACE(dir.toStdString());
        if (!k.escucha) {
            const Programa::Salida e = Programa::Correr(QStringLiteral("orvo-sim"), {QStringLiteral("--tcp"), dir}, c.Raiz());
            EXPECT_EQ(e.codigo, 2);
            EXPECT_TRUE(e.err.contains("dirección inválida")) << e.err.toStdString();
            continue;
        }
        Sim sim;
        sim.proc.start(QStringLiteral(ORVO_BUILD_DIR "/orvo-sim"), {QStringLiteral("--tcp"), dir});
        QByteArray err;
        const bool escucha = QTest::qWaitFor([&] {
            err += sim.proc.readAllStandardError();
            return err.contains("escuchando") || sim.proc.state() == QProcess::NotRunning;
        },
                                             5000);
        if (!err.contains("escuchando") && QString::fromLatin1(k.conectar) == QStringLiteral("::1"))
            GTEST_SKIP() << "no IPv6 loopback here: " << err.toStdString();
        ASSERT_TRUE(escucha && err.contains("escuchando")) << err.toStdString();
        EXPECT_TRUE(err.contains(QString::fromLatin1(k.escucha).replace(QStringLiteral("%1"), QString::number(p)).toUtf8())) << err.toStdString();
        QTcpSocket s;
        s.connectToHost(QString::fromLatin1(k.conectar), p);
        EXPECT_TRUE(s.waitForConnected(3000));
    }
}

TEST(OrvoSim, CountBeyondThePortsOrTheDescriptorsGetsItsOwnMessage) {
    Carpeta c;
    const Programa::Salida grande = Programa::Correr(QStringLiteral("orvo-sim"), Args("--tcp 127.0.0.1:7001 --count 2147483647"), c.Raiz());
    EXPECT_EQ(grande.codigo, 2);
    EXPECT_TRUE(grande.err.contains("--count 2147483647 no cabe")) << grande.err.toStdString();
    EXPECT_FALSE(grande.err.contains("dirección inválida"));

    const Programa::Salida pocos = ConLimite(64, QStringLiteral("orvo-sim"), QStringList{QStringLiteral("--tcp"), Tcp(PuertoLibre())} + Args("--count 100"), c.Raiz());
    EXPECT_EQ(pocos.codigo, 1);
    EXPECT_TRUE(pocos.err.contains("ulimit -n")) << pocos.err.toStdString();
}

TEST(OrvoSim, ASerialPathThatIsNoPortIsRefusedInSpanish) {
    Carpeta c;
    const Programa::Salida e = Programa::Correr(QStringLiteral("orvo-sim"), {QStringLiteral("--serial"), Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion)}, c.Raiz());
    EXPECT_EQ(e.codigo, 1);
    EXPECT_TRUE(e.err.contains("no es un puerto serie")) << e.err.toStdString();
}

// Two connections to one simulated clock: each reads its own records.
TEST(OrvoSim, EachConnectionKeepsItsOwnRegisterRead) {
    RelojSimulado reloj;
    RelojSimulado::Sesion a, b;
    const QByteArray lreg = QByteArray::fromHex("0252313003") + '\x52';
    const QByteArray ehab = QByteArray::fromHex("0252313303") + '\x21';
    const QByteArray ack(1, '\x06');
    EXPECT_EQ(reloj.Responder(lreg, &a).size(), 19);
    EXPECT_EQ(reloj.Responder(ehab, &b).size(), 1);
    EXPECT_EQ(reloj.Responder(ack, &a).size(), 18) << "b's frame does not end a's register read";
    EXPECT_EQ(reloj.Responder(ack, &b).size(), 1);
    EXPECT_EQ(reloj.Responder(ack, &a).size(), 18);
}
