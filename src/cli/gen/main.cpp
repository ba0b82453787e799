// orvo-gen: command scripts made from data, ready for the editor or orvo-send.
#include "Codificacion.h"
#include "Consola.h"
#include "Generar.h"
#include "Module1.h"
#include <QCoreApplication>
#include <QSaveFile>
#include <cstdio>

namespace {
const char kAyuda[] =
    "Uso: orvo-gen tarjetas ARCHIVO.csv [-o ARCHIVO]\n"
    "     orvo-gen hora --relojes LISTA [-o ARCHIVO]\n"
    "Genera archivos de comandos (Windows-1252, CR LF, como los guarda el editor).\n"
    "\n"
    "  tarjetas ARCHIVO.csv  una línea AING por fila de una lista de tarjetas exportada de una\n"
    "                        hoja de cálculo: reloj, tarjeta, perfil 1, perfil 2; con o sin fila\n"
    "                        de títulos; separador ; , o tabulador (se detecta); campos entre\n"
    "                        comillas; UTF-8 o Windows-1252. Cada fila se compila: si alguna da\n"
    "                        error se listan todas las filas con error y no se escribe nada.\n"
    "  hora --relojes LISTA  INIA y FECH con la fecha y hora actuales para cada reloj de LISTA\n"
    "                        (por ejemplo 1-5,7; relojes 1 a 9, a a z, A a Z)\n"
    "\n"
    "  -o, --salida ARCHIVO  escribe en ARCHIVO en vez de la salida estándar\n"
    "  --help                muestra esta ayuda\n"
    "  --version             muestra la versión\n"
    "\n"
    "Estado de salida: 0 generado; 1 alguna fila da error; 2 argumentos incorrectos o\n"
    "archivo ilegible o imposible de escribir.\n";

int Uso(const QString& problema) {
    Consola::Errores(QStringLiteral("orvo-gen: %1\nPruebe \"orvo-gen --help\".\n").arg(problema));
    return 2;
}

struct Argumentos {
    QStringList posicionales;
    QString salida;
    QString relojes;
    bool ayuda = false;
    bool version = false;
};

bool Leer(const QStringList& args, Argumentos* a, QString* error) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        auto valor = [&](QString* destino) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("falta el valor de %1").arg(arg);
                return false;
            }
            *destino = args[++i];
            return true;
        };
        if (arg == QLatin1String("--help")) a->ayuda = true;
        else if (arg == QLatin1String("--version"))
            a->version = true;
        else if (arg == QLatin1String("-o") || arg == QLatin1String("--salida")) {
            if (!valor(&a->salida)) return false;
        } else if (arg == QLatin1String("--relojes")) {
            if (!valor(&a->relojes)) return false;
        } else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            *error = QStringLiteral("opción desconocida: %1").arg(arg);
            return false;
        } else {
            a->posicionales << arg;
        }
    }
    return true;
}

int Escribir(const Generado& g, const QString& salida) {
    if (!g.errores.isEmpty()) {
        Consola::Errores(g.errores.join(QLatin1Char('\n')) + QStringLiteral("\norvo-gen: hay filas con error; no se escribe nada.\n"));
        return 1;
    }
    QByteArray bytes;
    QString caracter;
    if (!f_BytesGuion(g.lineas, &bytes, &caracter)) {
        Consola::Errores(QStringLiteral("orvo-gen: el carácter «%1» no se puede escribir en Windows-1252\n").arg(caracter));
        return 1;
    }
    if (salida.isEmpty()) {
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 2;
    }
    QSaveFile f(salida);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        Consola::Errores(QStringLiteral("orvo-gen: no se pudo escribir \"%1\": %2\n").arg(salida, f.errorString()));
        return 2;
    }
    return 0;
}
}   // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Argumentos a;
    QString error;
    if (!Leer(app.arguments().mid(1), &a, &error)) return Uso(error);
    if (Consola::Informar(a.ayuda, kAyuda, a.version, QStringLiteral("orvo-gen %1").arg(Module1::Version()))) return 0;
    const QString orden = a.posicionales.value(0);
    if (orden == QLatin1String("tarjetas")) {
        if (a.posicionales.size() != 2) return Uso(QStringLiteral("tarjetas lleva un archivo .csv"));
        if (!a.relojes.isEmpty()) return Uso(QStringLiteral("--relojes es solo para hora"));
        QByteArray csv;
        if (!Codificacion::LeerArchivo(a.posicionales[1], &csv, &error)) {
            Consola::Errores(QStringLiteral("orvo-gen: no se puede leer \"%1\": %2\n").arg(a.posicionales[1], error));
            return 2;
        }
        return Escribir(f_GenerarTarjetas(csv), a.salida);
    }
    if (orden == QLatin1String("hora")) {
        if (a.posicionales.size() != 1) return Uso(QStringLiteral("sobra un argumento: %1").arg(a.posicionales.value(1)));
        if (a.relojes.isEmpty()) return Uso(QStringLiteral("hora necesita --relojes LISTA"));
        Generado g;
        if (!f_GenerarHora(a.relojes, QDateTime::currentDateTime(), &g, &error)) return Uso(error);
        return Escribir(g, a.salida);
    }
    return Uso(orden.isEmpty() ? QStringLiteral("falta la orden (tarjetas u hora)")
                               : QStringLiteral("orden desconocida: %1").arg(orden));
}
