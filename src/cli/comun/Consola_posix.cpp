// Signals and descriptor limits where the system is POSIX.
#include "Consola.h"
#include "DespachadorEpoll.h"
#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Consola {

namespace {
int gTuberia[2] = {-1, -1};

void AlSenal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(gTuberia[1], &c, 1);
}
}   // namespace

void AlInterrumpir(QObject* padre, std::function<void()> accion) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gTuberia) != 0) return;
    auto* aviso = new QSocketNotifier(gTuberia[0], QSocketNotifier::Read, padre);
    QObject::connect(aviso, &QSocketNotifier::activated, padre, [accion = std::move(accion)] {
        char basura[16];
        [[maybe_unused]] const auto n = ::read(gTuberia[0], basura, sizeof basura);
        accion();
    });
    struct sigaction sa {};
    sa.sa_handler = AlSenal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);   // the terminal went away: stop as well
}

void BucleParaMuchos() {
    auto* d = new DespachadorEpoll;
    if (d->Valido()) {
        QCoreApplication::setEventDispatcher(d);
        return;
    }
    delete d;
    qputenv("QT_NO_GLIB", "1");
}

void SeguirSinLector() { std::signal(SIGPIPE, SIG_IGN); }

void AmpliarDescriptores() {
    rlimit l{};
    if (::getrlimit(RLIMIT_NOFILE, &l) != 0 || l.rlim_cur >= l.rlim_max) return;
    l.rlim_cur = l.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &l);
}

long LimiteDescriptores() {
    rlimit l{};
    if (::getrlimit(RLIMIT_NOFILE, &l) != 0 || l.rlim_cur == RLIM_INFINITY) return -1;
    return static_cast<long>(l.rlim_cur);
}

}   // namespace Consola
