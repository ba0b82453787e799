// Fleets at once: orvo-send to 1,000 and to 5,000 simulated clocks on
// 127.0.0.1 that each answer 20 ms after a frame, a 50-frame script,
// --paralelo as many as the clocks, --delay 0, against one clock's run of
// the same script. Medians of the repetitions: the ratio to one clock (1.0:
// all clocks in one clock's time), peak memory, orvo-send's CPU per frame,
// and the simulator's CPU, since it runs on the same cores; the machine's
// load beside each. Every clock's log is checked whole.
// Each repetition runs the fleet twice: with no logs in the folder (each
// run creates its 1,000 files, as the first run at a site does) and again
// with them there, emptied (as every later run appends). Creating a file
// costs a few microseconds on most file systems, but up to a third of a
// millisecond on an ext4 without a journal that has just freed many
// inodes, so the cost of creating the logs alone is printed beside them.
// With an open-files limit, orvo-send runs under it (as after `ulimit -n`).
// ORVO_BENCH_BIN=DIR times the tools in DIR instead (a before/after).
//   build/bench_flota [clocks[,clocks...]] [frames] [repetitions] [open-files limit]
#include "Procesos.h"
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <vector>

using namespace Procesos;

namespace {
// Goals and the figure each replaces, by fleet size.
struct Meta {
    double razon;
    const char* antes;
};
const std::map<int, Meta> kMetas = {
    {1000, {1.3, "1.96 at load 0.4 with QTcpSocket and two log writes a frame; orvo-send 40.3, orvo-sim 25.8 us of cpu a frame; 36.8 MB"}},
    {5000, {2.0, "11.19 at load 0.4; orvo-send 46.7, orvo-sim 32.2 us of cpu a frame; 122.5 MB"}}};
constexpr long kMemoriaMaxKiB = 100 * 1024;   // for 1,000 clocks

// One fleet run and what the simulator spent meanwhile.
struct DeFlota {
    Medida m;
    double cpuSim = 0;
    int enteros = 0;
    int completos = 0;
};

struct Vuelta {
    Medida uno;
    DeFlota nuevos, existentes;   // logs created by the run / already there
    double carga = 0;
};

// Its stdout (the JSON summary with --json) and stderr go to salida.txt and errores.txt in `carpeta`.
Medida Enviar(const QStringList& args, const QString& carpeta, rlim_t limite = 0) {
    return Correr(QStringLiteral("orvo-send"), args, carpeta, carpeta + QStringLiteral("/salida.txt"), limite,
                  carpeta + QStringLiteral("/errores.txt"));
}

// Clocks whose every answer came whole, from the JSON summary.
int Completos(const QString& carpeta) {
    QFile f(carpeta + QStringLiteral("/salida.txt"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    int n = 0;
    for (const QJsonValue& v : QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("destinos")).toArray())
        if (v.toObject().value(QStringLiteral("resultado")).toString() == QStringLiteral("ok")) ++n;
    return n;
}

// Whole logs; then each is removed, or emptied for the next run when `quitar` is false.
int LogsEnteros(const QTemporaryDir& dir, int base, int relojes, int tramas, bool quitar) {
    int enteros = 0;
    for (int i = 0; i < relojes; ++i) {
        QFile log(dir.filePath(QStringLiteral("Comm-127.0.0.1_%1.log").arg(base + i)));
        if (log.open(QIODevice::ReadOnly) && log.readAll().count("\r\n") == 2 * tramas + 2) ++enteros;
        log.close();
        if (quitar) log.remove();
        else
            log.resize(0);
    }
    return enteros;
}

// Creating `n` empty files in the log folder just after as many were
// removed, as a fleet run's start does: the file system's part alone. ms.
double CrearArchivos(const QTemporaryDir& dir, int n) {
    std::vector<QByteArray> nombres;
    for (int i = 0; i < n; ++i) nombres.push_back(QFile::encodeName(dir.filePath(QStringLiteral("creado-%1.log").arg(i))));
    double ms = 0;
    for (int ronda = 0; ronda < 2; ++ronda) {
        QElapsedTimer t;
        t.start();
        for (const QByteArray& nombre : nombres) ::close(::open(nombre.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
        ms = static_cast<double>(t.nsecsElapsed()) / 1e6;   // the second round: after a removal, as in the runs
        for (const QByteArray& nombre : nombres) ::unlink(nombre.constData());
    }
    return ms;
}

// The system calls one exchange costs the two tools at the least, made
// back to back in this process over a loopback connection: the frame sent
// and read, the answer sent and read, and its two log lines in one write.
// No event loop, no waiting: what no code of theirs can go below. us.
double SueloPorTrama(const QTemporaryDir& dir) {
    const int escucha = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in d{};
    d.sin_family = AF_INET;
    d.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t largo = sizeof d;
    if (::bind(escucha, reinterpret_cast<sockaddr*>(&d), sizeof d) != 0 || ::listen(escucha, 1) != 0 ||
        ::getsockname(escucha, reinterpret_cast<sockaddr*>(&d), &largo) != 0)
        return -1;
    const int cliente = ::socket(AF_INET, SOCK_STREAM, 0);
    if (::connect(cliente, reinterpret_cast<sockaddr*>(&d), sizeof d) != 0) return -1;
    const int servidor = ::accept(escucha, nullptr, nullptr);
    const int log = ::open(QFile::encodeName(dir.filePath(QStringLiteral("suelo.log"))).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    const char trama[] = "\x02R1B\x03\x20";
    const char respuesta[19] = {};
    const char lineas[] = "< 02 52 31 42 4D 30 32 30 31 30 30 30 30 30 30 30 30 03 6E \r\n> 02 52 31 42 03 20\r\n";
    char b[64];
    // The best of several rounds: the other work on the machine only adds.
    constexpr int kVeces = 4000;
    double us = 1e9;
    for (int ronda = 0; ronda < 5; ++ronda) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kVeces; ++i) {
            [[maybe_unused]] ssize_t n = ::send(cliente, trama, 6, 0);
            n = ::recv(servidor, b, sizeof b, 0);
            n = ::send(servidor, respuesta, sizeof respuesta, 0);
            n = ::recv(cliente, b, sizeof b, 0);
            n = ::write(log, lineas, sizeof lineas - 1);
        }
        us = std::min(us, static_cast<double>(t.nsecsElapsed()) / 1e3 / kVeces);
    }
    for (int fd : {log, servidor, cliente, escucha}) ::close(fd);
    QFile::remove(dir.filePath(QStringLiteral("suelo.log")));
    return us;
}

template <typename F> double MedianaDe(const std::vector<Vuelta>& v, F f) {
    std::vector<double> x;
    for (const Vuelta& u : v) x.push_back(f(u));
    return Mediana(x);
}

// One fleet size: its own simulated site, the repetitions, the medians.
// False when a log was not whole or the simulator could not start.
bool Flota(int relojes, int tramas, int repeticiones, rlim_t limite, const QTemporaryDir& dir, const QString& guion) {
    QProcess sim;
    int base = 0;
    if (!ArrancarSim(sim, relojes, 20, &base)) {
        std::fprintf(stderr, "bench_flota: orvo-sim could not listen on %d free ports\n", relojes);
        return false;
    }
    QFile destinos(dir.filePath(QStringLiteral("destinos.txt")));
    destinos.open(QIODevice::WriteOnly);
    for (int i = 0; i < relojes; ++i) destinos.write(QStringLiteral("127.0.0.1:%1\n").arg(base + i).toLatin1());
    destinos.close();

    std::vector<Vuelta> vueltas;
    for (int r = 0; r < repeticiones; ++r) {
        Vuelta v;
        v.carga = Carga();
        v.uno = Enviar({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(base), QStringLiteral("--delay"), QStringLiteral("0"),
                        QStringLiteral("--log"), dir.filePath(QStringLiteral("uno.log")), guion},
                       dir.path());
        const auto flota = [&](bool quitar) {
            DeFlota f;
            const double simAntes = CpuMs(sim.processId());
            f.m = Enviar({QStringLiteral("--destinos"), destinos.fileName(), QStringLiteral("--paralelo"), QString::number(relojes),
                          QStringLiteral("--delay"), QStringLiteral("0"), QStringLiteral("--log-dir"), dir.path(), QStringLiteral("--json"), guion},
                         dir.path(), limite);
            f.cpuSim = CpuMs(sim.processId()) - simAntes;
            f.completos = Completos(dir.path());
            f.enteros = LogsEnteros(dir, base, relojes, tramas, quitar);
            return f;
        };
        v.nuevos = flota(false);
        v.existentes = flota(true);
        QFile::remove(dir.filePath(QStringLiteral("uno.log")));
        if (v.uno.estado != 0 || v.nuevos.m.estado != 0 || v.existentes.m.estado != 0)
            std::fprintf(stderr, "run %d: exit status %d (one), %d (all, new logs), %d (all, logs there)\n", r + 1, v.uno.estado,
                         v.nuevos.m.estado, v.existentes.m.estado);
        for (const auto& [f, que] : {std::pair{&v.nuevos, "new logs"}, std::pair{&v.existentes, "logs there"}})
            std::printf(
                "%d clocks, run %d, %s (load %.2f): one clock %.0f ms, all %.0f ms (x%.2f); orvo-send cpu %.0f ms "
                "(%.1f us/frame), orvo-sim cpu %.0f ms; peak %ld / %ld KiB; %d of %d clocks ok, %d logs whole\n",
                relojes, r + 1, que, v.carga, v.uno.ms, f->m.ms, f->m.ms / v.uno.ms, f->m.cpuMs,
                f->m.cpuMs * 1e3 / (static_cast<double>(relojes) * tramas), f->cpuSim, v.uno.picoKiB, f->m.picoKiB, f->completos,
                relojes, f->enteros);
        std::fflush(stdout);
        vueltas.push_back(v);
    }
    sim.terminate();
    sim.waitForFinished(10000);

    const double frames = static_cast<double>(relojes) * tramas;
    const double uno = MedianaDe(vueltas, [](const Vuelta& v) { return v.uno.ms; });
    const auto meta = kMetas.find(relojes);
    for (const auto& [de, que] : {std::pair{&Vuelta::nuevos, "new logs"}, std::pair{&Vuelta::existentes, "logs there"}}) {
        const auto f = [de = de](const Vuelta& v) -> const DeFlota& { return v.*de; };
        const double razon = MedianaDe(vueltas, [&](const Vuelta& v) { return f(v).m.ms / v.uno.ms; });
        const double todos = MedianaDe(vueltas, [&](const Vuelta& v) { return f(v).m.ms; });
        const double cpuSim = MedianaDe(vueltas, [&](const Vuelta& v) { return f(v).cpuSim; });
        const double pico = MedianaDe(vueltas, [&](const Vuelta& v) { return static_cast<double>(f(v).m.picoKiB); });
        std::printf("== %d clocks, %s, median of %d (load %.2f): x%.2f one clock's time", relojes, que, repeticiones,
                    MedianaDe(vueltas, [](const Vuelta& v) { return v.carga; }), razon);
        if (meta != kMetas.end()) std::printf(" (goal <= %.1f; was %s)", meta->second.razon, meta->second.antes);
        std::printf("\n   one clock %.0f ms, all %.0f ms; peak memory %.0f KiB", uno, todos, pico);
        if (relojes == 1000) std::printf(" (goal < %ld KiB)", kMemoriaMaxKiB);
        std::printf(
            "\n   cpu per frame: orvo-send %.1f us, %.1f of them in the kernel (one clock, start-up included, %.1f us); orvo-sim %.1f us, "
            "%.0f ms = %.0f%% of the fleet's wall time\n",
            MedianaDe(vueltas, [&](const Vuelta& v) { return f(v).m.cpuMs; }) * 1e3 / frames,
            MedianaDe(vueltas, [&](const Vuelta& v) { return f(v).m.sistemaMs; }) * 1e3 / frames,
            MedianaDe(vueltas, [&](const Vuelta& v) { return v.uno.cpuMs * 1e3 / tramas; }), cpuSim * 1e3 / frames, cpuSim,
            100 * cpuSim / todos);
    }
    // Two cores hold all the fleet's frames at best in frames x floor / 2;
    // one clock's time is what the ratio is measured against.
    const double suelo = SueloPorTrama(dir);
    std::printf("   system calls alone: %.1f us an exchange for both tools, so on 2 cores the ratio cannot go below %.2f\n", suelo,
                std::max(1.0, frames * suelo / 2 / 1e3 / uno));
    // One after another (a folder's entries change one at a time), and no
    // clock can send before its log is there.
    const double creacion = CrearArchivos(dir, relojes);
    std::printf("   creating the %d logs alone: %.0f ms here, so with new logs the ratio cannot go below %.2f\n", relojes, creacion,
                1 + creacion / uno);
    const bool enteros = std::all_of(vueltas.begin(), vueltas.end(),
                                     [&](const Vuelta& v) { return v.nuevos.enteros == relojes && v.existentes.enteros == relojes; });
    std::printf("   logs whole in every run: %s; clocks with every answer whole: %.0f of %d (median)\n", enteros ? "yes" : "NO",
                MedianaDe(vueltas, [](const Vuelta& v) { return static_cast<double>(std::min(v.nuevos.completos, v.existentes.completos)); }),
                relojes);
    std::fflush(stdout);
    return enteros;
}
}   // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<int> flotas;
    for (const QByteArray& n : QByteArray(argc > 1 ? argv[1] : "1000,5000").split(','))
        if (n.toInt() > 0) flotas.push_back(n.toInt());
    const int tramas = argc > 2 ? std::atoi(argv[2]) : 50;
    const int repeticiones = argc > 3 ? std::atoi(argv[3]) : 3;
    const rlim_t limite = argc > 4 ? static_cast<rlim_t>(std::atol(argv[4])) : 0;
    if (flotas.empty() || tramas < 1 || repeticiones < 1) {
        std::fprintf(stderr, "usage: bench_flota [clocks[,clocks...]] [frames] [repetitions] [open-files limit]\n");
        return 2;
    }

    rlimit l{};
    if (::getrlimit(RLIMIT_NOFILE, &l) == 0)
        std::printf("open files: soft %lu, hard %lu (the tools raise soft to hard)\n", static_cast<unsigned long>(l.rlim_cur),
                    static_cast<unsigned long>(l.rlim_max));
    if (limite > 0) std::printf("orvo-send runs under %lu open files\n", static_cast<unsigned long>(limite));

    QTemporaryDir dir;
    QFile guion(dir.filePath(QStringLiteral("guion.txt")));
    guion.open(QIODevice::WriteOnly);
    for (int i = 0; i < tramas; ++i) guion.write(i % 2 ? "EHAB 1\r\n" : "INIB 1\r\n");
    guion.close();

    bool todoBien = true;
    for (int relojes : flotas) todoBien = Flota(relojes, tramas, repeticiones, limite, dir, guion.fileName()) && todoBien;
    return todoBien ? 0 : 1;
}
