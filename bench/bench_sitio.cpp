// A whole site from a card sheet: 10,000 rows over 200 clocks, a script per
// clock made by orvo-gen --carpeta, then orvo-send --destinos (each line naming its
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
    QProcess sim;
    int base = 0;
    if (!ArrancarSim(sim, relojes, 20, &base)) {
        std::fprintf(stderr, "bench_sitio: orvo-sim could not listen on %d free ports\n", relojes);
        return 1;
    }
    // Uneven, as real sites are: every tenth row goes to one of the first
    // twenty clocks, the rest round the site. Ten columns, as exported.
    QByteArray hoja = "legajo;apellido;nombre;sector;reloj;tarjeta;perfil 1;perfil 2;destino;observaciones\r\n";
    std::vector<int> cuantas(static_cast<size_t>(relojes), 0);
    for (int r = 0, resto = 0; r < filas; ++r) {
        const int d = r % 10 == 0 ? (r / 10) % std::min(relojes, 20) : resto++ % relojes;
        hoja += QStringLiteral("%1;Pérez;Ana;Planta;1;%2;A;B;127.0.0.1:%3;\r\n").arg(r + 1).arg(r + 1).arg(base + d).toUtf8();
        ++cuantas[static_cast<size_t>(d)];
    }
    const auto mayor = static_cast<int>(std::max_element(cuantas.begin(), cuantas.end()) - cuantas.begin());
    QFile planilla(carpeta.filePath(QStringLiteral("personal.csv")));
    if (!planilla.open(QIODevice::WriteOnly) || planilla.write(hoja) != hoja.size()) return 1;
    planilla.close();

    // The sheet to a script per clock and the list that names them.
    const Medida gen = Correr(QStringLiteral("orvo-gen"),
                              {QStringLiteral("tarjetas"), planilla.fileName(), QStringLiteral("--carpeta"), carpeta.filePath(QStringLiteral("obra"))},
                              dir.path(), carpeta.filePath(QStringLiteral("gen.txt")));
    if (gen.estado != 0) {
        std::fprintf(stderr, "bench_sitio: orvo-gen --carpeta failed (status %d)\n", gen.estado);
        return 1;
    }
    const QString destinos = carpeta.filePath(QStringLiteral("obra/destinos.txt"));
    const QString guionMayor = carpeta.filePath(QStringLiteral("obra/127.0.0.1_%1.txt").arg(base + mayor));
    if (!QFile::exists(destinos) || !QFile::exists(guionMayor)) {
        std::fprintf(stderr, "bench_sitio: orvo-gen --carpeta did not write %s\n", qPrintable(guionMayor));
        return 1;
    }

    std::printf("%d rows over %d clocks (largest %d rows, smallest %d); orvo-gen --carpeta: %.0f ms (cpu %.0f ms), peak %ld KiB\n",
                filas, relojes, cuantas[static_cast<size_t>(mayor)], *std::min_element(cuantas.begin(), cuantas.end()), gen.ms,
                gen.cpuMs, gen.picoKiB);
    const QString salida = carpeta.filePath(QStringLiteral("salida.txt"));
    std::vector<double> uno, todos, ratios, picoUno, picoTodos;
    for (int r = 0; r < repeticiones; ++r) {
        const Medida a =
            Correr(QStringLiteral("orvo-send"),
                   {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(base + mayor), QStringLiteral("--delay"),
                    QStringLiteral("0"), QStringLiteral("--log"), carpeta.filePath(QStringLiteral("uno.log")),
                    guionMayor},
                   dir.path(), salida);
        const Medida b = Correr(QStringLiteral("orvo-send"),
                                {QStringLiteral("--destinos"), destinos, QStringLiteral("--paralelo"), QString::number(relojes),
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
