#pragma once
// What the site benchmarks share: the built tools run as child processes,
// simulated clocks on 127.0.0.1, medians.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace Procesos {

inline const QString kDir = QStringLiteral(ORVO_BUILD_DIR);

// Where the tools timed are: the build folder, or ORVO_BENCH_BIN (a folder
// with an earlier build's orvo-send and orvo-sim, for a before/after).
inline QString Herramientas() {
    const QString otra = qEnvironmentVariable("ORVO_BENCH_BIN");
    return otra.isEmpty() ? kDir : otra;
}

inline double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// orvo-sim serving `relojes` clocks from a free base port, answering each
// frame `demoraMs` late; false when no base port was free.
inline bool ArrancarSim(QProcess& sim, int relojes, int demoraMs, int* base) {
    for (int intento = 0; intento < 20; ++intento) {
        // Below the system's ephemeral range, where client connections would take ports at random.
        *base = 20000 + static_cast<int>(QRandomGenerator::global()->bounded(std::max(1, 12768 - relojes)));
        sim.start(Herramientas() + QStringLiteral("/orvo-sim"), {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(*base),
                                                                 QStringLiteral("--count"), QString::number(relojes),
                                                                 QStringLiteral("--late"), QString::number(demoraMs)});
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
    double cpuMs = 0;       // user + system time of the child
    double sistemaMs = 0;   // of which in the kernel (system calls)
    long picoKiB = 0;
    int estado = -1;
};

// Runs a program (looked up in PATH when the name has no slash) with
// fork/exec in `carpeta`, so wait4 gives its own time and peak memory; its
// stdout goes to the file `salida` (what it prints is not what is
// measured), its stderr too to `errores` when named. Under `limite` open
// files when it is not 0 (as after ulimit -n).
inline Medida Ejecutar(const QStringList& programaYArgs, const QString& carpeta, const QString& salida, rlim_t limite = 0,
                       const QString& errores = {}) {
    std::vector<QByteArray> guardados;
    for (const QString& a : programaYArgs) guardados.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& g : guardados) argv.push_back(g.data());
    argv.push_back(nullptr);
    const QByteArray dir = carpeta.toLocal8Bit();
    const QByteArray archivo = salida.toLocal8Bit();
    const QByteArray archivoErrores = errores.toLocal8Bit();
    QElapsedTimer t;
    std::fflush(stdout);   // or the child's copy of the buffer prints twice
    t.start();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(dir.constData()) != 0) ::_exit(127);
        if (!std::freopen(archivo.constData(), "w", stdout)) ::_exit(127);
        if (!archivoErrores.isEmpty() && !std::freopen(archivoErrores.constData(), "w", stderr)) ::_exit(127);
        const rlimit l{limite, limite};
        if (limite > 0 && ::setrlimit(RLIMIT_NOFILE, &l) != 0) ::_exit(127);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    Medida m;
    int estado = 0;
    rusage uso{};
    if (pid > 0 && ::wait4(pid, &estado, 0, &uso) == pid) {
        m.ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        m.picoKiB = uso.ru_maxrss;
        m.cpuMs = (uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1e3 + (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e3;
        m.sistemaMs = uso.ru_stime.tv_sec * 1e3 + uso.ru_stime.tv_usec / 1e3;
        m.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    }
    return m;
}

// A built tool, by its name in the build folder.
inline Medida Correr(const QString& programa, const QStringList& args, const QString& carpeta, const QString& salida,
                     rlim_t limite = 0, const QString& errores = {}) {
    return Ejecutar(QStringList{Herramientas() + QLatin1Char('/') + programa} + args, carpeta, salida, limite, errores);
}

// User + system time a running process has used so far, ms (Linux: /proc);
// -1 when it cannot be read. For a child that outlives the measurement,
// such as the simulated clocks.
inline double CpuMs(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray linea = f.readAll();
    // Fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> campos = linea.mid(linea.lastIndexOf(')') + 2).split(' ');
    if (campos.size() < 13) return -1;
    const double tics = campos[11].toDouble() + campos[12].toDouble();   // utime, stime
    return tics * 1e3 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// The machine's load over the last minute, as uptime shows it; the site
// benchmarks share two cores with whatever else runs.
inline double Carga() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().split(' ').value(0).toDouble() : -1;
}

}   // namespace Procesos
