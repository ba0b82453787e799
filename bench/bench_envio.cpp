// One clock at full speed: orvo-send --delay 0 against orvo-sim on 127.0.0.1,
// next to a bare Python client that sends the same frames, waits for each
// answer and appends the same two log lines (unbuffered, one write a line).
// Both are timed from start to exit, medians of the repetitions; the ratio
// above 1 means orvo-send is the faster. Both logs are compared at the end.
//   build/bench_envio [frames] [repetitions] [orvo-send to time, for a before/after]
#include "Procesos.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace {
using Procesos::Mediana;
using Procesos::Medida;
const QString kDir = Procesos::kDir;

// What a technician would write in a hurry: no framing layer, no checks.
const char kCliente[] = R"(import socket, sys
host, port, tramas, ruta = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
pares = [l.split('|') for l in open(tramas, encoding='ascii').read().splitlines()]
s = socket.create_connection((host, port))
log = open(ruta, 'ab', buffering=0)
for codigo, largo in pares:
    s.sendall(bytes.fromhex(codigo))
    log.write(b'> ' + codigo.encode() + b'\r\n')
    falta, r = int(largo), b''
    while len(r) < falta:
        trozo = s.recv(4096)
        if not trozo:
            sys.exit(4)
        r += trozo
    log.write(b'< ' + ''.join('%02X ' % b for b in r).encode() + b'\r\n')
)";

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The log with each answer reduced to its length: the simulated clock
// answers with the time of day, which moves between the two runs.
QList<QByteArray> Forma(const QByteArray& log) {
    QList<QByteArray> lineas = log.split('\n');
    for (QByteArray& l : lineas)
        if (l.startsWith("< ")) l = "< " + QByteArray::number(l.size());
    return lineas;
}

// "code|answer length" per exchange, taken from orvo-send's own log.
QByteArray Tramas(const QByteArray& log) {
    QByteArray r;
    const QList<QByteArray> lineas = log.split('\n');
    for (qsizetype i = 0; i + 1 < lineas.size(); ++i) {
        const QByteArray l = lineas[i].trimmed();
        if (!l.startsWith("> ")) continue;
        const QByteArray respuesta = lineas[i + 1].trimmed();
        r += l.mid(2) + '|' + QByteArray::number(respuesta.mid(2).split(' ').size()) + '\n';
    }
    return r;
}
}   // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int tramas = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int repeticiones = argc > 2 ? std::atoi(argv[2]) : 3;
    const QString envio = argc > 3 ? QString::fromLocal8Bit(argv[3]) : kDir + QStringLiteral("/orvo-send");

    QTemporaryDir dir;
    QFile guion(dir.filePath(QStringLiteral("guion.txt")));
    guion.open(QIODevice::WriteOnly);
    for (int i = 0; i < tramas; ++i) guion.write("INIA 1\r\n");   // a 19-byte answer each
    guion.close();
    QFile cliente(dir.filePath(QStringLiteral("cliente.py")));
    cliente.open(QIODevice::WriteOnly);
    cliente.write(kCliente);
    cliente.close();

    QProcess sim;
    int puerto = 0;
    if (!Procesos::ArrancarSim(sim, 1, 0, &puerto)) {
        std::fprintf(stderr, "bench_envio: orvo-sim could not listen on a free port\n");
        return 1;
    }
    const QString destino = QStringLiteral("127.0.0.1:%1").arg(puerto);
    const QString logEnvio = dir.filePath(QStringLiteral("envio.log"));
    const QString logGuion = dir.filePath(QStringLiteral("python.log"));
    const QString archivoTramas = dir.filePath(QStringLiteral("tramas.txt"));
    const QString salida = dir.filePath(QStringLiteral("salida.txt"));

    std::vector<double> tasaEnvio, python, cpuEnvio, cpuPython, ratios;
    bool iguales = true;
    for (int r = 0; r < repeticiones; ++r) {
        QFile::remove(logEnvio);
        QFile::remove(logGuion);
        const Medida a = Procesos::Ejecutar({envio, QStringLiteral("--tcp"), destino,
                                             QStringLiteral("--delay"), QStringLiteral("0"), QStringLiteral("--timeout"),
                                             QStringLiteral("2000"), QStringLiteral("--log"), logEnvio, guion.fileName()},
                                            QDir::currentPath(), salida);
        const QByteArray registro = Leer(logEnvio);
        if (r == 0) {
            QFile t(archivoTramas);
            t.open(QIODevice::WriteOnly);
            t.write(Tramas(registro));
        }
        const Medida b = Procesos::Ejecutar({QStringLiteral("python3"), cliente.fileName(), QStringLiteral("127.0.0.1"),
                                             QString::number(puerto), archivoTramas, logGuion},
                                            QDir::currentPath(), dir.filePath(QStringLiteral("salida-python.txt")));
        if (a.estado != 0 || b.estado != 0) std::fprintf(stderr, "run %d: exit status %d (orvo-send), %d (python)\n", r, a.estado, b.estado);
        // orvo-send ends the file with two blank lines; otherwise the lines must agree.
        iguales = iguales && Forma(registro) == Forma(Leer(logGuion) + "\r\n\r\n");
        const double fa = tramas / (a.ms / 1e3), fb = tramas / (b.ms / 1e3);
        std::printf("run %d: orvo-send %.0f frames/s (cpu %.0f ms), bare python %.0f frames/s (cpu %.0f ms), ratio %.2f\n", r + 1,
                    fa, a.cpuMs, fb, b.cpuMs, fa / fb);
        tasaEnvio.push_back(fa);
        python.push_back(fb);
        cpuEnvio.push_back(a.cpuMs * 1e3 / tramas);
        cpuPython.push_back(b.cpuMs * 1e3 / tramas);
        ratios.push_back(fa / fb);
    }
    sim.terminate();
    sim.waitForFinished(3000);
    std::printf(
        "median of %d, %d frames: orvo-send %.0f frames/s, bare python %.0f frames/s, ratio %.2f "
        "(was 0.51; goal >= 1.0)\n",
        repeticiones, tramas, Mediana(tasaEnvio), Mediana(python), Mediana(ratios));
    std::printf("cpu per frame: orvo-send %.1f us, bare python %.1f us\n", Mediana(cpuEnvio), Mediana(cpuPython));
    std::printf("logs alike (answers compared by length): %s\n", iguales ? "yes" : "NO");
    return iguales ? 0 : 1;
}
