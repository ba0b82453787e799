// A whole site at once: orvo-send to 200 simulated clocks on 127.0.0.1 that
// each answer 20 ms after a frame, a 50-frame script, --paralelo 200 --delay 0,
// against one clock's run of the same script. Peak memory of orvo-send too.
// With an open-files limit, orvo-send runs under it (as after `ulimit -n`)
// and every clock's log is checked whole afterwards.
//   build/bench_flota [clocks] [frames] [repetitions] [open-files limit]
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
const QString kDir = QStringLiteral(ORVO_BUILD_DIR);

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// orvo-sim serving `relojes` clocks from a free base port; false when a port was taken.
bool ArrancarSim(QProcess& sim, int relojes, int* base) {
    for (int intento = 0; intento < 20; ++intento) {
        // Below the system's ephemeral range, where client connections would take ports at random.
        *base = 20000 + static_cast<int>(QRandomGenerator::global()->bounded(12000));
        sim.start(kDir + QStringLiteral("/orvo-sim"), {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(*base),
                                                       QStringLiteral("--count"), QString::number(relojes),
                                                       QStringLiteral("--late"), QStringLiteral("20")});
        if (!sim.waitForStarted(5000)) return false;
        QByteArray dicho;
        QDeadlineTimer plazo(10000);
        while (!plazo.hasExpired() && sim.state() == QProcess::Running && !dicho.contains("escuchando")) {
            sim.waitForReadyRead(100);
            dicho += sim.readAllStandardError();
        }
        if (dicho.contains("escuchando")) return true;
        sim.kill();
        sim.waitForFinished();
    }
    return false;
}

struct Medida {
    double ms = 0;
    double cpuMs = 0;   // user + system time of orvo-send
    long picoKiB = 0;
    int estado = -1;
};

// Runs orvo-send with fork/exec so wait4 gives its own peak memory; under
// `limite` open files when it is not 0.
Medida Enviar(const QStringList& args, const QString& carpeta, rlim_t limite = 0) {
    std::vector<QByteArray> guardados;
    guardados.push_back((kDir + QStringLiteral("/orvo-send")).toLocal8Bit());
    for (const QString& a : args) guardados.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& g : guardados) argv.push_back(g.data());
    argv.push_back(nullptr);
    const QByteArray dir = carpeta.toLocal8Bit();
    QElapsedTimer t;
    std::fflush(stdout);   // or the child's copy of the buffer prints twice
    t.start();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(dir.constData()) != 0) ::_exit(127);
        // Exchanges and the summary are not what is measured here.
        if (!std::freopen("salida.txt", "w", stdout)) ::_exit(127);
        const rlimit l{limite, limite};
        if (limite > 0 && ::setrlimit(RLIMIT_NOFILE, &l) != 0) ::_exit(127);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Medida m;
    int estado = 0;
    rusage uso{};
    if (pid > 0 && ::wait4(pid, &estado, 0, &uso) == pid) {
        m.ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        m.picoKiB = uso.ru_maxrss;
        m.cpuMs = (uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1e3 + (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e3;
        m.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    }
    return m;
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
    if (!ArrancarSim(sim, relojes, &base)) {
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
