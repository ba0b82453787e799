// A whole site at once: orvo-send to 200 simulated clocks on 127.0.0.1 that
// each answer 20 ms after a frame, a 50-frame script, --paralelo 200 --delay 0,
// against one clock's run of the same script. Peak memory of orvo-send too.
// With an open-files limit, orvo-send runs under it (as after `ulimit -n`)
// and every clock's log is checked whole afterwards.
//   build/bench_flota [clocks] [frames] [repetitions] [open-files limit]
#include "Procesos.h"
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace Procesos;

namespace {
Medida Enviar(const QStringList& args, const QString& carpeta, rlim_t limite = 0) {
    return Correr(QStringLiteral("orvo-send"), args, carpeta, carpeta + QStringLiteral("/salida.txt"), limite);
}
}   // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int relojes = argc > 1 ? std::atoi(argv[1]) : 200;
    const int tramas = argc > 2 ? std::atoi(argv[2]) : 50;
    const int repeticiones = argc > 3 ? std::atoi(argv[3]) : 5;
    const rlim_t limite = argc > 4 ? static_cast<rlim_t>(std::atol(argv[4])) : 0;

    rlimit l{};
    if (::getrlimit(RLIMIT_NOFILE, &l) == 0)
        std::printf("open files: soft %lu, hard %lu (the tools raise soft to hard)\n", static_cast<unsigned long>(l.rlim_cur),
                    static_cast<unsigned long>(l.rlim_max));

    QTemporaryDir dir;
    QFile guion(dir.filePath(QStringLiteral("guion.txt")));
    guion.open(QIODevice::WriteOnly);
    for (int i = 0; i < tramas; ++i) guion.write(i % 2 ? "EHAB 1\r\n" : "INIB 1\r\n");
    guion.close();

    QProcess sim;
    int base = 0;
    if (!ArrancarSim(sim, relojes, 20, &base)) {
        std::fprintf(stderr, "bench_flota: orvo-sim could not listen on %d free ports\n", relojes);
        return 1;
    }
    QFile destinos(dir.filePath(QStringLiteral("destinos.txt")));
    destinos.open(QIODevice::WriteOnly);
    for (int i = 0; i < relojes; ++i) destinos.write(QStringLiteral("127.0.0.1:%1\n").arg(base + i).toLatin1());
    destinos.close();

    std::vector<double> uno, todos, ratios, cpu, picoUno, picoTodos;
    std::vector<int> enterosPorVuelta;
    if (limite > 0) std::printf("orvo-send runs under %lu open files\n", static_cast<unsigned long>(limite));
    for (int r = 0; r < repeticiones; ++r) {
        const Medida a = Enviar({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(base), QStringLiteral("--delay"),
                                 QStringLiteral("0"), QStringLiteral("--log"), dir.filePath(QStringLiteral("uno.log")),
                                 guion.fileName()},
                                dir.path());
        const Medida b = Enviar({QStringLiteral("--destinos"), destinos.fileName(), QStringLiteral("--paralelo"),
                                 QString::number(relojes), QStringLiteral("--delay"), QStringLiteral("0"),
                                 QStringLiteral("--log-dir"), dir.path(), QStringLiteral("--json"), guion.fileName()},
                                dir.path(), limite);
        int enteros = 0;
        for (int i = 0; i < relojes; ++i) {
            QFile log(dir.filePath(QStringLiteral("Comm-127.0.0.1_%1.log").arg(base + i)));
            if (log.open(QIODevice::ReadOnly) && log.readAll().count("\r\n") == 2 * tramas + 2) ++enteros;
            log.remove();
        }
        enterosPorVuelta.push_back(enteros);
        if (a.estado != 0 || b.estado != 0) std::fprintf(stderr, "run %d: exit status %d (one) and %d (all)\n", r, a.estado, b.estado);
        std::printf(
            "run %d: one clock %.0f ms, %d clocks %.0f ms (x%.2f; orvo-send cpu %.0f ms), peak %ld / %ld KiB, "
            "%d of %d logs whole\n",
            r, a.ms, relojes, b.ms, b.ms / a.ms, b.cpuMs, a.picoKiB, b.picoKiB, enteros, relojes);
        std::fflush(stdout);
        uno.push_back(a.ms);
        todos.push_back(b.ms);
        ratios.push_back(b.ms / a.ms);
        cpu.push_back(b.cpuMs);
        picoUno.push_back(static_cast<double>(a.picoKiB));
        picoTodos.push_back(static_cast<double>(b.picoKiB));
    }
    sim.terminate();
    sim.waitForFinished(3000);
    std::printf(
        "median: one clock %.0f ms; %d clocks at once %.0f ms = %.2f x one clock (goal <= 3; one after "
        "another would be %d x)\n",
        Mediana(uno), relojes, Mediana(todos), Mediana(ratios), relojes);
    std::printf("median cpu time of orvo-send for %d clocks: %.0f ms\n", relojes, Mediana(cpu));
    std::printf("median peak memory of orvo-send: one clock %.0f KiB, %d clocks %.0f KiB\n", Mediana(picoUno), relojes,
                Mediana(picoTodos));
    if (limite > 0)
        std::printf("logs whole in every run: %s\n",
                    std::all_of(enterosPorVuelta.begin(), enterosPorVuelta.end(), [&](int n) { return n == relojes; }) ? "yes" : "NO");
    return 0;
}
