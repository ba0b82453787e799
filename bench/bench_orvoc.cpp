// Timings of the compile pass as orvoc runs it, in process and as the orvoc
// executable, on generated scripts of 10,000 and 100,000 lines; and the peak
// memory of orvoc on files of one very long line.
// Run: build/bench_orvoc [repeticiones] [MB de la linea larga]
#include "CompilarArchivo.h"
#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QFile>
#include <algorithm>
#include <fcntl.h>
#include <cstdio>
#include <ctime>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <functional>
#include <random>
#include <vector>

namespace {

// A technician's script: card loads with AING, clock dates with FECH,
// initialisations, register reads and acknowledges, comments, blank lines
// and now and then a mistake.
QByteArray ScriptRealista(int lineas, unsigned semilla) {
    std::mt19937 rng(semilla);
    auto entre = [&rng](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    const char relojes[] = "123456789abcAB";
    auto reloj = [&] { return QChar(QLatin1Char(relojes[entre(0, 13)])); };
    QByteArray s;
    s.reserve(lineas * 24);
    int tarjeta = 1000;
    for (int i = 0; i < lineas; ++i) {
        const int r = entre(0, 99);
        QString l;
        if (r < 40)
            l = QStringLiteral("AING %1, %2, %3, %4").arg(reloj()).arg(tarjeta++).arg(entre(1, 9), 2, 10, QLatin1Char('0')).arg(entre(1, 9), 2, 10, QLatin1Char('0'));
        else if (r < 50)
            l = QStringLiteral("fech %1,%2/%3/%4,%5:%6").arg(reloj()).arg(entre(1, 28)).arg(entre(1, 12)).arg(entre(2000, 2030)).arg(entre(0, 23)).arg(entre(0, 59), 2, 10, QLatin1Char('0'));
        else if (r < 58)
            l = QStringLiteral("inia %1").arg(reloj());
        else if (r < 64)
            l = QStringLiteral("LREG %1").arg(reloj());
        else if (r < 70)
            l = QStringLiteral("ack");
        else if (r < 80)
            l = QStringLiteral("-- tarjetas del sector %1").arg(entre(1, 40));
        else if (r < 88)
            l = QString();
        else if (r < 92)
            l = QStringLiteral("CMD 02 52 31 41 03 23");
        else if (r < 95)
            l = QStringLiteral("INIA %1").arg(entre(10, 99));   // wrong clock
        else if (r < 97)
            l = QStringLiteral("FECH 1, 31/02/2026, 10:00");   // wrong date
        else
            l = QStringLiteral("AIGN 1, 2, 3, 4");   // unknown word
        s += l.toLatin1();
        s += "\r\n";
    }
    return s;
}

// 10,000 cards loaded into one clock.
QByteArray CargaDeTarjetas(int lineas) {
    QByteArray s;
    s.reserve(lineas * 26);
    s += "-- carga de tarjetas\r\ninia 1\r\n";
    for (int i = 0; i < lineas - 2; ++i) s += QStringLiteral("aing 1, %1, 01, 02\r\n").arg(100000 + i).toLatin1();
    return s;
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Wall time and CPU time: on a shared machine the CPU time is the steadier figure.
struct Tiempo {
    double pared = 0, cpu = 0;
};

double CpuProceso() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double CpuHijos() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

Tiempo Medianas(std::vector<double> pared, std::vector<double> cpu) { return {Mediana(pared), Mediana(cpu)}; }

Tiempo MedirEnProceso(const QByteArray& script, int repeticiones) {
    std::vector<double> pared, cpu;
    for (int k = 0; k < repeticiones; ++k) {
        QElapsedTimer t;
        const double c0 = CpuProceso();
        t.start();
        const auto r = CompilarComoAbrir(script);
        QByteArray salida = r.codigo.toUtf8();   // as orvoc writes it
        pared.push_back(t.nsecsElapsed() / 1e6);
        cpu.push_back(CpuProceso() - c0);
        if (salida.isEmpty()) std::printf("(sin salida)\n");
    }
    return Medianas(pared, cpu);
}

Tiempo MedirOrvoc(const QString& ruta, int repeticiones) {
    const QString orvoc = QStringLiteral(ORVO_BUILD_DIR "/orvoc");
    if (!QFile::exists(orvoc)) return {-1, -1};
    std::vector<double> pared, cpu;
    for (int k = 0; k < repeticiones; ++k) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer t;
        const double c0 = CpuHijos();
        t.start();
        p.start(orvoc, {ruta});
        p.waitForFinished(60000);
        pared.push_back(t.nsecsElapsed() / 1e6);
        cpu.push_back(CpuHijos() - c0);
    }
    return Medianas(pared, cpu);
}

// Peak resident memory of one orvoc run (KiB) and its wall time, taken
// from the kernel's account of that child alone.
struct Pico {
    long kib = -1;
    double segundos = 0;
};

Pico PicoOrvoc(const QString& ruta) {
    const QByteArray orvoc(ORVO_BUILD_DIR "/orvoc"), archivo = QFile::encodeName(ruta);
    char* args[] = {const_cast<char*>(orvoc.constData()), const_cast<char*>(archivo.constData()), nullptr};
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_addopen(&acciones, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&acciones, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    Pico p;
    if (posix_spawn(&pid, args[0], &acciones, nullptr, args, environ) == 0) {
        int estado = 0;
        rusage uso{};
        if (wait4(pid, &estado, 0, &uso) == pid) p.kib = uso.ru_maxrss;
    }
    posix_spawn_file_actions_destroy(&acciones);
    p.segundos = t.nsecsElapsed() / 1e9;
    return p;
}

// Writes one line of `bytes` bytes, the word and then what repeats after
// it, a megabyte at a time: this process stays small, since a spawned
// child's peak counts the parent's size until it runs its own program.
bool EscribirLineaLarga(const QString& ruta, qint64 bytes, const QByteArray& palabra, const QByteArray& unidad) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QByteArray trozo;
    while (trozo.size() < (1 << 20)) trozo += unidad;
    f.write(palabra);
    qint64 quedan = (bytes - palabra.size()) / unidad.size() * unidad.size();
    while (quedan > 0) {
        const qint64 n = std::min<qint64>(quedan, trozo.size());
        f.write(trozo.constData(), n);
        quedan -= n;
    }
    return true;
}

void MedirLineasLargas(const QTemporaryDir& dir, qint64 mb) {
    const QString chico = dir.filePath(QStringLiteral("chico.txt"));
    QFile c(chico);
    if (c.open(QIODevice::WriteOnly)) c.write("inia 1\r\n");
    c.close();
    const Pico base = PicoOrvoc(chico);
    if (base.kib < 0) return;
    const qint64 bytes = mb * 1000 * 1000;
    struct Caso {
        const char* nombre;
        QByteArray palabra, unidad;
    };
    const Caso casos[] = {
        {"miles de comas", "INIA 1", "1,"},
        {"CMD hexadecimal", "CMD ", "0"},
        {"palabra desconocida", "", "A"},
        {"comentario", "-- ", "x"},
    };
    std::printf("orvoc con una sola linea de %lld MB (pico de memoria; base %ld KiB):\n", static_cast<long long>(mb), base.kib);
    for (const auto& caso : casos) {
        const QString ruta = dir.filePath(QStringLiteral("larga.txt"));
        if (!EscribirLineaLarga(ruta, bytes, caso.palabra, caso.unidad)) return;
        const Pico p = PicoOrvoc(ruta);
        std::printf("  %-20s %8.1f MiB  = %.1f x el archivo sobre la base  (%.1f s)\n", caso.nombre, p.kib / 1024.0,
                    (p.kib - base.kib) * 1024.0 / bytes, p.segundos);
        QFile::remove(ruta);
    }
    std::printf("\n");
}

}   // namespace

int main(int argc, char** argv) {
    const int repeticiones = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    QTemporaryDir dir;
    // First, while this process is still small (see EscribirLineaLarga).
    MedirLineasLargas(dir, argc > 2 ? std::max(1, std::atoi(argv[2])) : 50);
    struct Caso {
        const char* nombre;
        QByteArray script;
    };
    const std::vector<Caso> casos = {
        {"realista 10000", ScriptRealista(10000, 1)},
        {"realista 100000", ScriptRealista(100000, 1)},
        {"tarjetas 10000", CargaDeTarjetas(10000)},
        {"tarjetas 100000", CargaDeTarjetas(100000)},
    };
    std::printf("%-18s %24s %24s   (medianas de %d)\n", "guion", "en proceso: pared / cpu", "orvoc: pared / cpu",
                repeticiones);
    std::vector<double> enProceso;
    for (const auto& c : casos) {
        const QString ruta = dir.filePath(QString::fromLatin1(c.nombre).replace(QLatin1Char(' '), QLatin1Char('_')) + ".txt");
        QFile f(ruta);
        if (f.open(QIODevice::WriteOnly)) f.write(c.script);
        f.close();
        const Tiempo a = MedirEnProceso(c.script, repeticiones);
        const Tiempo b = MedirOrvoc(ruta, repeticiones);
        enProceso.push_back(a.cpu);
        std::printf("%-18s %10.1f / %7.1f ms %10.1f / %7.1f ms\n", c.nombre, a.pared, a.cpu, b.pared, b.cpu);
    }
    std::printf("crecimiento de la cpu con 10x lineas: realista x%.1f, tarjetas x%.1f (lineal: ~x10)\n", enProceso[1] / enProceso[0],
                enProceso[3] / enProceso[2]);
    return 0;
}
