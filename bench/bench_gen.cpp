// orvo-gen tarjetas on large card sheets, run as the executable: time
// (median of the runs) and peak memory. Sheets: 100,000 and 1,000,000 rows
// of a 10-column export, 1,000,000 bad rows, and one 60 MB row of commas
// (a sheet is at most 64 MB, as any file the tools read).
// Run: build/bench_gen [repeticiones]
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Wall time and the child's own CPU time: on a shared machine the first
// counts the wait for a core, the second only the work.
struct Corrida {
    double segundos = 0;
    double cpu = 0;
    long kib = -1;
    int estado = -1;
};

// The child's output goes to files in the bench's own folder.
Corrida Correr(const QTemporaryDir& dir, const QString& planilla) {
    const QByteArray gen(ORVO_BUILD_DIR "/orvo-gen"), hoja = QFile::encodeName(planilla),
                                                      salida = QFile::encodeName(dir.filePath(QStringLiteral("salida.txt"))), errores = QFile::encodeName(dir.filePath(QStringLiteral("errores.txt")));
    const char* args[] = {gen.constData(), "tarjetas", hoja.constData(), "-o", salida.constData(), nullptr};
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_addopen(&acciones, 2, errores.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QElapsedTimer t;
    t.start();
    Corrida c;
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], &acciones, nullptr, const_cast<char* const*>(args), environ) == 0) {
        int estado = 0;
        rusage uso{};
        if (wait4(pid, &estado, 0, &uso) == pid) {
            c.kib = uso.ru_maxrss;
            c.cpu = uso.ru_utime.tv_sec + uso.ru_stime.tv_sec + (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
            c.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
        }
    }
    posix_spawn_file_actions_destroy(&acciones);
    c.segundos = t.nsecsElapsed() / 1e9;
    return c;
}

// A sheet as technicians export it: a title row, ten columns, accented names.
bool Escribir(const QString& ruta, qint64 filas, bool malas) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write("Planilla de tarjetas;;;;;;;;;\nLegajo;Apellido;Nombre;Sector;Fecha de alta;Reloj;Tarjeta;Perfil 1;Perfil 2;Observaciones\n");
    const char relojes[] = "123456789abcdefghijklmnopqrstuvwxyz";
    QByteArray trozo;
    for (qint64 i = 0; i < filas; ++i) {
        const char reloj = relojes[i % 35];
        trozo += QByteArray::number(1000 + i) + ";Mu\xC3\xB1oz;Jos\xC3\xA9;Dep\xC3\xB3sito;03/02/2021;" + reloj + ';' +
                 QByteArray::number(i / 35 + 1) + (malas ? ";AB;C;\n" : ";A;B;\n");
        if (trozo.size() > (1 << 20)) f.write(std::exchange(trozo, QByteArray()));
    }
    f.write(trozo);
    return true;
}

bool Comas(const QString& ruta, qint64 bytes) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray mega(1 << 20, ',');
    for (qint64 n = 0; n < bytes; n += mega.size()) f.write(mega.left(std::min<qint64>(mega.size(), bytes - n)));
    return true;
}

void Informar(const char* caso, std::vector<Corrida> corridas) {
    std::sort(corridas.begin(), corridas.end(), [](const Corrida& a, const Corrida& b) { return a.segundos < b.segundos; });
    long pico = 0;
    for (const Corrida& c : corridas) pico = std::max(pico, c.kib);
    const Corrida& mediana = corridas[corridas.size() / 2];
    std::printf("%-30s mediana %7.3f s (cpu %6.3f s)  pico %7.1f MiB  estado %d  (%zu corridas)\n", caso, mediana.segundos, mediana.cpu, pico / 1024.0,
                corridas.front().estado, corridas.size());
}

}   // namespace

int main(int argc, char** argv) {
    const int repeticiones = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const struct {
        const char* caso;
        qint64 filas;
        bool malas;
        int veces;
    } casos[] = {
        {"100.000 filas", 100000, false, repeticiones},
        {"1.000.000 filas", 1000000, false, 1},
        {"1.000.000 filas con error", 1000000, true, 1},
    };
    for (const auto& c : casos) {
        const QString ruta = dir.filePath(QStringLiteral("planilla.csv"));
        if (!Escribir(ruta, c.filas, c.malas)) return 1;
        std::vector<Corrida> corridas;
        for (int i = 0; i < c.veces; ++i) corridas.push_back(Correr(dir, ruta));
        Informar(c.caso, corridas);
    }
    const QString comas = dir.filePath(QStringLiteral("comas.csv"));
    if (!Comas(comas, qint64(60) << 20)) return 1;
    Informar("una fila de 60 MB de comas", {Correr(dir, comas)});
    return 0;
}
