// orvo-send against real links: orvo-sim on free loopback ports and a socat
// pty pair. Its Comm.log must be the window's, line for line.
#include "AyudaTx.h"
#include "CarpetaPrueba.h"
#include "CompilarArchivo.h"
#include "Module1.h"
#include "Programa.h"
#include "VentanaTx.h"
#include <QFile>
#include <gtest/gtest.h>
#include <csignal>

using namespace AyudaTx;
using Programa::Archivo;
using Programa::Args;
using Programa::Enviar;

namespace {
// Answers that do not depend on the clock's time of day.
const QByteArray kGuion = "INIB 1\r\nAING 1, 123, A, B\r\nBING 1, 77\r\nACK\r\nEHAB 1\r\nCMD 07\r\n";
constexpr int kTramas = 6;

// A socat pair with a simulated clock served on its b end.
struct SerieConReloj {
    Carpeta c;
    ParPty par;
    Sim sim;
    bool Iniciar() { return par.Crear(c.Raiz()) && sim.IniciarSerie(par.b); }
};
}   // namespace

TEST(Envio, CommLogIsTheWindowsLineForLineForTheSameScriptAndAnswers) {
    const struct {
        const char* caso;
        QStringList fallas;
        const char* timeOut;
    } casos[] = {
        {"full answers", {}, "2000"},
        {"short answers", {QStringLiteral("--short"), QStringLiteral("1")}, "300"},
        {"no answers", {QStringLiteral("--no-answer")}, "200"},
        {"extra bytes", {QStringLiteral("--extra"), QStringLiteral("2")}, "2000"},
    };
    QStringList codigo;
    for (const QString& l : CompilarComoAbrir(kGuion).codigo.split(QStringLiteral("\r\n")))
        if (!l.isEmpty()) codigo << l;
    ASSERT_EQ(codigo.size(), kTramas);
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Carpeta c;
        c.Script(codigo, QStringList(kTramas, QStringLiteral("X")));
        QStringList ventana;
        {
            const quint16 p = PuertoLibre();
            Sim sim;
            ASSERT_TRUE(sim.IniciarTCP(p, caso.fallas));
            Cajas cajas;
            VentanaTx v;
            v.TCP(p);
            v.Tiempos(QString::fromLatin1(caso.timeOut), QStringLiteral("0"));
            v.Iniciar();
            ASSERT_TRUE(v.EsperarFin());
            ventana = c.LineasLog();
        }
        const quint16 p = PuertoLibre();
        Sim sim;
        ASSERT_TRUE(sim.IniciarTCP(p, caso.fallas));
        const QString guion = Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion);
        const QStringList args{QStringLiteral("--tcp"), Tcp(p), QStringLiteral("--timeout"), QString::fromLatin1(caso.timeOut)};
        const Programa::Salida e = Enviar(args + Args("--delay 0 --log") << c.Ruta(QStringLiteral("envio.log")) << guion, c.Raiz());
        EXPECT_EQ(LineasDe(c.Ruta(QStringLiteral("envio.log"))), ventana);
        EXPECT_GE(ventana.size(), 3);
        EXPECT_TRUE(e.out.contains("AING 1, 00123, A, B\n> 02 52 31 35")) << e.out.toStdString();
    }
}

// The worst clock is never listed last here: "last wins" must not pass for "worst wins".
TEST(Envio, FleetGivesOneRowAndOneLogPerTargetAndTheWorstExitStatus) {
    const quint16 pOk = PuertoLibre(), pMudo = PuertoLibre(), pCierra = PuertoLibre(), pRechaza = PuertoLibre();
    Sim ok, mudo, cierra;
    ASSERT_TRUE(ok.IniciarTCP(pOk));
    ASSERT_TRUE(mudo.IniciarTCP(pMudo, {QStringLiteral("--no-answer")}));
    ASSERT_TRUE(cierra.IniciarTCP(pCierra, {QStringLiteral("--close-after"), QStringLiteral("2")}));
    const QString destinos = Archivo(CarpetaPrueba::Ruta(QStringLiteral("destinos.txt")),
                                     ("# obra\n\n" + Tcp(pOk) + "\n" + Tcp(pRechaza) + "\n" + Tcp(pCierra) + "\n" + Tcp(pMudo) + "\n")
                                         .toLatin1());
    const QString guion = Archivo(CarpetaPrueba::Ruta(QStringLiteral("guion.txt")), kGuion);
    const Programa::Salida e = Enviar(QStringList{QStringLiteral("--destinos"), destinos} + Args("--timeout 1000 --delay 0 --json") << guion, CarpetaPrueba::Ruta());
    EXPECT_EQ(e.codigo, 4) << e.err.toStdString();
    const QJsonArray filas = Programa::Filas(e.out);
    ASSERT_EQ(filas.size(), 4) << e.out.toStdString();

    const struct {
        quint16 puerto;
        int tramas, respondidas, sinRespuesta;
        const char* resultado;
        const char* mensaje;   // part of it
        int lineasLog;         // -1: no log at all; 0: checked apart
    } esperado[] = {
        // The closing clock: whether the third frame went out before the close was seen depends
        // on the timing, so its frame count and log length are checked apart.
        {pOk, kTramas, kTramas, 0, "ok", "", 2 * kTramas + 2},
        {pRechaza, 0, 0, 0, "error", "Error al conectarse a 127.0.0.1", -1},
        {pCierra, -1, 2, -1, "error", "Se perdió la conexión", 0},
        {pMudo, kTramas, 0, kTramas, "timeout", "sin respuesta", 2 * kTramas + 2},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const QJsonObject f = filas[i].toObject();
        EXPECT_EQ(f.value(QStringLiteral("destino")).toString(), Tcp(esperado[i].puerto));
        if (esperado[i].tramas >= 0) {
            EXPECT_EQ(f.value(QStringLiteral("tramas")).toInt(), esperado[i].tramas);
        }
        EXPECT_EQ(f.value(QStringLiteral("respondidas")).toInt(), esperado[i].respondidas);
        EXPECT_EQ(f.value(QStringLiteral("cortas")).toInt(), 0);
        if (esperado[i].sinRespuesta >= 0) {
            EXPECT_EQ(f.value(QStringLiteral("sin_respuesta")).toInt(), esperado[i].sinRespuesta);
        }
        EXPECT_EQ(f.value(QStringLiteral("resultado")).toString(), QLatin1String(esperado[i].resultado));
        EXPECT_TRUE(f.value(QStringLiteral("mensaje")).toString().contains(QString::fromUtf8(esperado[i].mensaje)))
            << f.value(QStringLiteral("mensaje")).toString().toStdString();
        const QString log = CarpetaPrueba::Ruta(QStringLiteral("Comm-127.0.0.1_%1.log").arg(esperado[i].puerto));
        if (esperado[i].lineasLog < 0) {
            EXPECT_FALSE(QFile::exists(log));
        } else if (esperado[i].lineasLog > 0) {
            EXPECT_EQ(LineasDe(log).size(), esperado[i].lineasLog) << LineasDe(log).join(QLatin1Char('|')).toStdString();
        }
    }
    EXPECT_EQ(LineasDe(CarpetaPrueba::Ruta(QStringLiteral("Comm-127.0.0.1_%1.log").arg(pMudo))).count(QStringLiteral("- Timeout !!!")),
              kTramas);
    const QStringList cerrado = LineasDe(CarpetaPrueba::Ruta(QStringLiteral("Comm-127.0.0.1_%1.log").arg(pCierra)));
    ASSERT_GE(cerrado.size(), 5);
    EXPECT_TRUE(cerrado[1].startsWith(QStringLiteral("< 02 52 31 42")) && cerrado[3] == QStringLiteral("< 06 "));
    EXPECT_FALSE(cerrado.contains(QStringLiteral("> 06"))) << "nothing is sent after the link is lost";

    // Without the failing links the worst is a missing answer; the table names every target.
    const Programa::Salida t = Enviar(QStringList{QStringLiteral("--tcp"), Tcp(pMudo), QStringLiteral("--tcp"), Tcp(pOk)} + Args("--timeout 200 --delay 0 --log-dir") << CarpetaPrueba::Ruta() << guion,
                                      CarpetaPrueba::Ruta());
    EXPECT_EQ(t.codigo, 3);
    const QStringList lineas = QString::fromUtf8(t.out).split(QLatin1Char('\n'));
    const QStringList tabla = lineas.mid(lineas.size() - 4);
    EXPECT_TRUE(tabla[0].startsWith(QStringLiteral("destino"))) << t.out.toStdString();
    EXPECT_TRUE(tabla[1].startsWith(Tcp(pMudo)) && tabla[1].contains(QStringLiteral("sin respuesta (")));
    EXPECT_TRUE(tabla[2].startsWith(Tcp(pOk)) && tabla[2].endsWith(QStringLiteral("  ok")));
}

TEST(Envio, InterruptStopsTheWaitLogsTheStopClosesAndExits130) {
    Carpeta c;
    const quint16 p = PuertoLibre();
    Sim sim;
    ASSERT_TRUE(sim.IniciarTCP(p, {QStringLiteral("--no-answer")}));
    const QString guion = Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion);
    QProcess proc;
    proc.setWorkingDirectory(c.Raiz());
    // Timeout 0: only the stop can end the wait.
    proc.start(QStringLiteral(ORVO_BUILD_DIR "/orvo-send"),
               {QStringLiteral("--tcp"), Tcp(p), QStringLiteral("--timeout"), QStringLiteral("0"), guion});
    // A pipe gets the exchanges in blocks; the log has each line at once.
    ASSERT_TRUE(QTest::qWaitFor([&] { return LineasDe(c.Ruta(QStringLiteral("Comm.log"))).value(0).startsWith(QStringLiteral("> 02")); }, 5000));
    ::kill(static_cast<pid_t>(proc.processId()), SIGINT);
    ASSERT_TRUE(proc.waitForFinished(5000));
    const QByteArray salida = proc.readAllStandardOutput();
    EXPECT_EQ(proc.exitCode(), 130);
    EXPECT_TRUE(salida.contains("Detenido!\n- Timeout !!!\n")) << salida.toStdString();
    EXPECT_FALSE(salida.contains("Fin de archivo"));
    EXPECT_EQ(LineasDe(c.Ruta(QStringLiteral("Comm.log"))),
              (QStringList{QStringLiteral("> 02 52 31 42 03 20"), QString(), QStringLiteral("- Timeout !!!")}));
}

TEST(Envio, SerialLinkOverAPtyPairRunsTheScript) {
    REQUIERE_SOCAT();
    SerieConReloj s;
    ASSERT_TRUE(s.Iniciar());
    Carpeta& c = s.c;
    const Programa::Salida e = Enviar(QStringList{QStringLiteral("--serial"), s.par.a} + Args("--delay 0 --loop 2") << Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion), c.Raiz());
    EXPECT_EQ(e.codigo, 0) << e.out.toStdString() << e.err.toStdString();
    const QStringList log = LineasDe(c.Ruta(QStringLiteral("Comm.log")));
    EXPECT_EQ(log.count(QStringLiteral("< 06 ")), 2 * (kTramas - 1)) << log.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(e.out.contains("Loop ..."));
}

// An adapter pulled out mid-run: the port was open and frames went out, so
// it must not read as a port that never opened.
TEST(Envio, ASerialDeviceThatVanishesMidRunIsALostLink) {
    REQUIERE_SOCAT();
    SerieConReloj s;
    ASSERT_TRUE(s.Iniciar());
    Carpeta& c = s.c;
    QProcess envio;
    envio.setWorkingDirectory(c.Raiz());
    envio.start(QStringLiteral(ORVO_BUILD_DIR "/orvo-send"), QStringList{QStringLiteral("--serial"), s.par.a} + Args("--delay 100 --loop 50") << Archivo(c.Ruta(QStringLiteral("guion.txt")), kGuion));
    // Some answers are in: the port is open and in use.
    ASSERT_TRUE(QTest::qWaitFor([&] { return LineasDe(c.Ruta(QStringLiteral("Comm.log"))).contains(QStringLiteral("< 06 ")); }, 10000));
    s.par.proc.terminate();
    ASSERT_TRUE(envio.waitForFinished(20000));
    const QString err = QString::fromUtf8(envio.readAllStandardError());
    EXPECT_EQ(envio.exitCode(), 4);
    EXPECT_TRUE(err.contains(QStringLiteral("se perdió"))) << err.toStdString() << envio.readAllStandardOutput().toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("no se pudo abrir"))) << err.toStdString();
}

TEST(Envio, ScriptErrorsAndBadArgumentsSendNothing) {
    const quint16 p = PuertoLibre();
    Sim sim;
    ASSERT_TRUE(sim.IniciarTCP(p));
    const QString bueno = Archivo(CarpetaPrueba::Ruta(QStringLiteral("bueno.txt")), kGuion);
    const QString malo = Archivo(CarpetaPrueba::Ruta(QStringLiteral("malo.txt")), "INIA 1\r\nINIA 0\r\n");
    const struct {
        QStringList args;
        int codigo;
        const char* err;
    } casos[] = {
        {{QStringLiteral("--tcp"), Tcp(p), malo}, 1, "Linea 2 - ERROR! Número de reloj invalido\n"},
        {{QStringLiteral("--tcp"), Tcp(p), CarpetaPrueba::Ruta(QStringLiteral("no-existe.txt"))}, 2, "no se puede leer"},
        {{bueno}, 2, "falta el destino"},
        {{QStringLiteral("--tcp"), Tcp(p), QStringLiteral("--timeout"), QStringLiteral("10000"), bueno}, 2, "--timeout"},
        {{QStringLiteral("--serial"), QStringLiteral("COM9"), bueno}, 2, "puerto serie inválido"},
        // The script itself named as a file the run writes: it would be removed or spoilt.
        {{QStringLiteral("--tcp"), Tcp(p), QStringLiteral("--fallidos"), bueno, bueno}, 2, "--fallidos nombra el archivo de comandos"},
        {{QStringLiteral("--tcp"), Tcp(p), QStringLiteral("--log"), CarpetaPrueba::Ruta(QStringLiteral("./bueno.txt")), bueno}, 2, "--log nombra"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.args.join(QLatin1Char(' ')).toStdString());
        const Programa::Salida e = Enviar(caso.args, CarpetaPrueba::Ruta());
        EXPECT_EQ(e.codigo, caso.codigo);
        EXPECT_TRUE(e.err.contains(caso.err)) << e.err.toStdString();
        EXPECT_TRUE(e.out.isEmpty()) << e.out.toStdString();
        EXPECT_FALSE(QFile::exists(CarpetaPrueba::Ruta(QStringLiteral("Comm.log"))));
        EXPECT_EQ(CarpetaPrueba::Leer(bueno), kGuion);
    }
}
