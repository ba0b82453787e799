// A whole site from a card sheet: 10,000 rows over 200 clocks, a script per
// clock made by orvo-gen, then orvo-send --destinos (each line naming its
// clock's script) --paralelo 200 --delay 0 against orvo-sim --count 200
// --late 20, set against orvo-send to the largest clock alone. Prints the
// times, their ratio (goal: the site under 3 x the largest clock) and peak
// memory.
//   build/bench_sitio [rows] [clocks] [repetitions]
#include "Procesos.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

using namespace Procesos;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int filas = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int relojes = argc > 2 ? std::atoi(argv[2]) : 200;
    const int repeticiones = argc > 3 ? std::atoi(argv[3]) : 3;
    if (filas < 1 || relojes < 1 || repeticiones < 1) {
        std::fprintf(stderr, "uso: bench_sitio [filas] [relojes] [repeticiones]\n");
        return 2;
    }

    QTemporaryDir dir;
    const QDir carpeta(dir.path());
    carpeta.mkdir(QStringLiteral("hojas"));
    carpeta.mkdir(QStringLiteral("guiones"));
    // Uneven, as real sites are: every tenth row goes to one of the first
    // twenty clocks, the rest round the site.
    std::vector<QByteArray> hojas(static_cast<size_t>(relojes), QByteArray("reloj;tarjeta;perfil 1;perfil 2\r\n"));
    std::vector<int> cuantas(static_cast<size_t>(relojes), 0);
    for (int r = 0, resto = 0; r < filas; ++r) {
        const auto d = static_cast<size_t>(r % 10 == 0 ? (r / 10) % std::min(relojes, 20) : resto++ % relojes);
        hojas[d] += QStringLiteral("1;%1;A;B\r\n").arg(r + 1).toLatin1();
        ++cuantas[d];
    }
    size_t mayor = 0;
    for (size_t d = 0; d < cuantas.size(); ++d)
        if (cuantas[d] > cuantas[mayor]) mayor = d;

    // The sheet split per clock here, one orvo-gen run per clock.
    QElapsedTimer t;
    t.start();
    long picoGen = 0;
    for (size_t d = 0; d < hojas.size(); ++d) {
        const QString hoja = carpeta.filePath(QStringLiteral("hojas/%1.csv").arg(d));
        QFile f(hoja);
        if (!f.open(QIODevice::WriteOnly) || f.write(hojas[d]) != hojas[d].size()) return 1;
        f.close();
        const Medida g = Correr(QStringLiteral("orvo-gen"),
                                {QStringLiteral("tarjetas"), hoja, QStringLiteral("-o"), carpeta.filePath(QStringLiteral("guiones/%1.txt").arg(d))},
                                dir.path(), carpeta.filePath(QStringLiteral("gen.txt")));
        if (g.estado != 0) {
            std::fprintf(stderr, "bench_sitio: orvo-gen failed on sheet %zu (status %d)\n", d, g.estado);
            return 1;
        }
        picoGen = std::max(picoGen, g.picoKiB);
    }
    const double msGen = static_cast<double>(t.nsecsElapsed()) / 1e6;

    QProcess sim;
    int base = 0;
    if (!ArrancarSim(sim, relojes, 20, &base)) {
        std::fprintf(stderr, "bench_sitio: orvo-sim could not listen on %d free ports\n", relojes);
        return 1;
    }
    QFile destinos(carpeta.filePath(QStringLiteral("destinos.txt")));
    if (!destinos.open(QIODevice::WriteOnly)) return 1;
    for (int d = 0; d < relojes; ++d) destinos.write(QStringLiteral("127.0.0.1:%1 guiones/%2.txt\n").arg(base + d).arg(d).toLatin1());
    destinos.close();

    std::printf("%d rows over %d clocks (largest %d rows, smallest %d); orvo-gen for all: %.0f ms, peak %ld KiB\n", filas, relojes,
                cuantas[mayor], *std::min_element(cuantas.begin(), cuantas.end()), msGen, picoGen);
    const QString salida = carpeta.filePath(QStringLiteral("salida.txt"));
    std::vector<double> uno, todos, ratios, picoUno, picoTodos;
    for (int r = 0; r < repeticiones; ++r) {
        const Medida a =
            Correr(QStringLiteral("orvo-send"),
                   {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(base + static_cast<int>(mayor)), QStringLiteral("--delay"),
                    QStringLiteral("0"), QStringLiteral("--log"), carpeta.filePath(QStringLiteral("uno.log")),
                    carpeta.filePath(QStringLiteral("guiones/%1.txt").arg(mayor))},
                   dir.path(), salida);
        const Medida b = Correr(QStringLiteral("orvo-send"),
                                {QStringLiteral("--destinos"), destinos.fileName(), QStringLiteral("--paralelo"), QString::number(relojes),
                                 QStringLiteral("--delay"), QStringLiteral("0"), QStringLiteral("--log-dir"),
                                 carpeta.filePath(QStringLiteral("registros")), QStringLiteral("--json")},
                                dir.path(), salida);
        if (a.estado != 0 || b.estado != 0) std::fprintf(stderr, "run %d: exit status %d (largest) and %d (site)\n", r, a.estado, b.estado);
        std::printf("run %d: largest clock %.0f ms, whole site %.0f ms (x%.2f; orvo-send cpu %.0f ms), peak %ld / %ld KiB\n", r,
                    a.ms, b.ms, b.ms / a.ms, b.cpuMs, a.picoKiB, b.picoKiB);
        std::fflush(stdout);
        uno.push_back(a.ms);
        todos.push_back(b.ms);
        ratios.push_back(b.ms / a.ms);
        picoUno.push_back(static_cast<double>(a.picoKiB));
        picoTodos.push_back(static_cast<double>(b.picoKiB));
    }
    sim.terminate();
    sim.waitForFinished(3000);
    std::printf("median: largest clock %.0f ms; whole site %.0f ms = %.2f x the largest clock (goal < 3)\n", Mediana(uno),
                Mediana(todos), Mediana(ratios));
    std::printf("median peak memory of orvo-send: largest clock %.0f KiB, whole site %.0f KiB\n", Mediana(picoUno),
                Mediana(picoTodos));
    return 0;
}
