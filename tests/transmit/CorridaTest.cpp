// The run without a window. Its rules are driven through an in-memory link
// that delivers bytes when the test says; a real loopback peer and a real
// pseudo-terminal check that the real links keep the same rules.
#include "AyudaTx.h"
#include "Corrida.h"
#include "EnlaceMemoria.h"
#include "EnlaceRapido.h"
#include "EnlaceSerie.h"
#include "EnlaceTCP.h"
#include "LineasCorrida.h"
#include "Trama.h"
#include <QElapsedTimer>
#include <QPointer>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>
#include <gtest/gtest.h>

using namespace AyudaTx;

namespace {
struct Registro {
    QStringList log, cmd;
    QList<Avisos::Aviso> avisos;
    QList<EventosCorrida::Intercambio> enviados, hechos;   // the run's typed events
    QList<EventosCorrida::Fin> fines;
    bool terminada = false;
    LineasCorrida lineas;   // the lists' lines, as the window words them
    explicit Registro(Corrida& r) : lineas(r) {
        QObject::connect(&lineas, &LineasCorrida::Loguear, [this](const QString& l) { log << l; });
        QObject::connect(&lineas, &LineasCorrida::LogCmd, [this](const QString& l) { cmd << l; });
        QObject::connect(&r, &Corrida::Avisar, [this](const Avisos::Aviso& a) { avisos << a; });
        QObject::connect(&r, &Corrida::Enviada, [this](const auto& i) { enviados << i; });
        QObject::connect(&r, &Corrida::Respondida, [this](const auto& i) { hechos << i; });
        QObject::connect(&r, &Corrida::PasadaTerminada, [this](const auto& f) { fines << f; });
        QObject::connect(&r, &Corrida::Terminada, [this] { terminada = true; });
    }
    bool EsperarFin() {
        return QTest::qWaitFor([this] { return terminada; }, 5000);
    }
};

// A run over an in-memory link; `enlace` is the current start's link.
struct EnMemoria {
    Carpeta carpeta;
    Corrida r;
    Registro reg{r};
    QPointer<EnlaceMemoria> enlace;
    int delay = 0;
    // Two frames of one command (EHAB awaits one byte, INIA nineteen).
    EnMemoria(EnlaceMemoria::Clase clase, int timeOut, const QString& trama = kEhab,
              const QString& comando = QStringLiteral("EHAB 1")) {
        carpeta.Script(Repetir(trama, 2), Repetir(comando, 2));
        r.Preparar = [=, this](Corrida::Ajustes* a) {
            a->timeOut = timeOut;
            a->delay = delay;
            auto e = std::make_unique<EnlaceMemoria>(clase);
            enlace = e.get();
            return e;
        };
    }
    bool Escrito(int n) {
        return QTest::qWaitFor([&] { return enlace && enlace->escritos.size() >= n; }, 5000);
    }
    // Starts the run, opens its link and waits for the first frame.
    bool Arrancar() {
        if (!r.Iniciar()) return false;
        enlace->Conectar();
        return Escrito(1);
    }
};
}   // namespace

// Bytes that come after an answer and before the next frame is awaited.
TEST(Corrida, UnaskedBytesAreDroppedOverTcpAndStartTheNextAnswerOverSerial) {
    const struct {
        EnlaceMemoria::Clase clase;
        const char* segundaRespuesta;
    } casos[] = {{EnlaceMemoria::Clase::TCP, "< 06 "}, {EnlaceMemoria::Clase::Serie, "< AA BB "}};
    for (const auto& k : casos) {
        EnMemoria m(k.clase, 0);
        QObject::connect(&m.reg.lineas, &LineasCorrida::Loguear, [&](const QString& l) {
            if (l == QStringLiteral("< 06 ") && m.enlace->escritos.size() == 1) m.enlace->Llegan("\xAA\xBB");
        });
        ASSERT_TRUE(m.Arrancar());
        m.enlace->Llegan("\x06");
        ASSERT_TRUE(m.Escrito(2));
        if (k.clase == EnlaceMemoria::Clase::TCP) m.enlace->Llegan("\x06");
        ASSERT_TRUE(m.reg.EsperarFin());
        EXPECT_EQ(m.reg.log, (QStringList{QStringLiteral("> ") + kEhab, QStringLiteral("< 06 "), QStringLiteral("> ") + kEhab,
                                          QString::fromLatin1(k.segundaRespuesta), QString(), QString()}));
        EXPECT_TRUE(m.reg.avisos.isEmpty());
    }
}

// INIA awaits nineteen bytes: fewer are logged when the timeout ends the
// wait, more that arrive together are all logged, none is a timeout; a stop
// or a lost link ends the run there (told once), the bytes that came logged,
// also during a wait without a timeout (only a stop ends it) or in the pause
// after an answer: no end-of-file lines, no loop, nothing more sent.
// Each exchange's events carry its lines, its bytes and how its wait ended.
TEST(Corrida, AnswerWaitEndsWithTheAwaitedLengthTheTimeoutAStopOrALostLink) {
    using EventosCorrida::Desenlace;
    using EventosCorrida::Motivo;
    const QByteArray respuesta(22, '\x11');
    const QString frame = QStringLiteral("> ") + kInia, cmd = QStringLiteral("INIA 1") + kPuntosCmd, fin = QStringLiteral("-- Fin de archivo --");
    auto linea = [](const QByteArray& b) { return QStringLiteral("< ") + QString::fromLatin1(b.toHex(' ').toUpper()) + u' '; };
    auto dos = [&](const QString& l, const QString& c) {   // both frames sent, the second gets nothing
        return std::pair{QStringList{frame, l, frame, QStringLiteral("- Timeout !!!"), QString(), QString()}, QStringList{cmd, c, cmd, QString(), fin, QString()}};
    };
    const struct {
        int llegan;
        void (*despues)(EnMemoria&);
        std::pair<QStringList, QStringList> listas;   // the log's lines and the commands'
        Desenlace desenlace;
        Motivo motivo;
        int timeOut = 100, delay = 0;
    } casos[] = {
        {19, nullptr, dos(linea(respuesta.left(19)), kRespuesta), Desenlace::Respondida, Motivo::FinArchivo},
        {14, nullptr, dos(linea(respuesta.left(14)), kRespuesta), Desenlace::Corta, Motivo::FinArchivo},
        {22, nullptr, dos(linea(respuesta), kRespuesta), Desenlace::Respondida, Motivo::FinArchivo},
        {0, nullptr, dos(QStringLiteral("- Timeout !!!"), QString()), Desenlace::SinRespuesta, Motivo::FinArchivo},
        {2, [](EnMemoria& m) { m.r.Detener(); }, {{frame, QString(), QStringLiteral("< 11 11 ")}, {cmd, QStringLiteral("Detenido!"), kRespuesta}}, Desenlace::Detenida, Motivo::Detenida},
        {3, [](EnMemoria& m) { m.enlace->Caer(); }, {{frame, QString(), QStringLiteral("< 11 11 11 ")}, {cmd, QStringLiteral("Error de comunicación!"), kRespuesta}}, Desenlace::EnlacePerdido, Motivo::EnlacePerdido},
        {0, [](EnMemoria& m) { m.r.Detener(); }, {{frame, QString(), QStringLiteral("- Timeout !!!")}, {cmd, QStringLiteral("Detenido!"), QString()}}, Desenlace::Detenida, Motivo::Detenida, 0},
        {19, [](EnMemoria& m) { m.enlace->Caer(); }, {{frame, linea(respuesta.left(19)), QString()}, {cmd, kRespuesta, QStringLiteral("Error de comunicación!")}}, Desenlace::Respondida, Motivo::EnlacePerdido, 100, 200},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(testing::Message() << k.llegan << " bytes, motivo " << static_cast<int>(k.motivo));
        EnMemoria m(EnlaceMemoria::Clase::TCP, k.timeOut, kInia, QStringLiteral("INIA 1"));
        m.delay = k.delay;
        if (k.motivo != Motivo::FinArchivo) m.r.Loop = [] { return true; };   // a stop or a lost link is not repeated
        ASSERT_TRUE(m.Arrancar());
        EXPECT_EQ(m.r.EstadoActual(), Corrida::Estado::Esperando);
        ASSERT_EQ(m.reg.enviados.size(), 1);
        EXPECT_EQ(m.reg.enviados[0].desenlace, Desenlace::EnCurso);
        EXPECT_EQ(m.reg.enviados[0].comando, QStringLiteral("INIA 1"));
        EXPECT_EQ(m.reg.enviados[0].codigo, kInia);
        EXPECT_EQ(m.reg.enviados[0].trama, QByteArray::fromHex(kInia.toLatin1()));
        EXPECT_EQ(m.reg.enviados[0].esperados, 19);
        if (k.llegan) m.enlace->Llegan(respuesta.left(k.llegan));
        if (k.despues) k.despues(m);
        ASSERT_TRUE(m.reg.EsperarFin());
        EXPECT_EQ(m.reg.log, k.listas.first);
        EXPECT_EQ(m.reg.cmd, k.listas.second);
        ASSERT_FALSE(m.reg.hechos.isEmpty());
        EXPECT_EQ(m.reg.hechos[0].desenlace, k.desenlace);
        EXPECT_EQ(m.reg.hechos[0].respuesta, respuesta.left(k.llegan));
        EXPECT_EQ(m.reg.hechos[0].trama, m.reg.enviados[0].trama);
        ASSERT_EQ(m.reg.fines.size(), 1);
        EXPECT_EQ(m.reg.fines[0].motivo, k.motivo);
        EXPECT_EQ(m.reg.fines[0].enviadas, k.motivo == Motivo::FinArchivo ? 2 : 1);
        EXPECT_EQ(m.reg.fines[0].total, 2);
        EXPECT_EQ(m.reg.fines[0].falla.hecho.isEmpty(), k.motivo != Motivo::EnlacePerdido);
        EXPECT_EQ(m.reg.avisos.size(), k.motivo == Motivo::EnlacePerdido ? 1 : 0);
        if (!m.reg.avisos.isEmpty()) {
            EXPECT_EQ(m.reg.avisos[0].titulo, QStringLiteral("Error de comunicación"));
        }
    }
}

// With timeout T the wait is still open at half of T and over by one and a half T.
TEST(Corrida, TheAnswerWaitLastsTheTimeout) {
    constexpr int kT = 600;
    EnMemoria m(EnlaceMemoria::Clase::TCP, kT);
    ASSERT_TRUE(m.Arrancar());
    QElapsedTimer reloj;
    reloj.start();
    QTest::qWait(kT / 2);
    EXPECT_TRUE(m.reg.hechos.isEmpty()) << "ended after " << reloj.elapsed() << " ms";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m.reg.hechos.isEmpty(); }, kT * 3 / 2 - static_cast<int>(reloj.elapsed())));
    ASSERT_FALSE(m.reg.hechos.isEmpty());
    EXPECT_EQ(m.reg.hechos[0].desenlace, EventosCorrida::Desenlace::SinRespuesta);
}

TEST(Corrida, StopWhileConnectingEndsTheRunAtOnceWithoutALoop) {
    EnMemoria m(EnlaceMemoria::Clase::TCP, 0);
    m.r.Loop = [] { return true; };
    ASSERT_TRUE(m.r.Iniciar());
    EXPECT_EQ(m.enlace->esperaPedida, 0) << "an unbounded connection wait";
    EXPECT_EQ(m.r.EstadoActual(), Corrida::Estado::Abriendo);
    QPointer<EnlaceMemoria> enlace = m.enlace;
    m.r.Detener();
    EXPECT_TRUE(m.reg.terminada);
    EXPECT_FALSE(m.r.Activa());
    ASSERT_FALSE(enlace.isNull());
    EXPECT_EQ(enlace->cierres, 1);
    EXPECT_TRUE(enlace->escritos.isEmpty());
    EXPECT_EQ(m.reg.log, QStringList{QString()});
    EXPECT_EQ(m.reg.cmd, QStringList{QStringLiteral("Detenido!")});
    EXPECT_TRUE(m.reg.avisos.isEmpty());
}

TEST(Corrida, ConnectionNotMadeWithinTheTimeoutIsToldAndNothingIsLoggedOrRepeated) {
    EnMemoria m(EnlaceMemoria::Clase::TCP, 700);
    m.r.Loop = [] { return true; };
    ASSERT_TRUE(m.r.Iniciar());
    EXPECT_EQ(m.enlace->esperaPedida, 700) << "the link bounds its connection wait by the timeout";
    m.enlace->NoConectar(QStringLiteral("Error de conexión TCP"), QStringLiteral("No se pudo estblecer la conexión con x"));
    ASSERT_TRUE(m.reg.terminada);
    ASSERT_EQ(m.reg.avisos.size(), 1);
    EXPECT_EQ(m.reg.avisos[0].icono, Avisos::Icono::Critico);
    EXPECT_EQ(m.reg.avisos[0].titulo, QStringLiteral("Error de conexión TCP"));
    EXPECT_TRUE(m.reg.log.isEmpty());
    EXPECT_TRUE(m.reg.cmd.isEmpty());
    EXPECT_FALSE(m.r.Activa());
}

// Integration: the real links keep the same rules. Two EHAB frames, each
// answer followed by a 200 ms pause during which the peer sends two more bytes.
static QStringList CorrerReal(const Carpeta& c, std::function<std::unique_ptr<Enlace>()> enlace) {
    c.Script(Repetir(kEhab, 2), Repetir(QStringLiteral("EHAB 1"), 2));
    Corrida r;
    Registro reg(r);
    r.Preparar = [&](Corrida::Ajustes* a) {
        a->timeOut = 500;
        a->delay = 200;
        return enlace();
    };
    if (!r.Iniciar() || !reg.EsperarFin()) return {QStringLiteral("sin fin")};
    return reg.log;
}

// The TCP links: the window's, and orvo-send's (a bare socket where the system is POSIX).
using FabricaTCP = std::unique_ptr<Enlace> (*)(const QString& ip, const QString& puerto);
const struct {
    const char* nombre;
    FabricaTCP hacer;
} kEnlacesTCP[] = {
    {"EnlaceTCP", [](const QString& ip, const QString& puerto) -> std::unique_ptr<Enlace> { return std::make_unique<EnlaceTCP>(ip, puerto); }},
    {"f_EnlaceTCPRapido", &f_EnlaceTCPRapido},
};

TEST(Corrida, RealTcpLinkDropsBytesArrivingOutsideTheAnswerWait) {
    // IPv4 and IPv6 loopback (the latter where the system has it).
    for (const QHostAddress& host : {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::LocalHostIPv6)})
        for (const auto& tipo : kEnlacesTCP) {
            SCOPED_TRACE(tipo.nombre);
            SCOPED_TRACE(host.toString().toStdString());
            Carpeta c;
            QTcpServer peer;
            if (!peer.listen(host, 0)) {
                ASSERT_EQ(host, QHostAddress(QHostAddress::LocalHostIPv6));
                continue;
            }
            QObject::connect(&peer, &QTcpServer::newConnection, [&] {
                QTcpSocket* s = peer.nextPendingConnection();
                QObject::connect(s, &QTcpSocket::readyRead, [s] {
                    s->readAll();
                    s->write("\x06");
                    QTimer::singleShot(60, s, [s] { s->write("\xAA\xBB"); });
                });
            });
            const QStringList log = CorrerReal(c, [&] { return tipo.hacer(host.toString(), QString::number(peer.serverPort())); });
            EXPECT_EQ(log, (QStringList{QStringLiteral("> ") + kEhab, QStringLiteral("< 06 "), QStringLiteral("> ") + kEhab,
                                        QStringLiteral("< 06 "), QString(), QString()}));
        }
}

// A refused connection and a peer that closes after its first answer are
// told in the same words by both TCP links; an answer in pieces is one.
// The peer answers only the first frame: the second may reach it before it
// has closed, and must not be answered then either.
TEST(Corrida, BothTcpLinksTellRefusalsAndLostPeersAlikeAndJoinPiecesOfAnAnswer) {
    QTcpServer peer;
    ASSERT_TRUE(peer.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&peer, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = peer.nextPendingConnection();
        auto respondida = std::make_shared<bool>(false);
        QObject::connect(s, &QTcpSocket::readyRead, [s, respondida] {
            s->readAll();
            if (std::exchange(*respondida, true)) return;
            s->write(QByteArray(9, '\x11'));
            s->flush();
            QTimer::singleShot(30, s, [s] {
                s->write(QByteArray(10, '\x22'));
                s->flush();
                s->disconnectFromHost();
            });
        });
    });
    const quint16 nadie = PuertoLibre();
    QStringList dichos[2];
    for (int t = 0; t < 2; ++t) {
        SCOPED_TRACE(kEnlacesTCP[t].nombre);
        Carpeta c;
        c.Script(Repetir(kInia, 2), Repetir(QStringLiteral("INIA 1"), 2));
        for (const quint16 puerto : {nadie, peer.serverPort()}) {
            Corrida r;
            Registro reg(r);
            r.Preparar = [&](Corrida::Ajustes* a) {
                a->timeOut = 2000;
                return kEnlacesTCP[t].hacer(QStringLiteral("127.0.0.1"), QString::number(puerto));
            };
            ASSERT_TRUE(r.Iniciar());
            ASSERT_TRUE(reg.EsperarFin());
            ASSERT_EQ(reg.avisos.size(), 1);
            // What follows the first answer depends on whether the close or the next frame comes first.
            dichos[t] << reg.avisos[0].titulo << reg.avisos[0].texto << reg.avisos[0].hecho << reg.avisos[0].motivo << reg.log.mid(0, 2);
        }
    }
    const QString respuesta = QStringLiteral("< ") + QString::fromLatin1(QByteArray(9, '\x11').toHex(' ')) + u' ' +
                              QString::fromLatin1(QByteArray(10, '\x22').toHex(' ')) + u' ';
    EXPECT_TRUE(dichos[0].contains(respuesta)) << dichos[0].join(u'|').toStdString();
    EXPECT_TRUE(dichos[0].contains(QStringLiteral("conexión rechazada: nadie escucha en ese puerto")));
    EXPECT_EQ(dichos[1].join(u'|').toStdString(), dichos[0].join(u'|').toStdString());
}

TEST(Corrida, RealSerialLinkKeepsBytesArrivingOutsideTheWaitForTheNextAnswer) {
    REQUIERE_SOCAT();
    Carpeta c;
    ParPty par;
    ASSERT_TRUE(par.Crear(c.Raiz()));
    QSerialPort peer(par.b);
    ASSERT_TRUE(peer.open(QIODevice::ReadWrite));
    int recibidas = 0;
    QObject::connect(&peer, &QSerialPort::readyRead, [&] {
        peer.readAll();
        if (++recibidas == 1) {   // only the first frame is answered
            peer.write("\x06");
            QTimer::singleShot(60, &peer, [&] { peer.write("\xAA\xBB"); });
        }
    });
    const QStringList log = CorrerReal(c, [&] { return std::make_unique<EnlaceSerie>(par.a, par.a); });
    ASSERT_GE(log.size(), 4);
    EXPECT_EQ(log[1], QStringLiteral("< 06 "));
    EXPECT_EQ(log[3], QStringLiteral("< AA BB ")) << "kept in the port, read as the next answer";
}

// orvo-send hands each clock's run its script's lines read once, with
// their frames: the files are not read again, so a missing one does not
// matter, and the frame sent is the one handed in, unless the line was
// rewritten just before it went (the current time): that line is read again.
TEST(Corrida, LinesHandedInAreSentWithoutReadingTheFiles) {
    const QString kOtra = QStringLiteral("02 52 32 33 03 22");   // clock 2
    const struct {
        bool reescribir;
        QByteArray enviado;
        QString logueado;
    } casos[] = {{false, QByteArray::fromHex("025231330321"), kEhab}, {true, QByteArray::fromHex("025232330322"), kOtra}};
    for (const auto& k : casos) {
        EnMemoria m(EnlaceMemoria::Clase::TCP, 0);
        const auto lineas = std::make_shared<const Corrida::Lineas>(
            Corrida::Lineas{{kEhab}, {QStringLiteral("EHAB 1")}, {f_TramaDeLinea(kEhab)}});
        const auto preparar = m.r.Preparar;
        m.r.Preparar = [&](Corrida::Ajustes* a) {
            auto e = preparar(a);
            a->archCodigo = a->archComandos = m.carpeta.Ruta(QStringLiteral("no-existe.tmp"));
            a->lineas = lineas;
            return e;
        };
        if (k.reescribir) m.r.AntesDeEnviar = [&](QString* codigo, QString*) { *codigo = kOtra; };
        ASSERT_TRUE(m.Arrancar());
        EXPECT_EQ(m.enlace->escritos.first(), k.enviado);
        m.enlace->Llegan("\x06");
        ASSERT_TRUE(m.reg.EsperarFin());
        EXPECT_EQ(m.reg.log, (QStringList{QStringLiteral("> ") + k.logueado, QStringLiteral("< 06 "), QString(), QString()}));
        EXPECT_EQ(m.reg.cmd.first(), QStringLiteral("EHAB 1") + LineasCorrida::kPuntosCmd);
        EXPECT_TRUE(m.reg.avisos.isEmpty());
    }
}
