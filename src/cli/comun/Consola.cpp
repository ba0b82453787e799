#include "Consola.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
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

bool Escribir(FILE* f, const QByteArray& b) {
    const bool entero = std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f) == static_cast<size_t>(b.size());
    return std::fflush(f) == 0 && entero;
}
}   // namespace

void Salida(const QString& texto) { Escribir(stdout, texto.toUtf8()); }
void Errores(const QString& texto) { Escribir(stderr, texto.toUtf8()); }
bool SalidaBytes(const QByteArray& bytes) { return Escribir(stdout, bytes); }
bool ErroresBytes(const QByteArray& bytes) { return Escribir(stderr, bytes); }

int ErrorDeUso(const QString& herramienta, const QString& problema) {
    Errores(QStringLiteral("%1: %2\nPruebe \"%1 --help\".\n").arg(herramienta, problema));
    return 2;
}

bool LeerEntrada(const QString& ruta, QByteArray* bytes, QString* motivo) {
    if (ruta != QLatin1String("-")) return Codificacion::LeerArchivo(ruta, bytes, motivo);
    constexpr qint64 kLimite = ArchivoSeguro::kLimiteComandos;
    QByteArray r;
    char trozo[1 << 16];
    for (;;) {
        const size_t n = std::fread(trozo, 1, sizeof trozo, stdin);
        r.append(trozo, static_cast<qsizetype>(n));
        if (r.size() > kLimite) {
            *motivo = QStringLiteral("la entrada estándar trae más que el límite de %1 MB").arg(kLimite >> 20);
            return false;
        }
        if (n < sizeof trozo) break;
    }
    if (std::ferror(stdin)) {
        *motivo = QStringLiteral("no se pudo leer la entrada estándar");
        return false;
    }
    *bytes = std::move(r);
    return true;
}

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
