#include "Consola.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSocketNotifier>
#include <QTranslator>
#include <csignal>
#include <cstdio>
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

void Escribir(FILE* f, const QString& texto) {
    const QByteArray b = texto.toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f);
    std::fflush(f);
}
}   // namespace

void Salida(const QString& texto) { Escribir(stdout, texto); }
void Errores(const QString& texto) { Escribir(stderr, texto); }

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

void TraducirQt() {
    auto* t = new QTranslator(QCoreApplication::instance());
    if (t->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(t);
    else
        delete t;
}

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

bool Informar(bool ayuda, const char* textoAyuda, bool version, const QString& lineaVersion) {
    if (ayuda) Salida(QString::fromUtf8(textoAyuda));
    else if (version)
        Salida(lineaVersion + QLatin1Char('\n'));
    return ayuda || version;
}

}   // namespace Consola
