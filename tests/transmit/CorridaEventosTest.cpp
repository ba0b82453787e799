// The run's typed events: what each exchange carries and how its wait ended,
// and how long the wait stays open. Driven through the in-memory link.
#include "AyudaTx.h"
#include "Corrida.h"
#include "EnlaceMemoria.h"
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using namespace AyudaTx;
using EventosCorrida::Desenlace;
using EventosCorrida::Motivo;

namespace {
struct Eventos {
    Carpeta carpeta;
    Corrida r;
    QPointer<EnlaceMemoria> enlace;
    QList<EventosCorrida::Intercambio> enviados, hechos;
    QList<EventosCorrida::Fin> fines;
    bool terminada = false;
    Eventos(int timeOut, const QString& trama, const QString& comando) {
        carpeta.Script({trama}, {comando});
        r.Preparar = [=, this](Corrida::Ajustes* a) {
            a->timeOut = timeOut;
            auto e = std::make_unique<EnlaceMemoria>(EnlaceMemoria::Clase::TCP);
            enlace = e.get();
            return e;
        };
        QObject::connect(&r, &Corrida::Enviada, [this](const auto& i) { enviados << i; });
        QObject::connect(&r, &Corrida::Respondida, [this](const auto& i) { hechos << i; });
        QObject::connect(&r, &Corrida::PasadaTerminada, [this](const auto& f) { fines << f; });
        QObject::connect(&r, &Corrida::Terminada, [this] { terminada = true; });
    }
    bool Enviado() {
        return QTest::qWaitFor([&] { return enlace && enlace->escritos.size() >= 1; }, 5000);
    }
};
}   // namespace

TEST(CorridaEventos, EachExchangeCarriesItsLinesBytesAndHowItsWaitEnded) {
    const struct {
        const char* caso;
        QByteArray llegan;
        void (*despues)(Eventos&);
        Desenlace desenlace;
        Motivo motivo;
    } casos[] = {
        {"full", QByteArray(19, '\x11'), nullptr, Desenlace::Respondida, Motivo::FinArchivo},
        {"short", QByteArray(5, '\x11'), nullptr, Desenlace::Corta, Motivo::FinArchivo},
        {"none", {}, nullptr, Desenlace::SinRespuesta, Motivo::FinArchivo},
        {"stopped", QByteArray(2, '\x11'), [](Eventos& e) { e.r.Detener(); }, Desenlace::Detenida, Motivo::Detenida},
        {"link lost", QByteArray(3, '\x11'), [](Eventos& e) { e.enlace->Caer(); }, Desenlace::EnlacePerdido, Motivo::EnlacePerdido},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.caso);
        Eventos e(150, kInia, QStringLiteral("INIA 1"));
        ASSERT_TRUE(e.r.Iniciar());
        e.enlace->Conectar();
        ASSERT_TRUE(e.Enviado());
        ASSERT_EQ(e.enviados.size(), 1);
        EXPECT_EQ(e.enviados[0].desenlace, Desenlace::EnCurso);
        EXPECT_EQ(e.enviados[0].comando, QStringLiteral("INIA 1"));
        EXPECT_EQ(e.enviados[0].codigo, kInia);
        EXPECT_EQ(e.enviados[0].trama, QByteArray::fromHex(kInia.toLatin1()));
        EXPECT_EQ(e.enviados[0].esperados, 19);
        if (!k.llegan.isEmpty()) e.enlace->Llegan(k.llegan);
        if (k.despues) k.despues(e);
        ASSERT_TRUE(QTest::qWaitFor([&] { return e.terminada; }, 5000));
        ASSERT_EQ(e.hechos.size(), 1);
        EXPECT_EQ(e.hechos[0].desenlace, k.desenlace);
        EXPECT_EQ(e.hechos[0].respuesta, k.llegan);
        EXPECT_EQ(e.hechos[0].trama, e.enviados[0].trama);
        ASSERT_EQ(e.fines.size(), 1);
        EXPECT_EQ(e.fines[0].motivo, k.motivo);
        EXPECT_EQ(e.fines[0].enviadas, 1);
        EXPECT_EQ(e.fines[0].total, 1);
        EXPECT_EQ(e.fines[0].falla.hecho.isEmpty(), k.motivo != Motivo::EnlacePerdido);
    }
}

// With timeout T the wait is still open at half of T and over by one and a half T.
TEST(CorridaEventos, TheAnswerWaitLastsTheTimeout) {
    constexpr int kT = 600;
    Eventos e(kT, kEhab, QStringLiteral("EHAB 1"));
    ASSERT_TRUE(e.r.Iniciar());
    e.enlace->Conectar();
    ASSERT_TRUE(e.Enviado());
    QElapsedTimer reloj;
    reloj.start();
    QTest::qWait(kT / 2);
    EXPECT_TRUE(e.hechos.isEmpty()) << "ended after " << reloj.elapsed() << " ms";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !e.hechos.isEmpty(); }, kT * 3 / 2 - static_cast<int>(reloj.elapsed())));
    ASSERT_FALSE(e.hechos.isEmpty());
    EXPECT_EQ(e.hechos[0].desenlace, Desenlace::SinRespuesta);
}
