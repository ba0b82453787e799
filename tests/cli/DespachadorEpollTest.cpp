// The tools' epoll event loop, run in a thread of its own (the test's main
// thread keeps Qt's): timers in order and never early, ready sockets told
// on every turn until read, what a handler removes is not called after, a
// wake-up from another thread. Qt's own sockets on top of it: orvo-send and
// orvo-sim run on it in every test that starts them.
#include "DespachadorEpoll.h"
#include <QElapsedTimer>
#include <QPointer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kPlazoMs = 5000;   // a loop that never ends fails the test instead of hanging it

// Runs `preparar` in a new thread whose loop is a DespachadorEpoll, then
// that loop until something quits it; `antes` runs on the test's thread
// once the loop turns. The loop's exit code: 0, or 1 when the time ran out.
int EnHilo(const std::function<void(QEventLoop&)>& preparar, const std::function<void(QEventLoop*)>& antes = {}) {
    auto* despachador = new DespachadorEpoll;
    EXPECT_TRUE(despachador->Valido());
    std::atomic<QEventLoop*> enMarcha{nullptr};
    int codigo = -1;
    std::unique_ptr<QThread> hilo(QThread::create([&] {
        QEventLoop loop;
        preparar(loop);
        QTimer::singleShot(kPlazoMs, &loop, [&loop] { loop.exit(1); });
        QTimer::singleShot(0, &loop, [&] { enMarcha = &loop; });
        codigo = loop.exec();
    }));
    hilo->setEventDispatcher(despachador);
    hilo->start();
    while (!enMarcha && !hilo->isFinished()) QThread::msleep(1);
    if (antes && enMarcha) antes(enMarcha);
    hilo->wait();
    return codigo;
}
}   // namespace

TEST(DespachadorEpoll, TimersFireInOrderNeverEarlyAndNotOnceStopped) {
    // The loop ends on what fired, not on a clock: a busy machine may hold
    // the thread back, and only "never early" and "in order" are the rules.
    constexpr int kRepeticiones = 8;
    std::vector<std::pair<qint64, qint64>> disparos;   // (when due, when fired), ms since the start
    std::vector<qint64> repetidos;                     // ms passed at each firing
    int vueltasCero = 0;
    bool detenidoDisparado = false;
    EXPECT_EQ(EnHilo([&](QEventLoop& loop) {
                  auto* t = new QElapsedTimer;
                  t->start();
                  const auto terminarSiListo = [&, t] {
                      if (disparos.size() < 3 || repetidos.size() < size_t(kRepeticiones)) return;
                      delete t;
                      loop.quit();
                  };
                  // Due when started plus its interval: a thread held back
                  // between two starts may make the 30 ms timer due first.
                  for (int ms : {30, 10, 20})
                      QTimer::singleShot(ms, Qt::PreciseTimer, &loop, [&, t, terminarSiListo, vence = t->elapsed() + ms] {
                          disparos.push_back({vence, t->elapsed()});
                          terminarSiListo();
                      });
                  // Due at the same time: the first stops the second, in the same turn or before it.
                  auto* detenido = new QTimer(&loop);
                  detenido->setSingleShot(true);
                  QTimer::singleShot(12, Qt::PreciseTimer, &loop, [detenido] { detenido->stop(); });
                  detenido->start(12);
                  QObject::connect(detenido, &QTimer::timeout, [&] { detenidoDisparado = true; });
                  auto* repetido = new QTimer(&loop);
                  repetido->setTimerType(Qt::PreciseTimer);
                  QObject::connect(repetido, &QTimer::timeout, [&, t, repetido, terminarSiListo] {
                      repetidos.push_back(t->elapsed());
                      if (repetidos.size() == size_t(kRepeticiones)) repetido->stop();
                      terminarSiListo();
                  });
                  repetido->start(5);
                  // A zero timer runs on every turn without starving the others.
                  auto* cero = new QTimer(&loop);
                  QObject::connect(cero, &QTimer::timeout, [&] { ++vueltasCero; });
                  cero->start(0);
              }),
              0);
    ASSERT_EQ(disparos.size(), 3u);
    for (size_t i = 0; i < disparos.size(); ++i) {
        if (i > 0) {
            EXPECT_LE(disparos[i - 1].first, disparos[i].first) << "out of order";
        }
        EXPECT_GE(disparos[i].second, disparos[i].first) << "fired early";
    }
    EXPECT_FALSE(detenidoDisparado);
    // A repeating timer never gets ahead of its interval: its k-th firing
    // comes k intervals after it started, at the earliest.
    ASSERT_EQ(repetidos.size(), size_t(kRepeticiones));
    for (size_t k = 0; k < repetidos.size(); ++k) EXPECT_GE(repetidos[k], 5 * qint64(k + 1)) << "firing " << k + 1;
    EXPECT_GT(vueltasCero, 10);
}

TEST(DespachadorEpoll, AReadySocketIsToldEachTurnUntilReadAndARemovedOneNeverAfter) {
    int par[2][2];
    for (auto& p : par) ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, p), 0);
    for (auto& p : par) ASSERT_EQ(::write(p[1], "x", 1), 1);
    int sinLeer = 0, llamados = 0, apagado = 0;
    EXPECT_EQ(EnHilo([&](QEventLoop& loop) {
                  // Not read: level-triggered, as Qt's loops are, so it comes back.
                  auto* pendiente = new QSocketNotifier(par[0][0], QSocketNotifier::Read, &loop);
                  QObject::connect(pendiente, &QSocketNotifier::activated, [&, pendiente] {
                      if (++sinLeer == 3) pendiente->setEnabled(false);
                  });
                  // Both ready in one turn; whichever goes first removes the other (and quiets itself).
                  auto* a = new QSocketNotifier(par[1][0], QSocketNotifier::Read, &loop);
                  auto* b = new QSocketNotifier(par[1][0], QSocketNotifier::Write, &loop);
                  for (auto [este, otro] : {std::pair(a, b), std::pair(b, a)})
                      QObject::connect(este, &QSocketNotifier::activated, [&, este = este, otro = QPointer<QSocketNotifier>(otro)] {
                          ++llamados;
                          delete otro.data();
                          este->setEnabled(false);
                      });
                  auto* desactivado = new QSocketNotifier(par[0][1], QSocketNotifier::Write, &loop);
                  desactivado->setEnabled(false);
                  QObject::connect(desactivado, &QSocketNotifier::activated, [&] { ++apagado; });
                  QTimer::singleShot(50, &loop, &QEventLoop::quit);
              }),
              0);
    EXPECT_EQ(sinLeer, 3);
    EXPECT_EQ(llamados, 1);
    EXPECT_EQ(apagado, 0);
    for (auto& p : par)
        for (int fd : p) ::close(fd);
}

TEST(DespachadorEpoll, AnEventPostedFromAnotherThreadWakesALoopWaitingOnALongTimer) {
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(EnHilo([](QEventLoop& loop) { QTimer::singleShot(kPlazoMs / 2, &loop, &QEventLoop::quit); },
                     [](QEventLoop* loop) {
                         QThread::msleep(20);   // let it block
                         QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
                     }),
              0);
    EXPECT_LT(t.elapsed(), kPlazoMs / 4);
}
