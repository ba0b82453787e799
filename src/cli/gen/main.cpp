// orvo-gen: command scripts made from data, ready for the editor or orvo-send.
#include "Codificacion.h"
#include "Consola.h"
#include "Generar.h"
#include "LineaOrdenes.h"
#include <QCoreApplication>
#include <QSaveFile>

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
    "  -h, --help            muestra esta ayuda\n"
    "  --version             muestra la versión\n"
    "\n"
    "Estado de salida: 0 generado; 1 alguna fila da error; 2 argumentos incorrectos o\n"
    "archivo ilegible o imposible de escribir.\n";

const Consola::Herramienta kHerramienta{"orvo-gen", kAyuda};

int Uso(const QString& problema) { return Consola::ErrorDeUso(QLatin1String(kHerramienta.nombre), problema); }

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
        return Consola::SalidaBytes(bytes) ? 0 : 2;
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
    QString salida, relojes, error;
    const Consola::Opcion opciones[] = {
        {"salida", 'o', true, Consola::Texto(&salida)},
        {"relojes", 0, true, Consola::Texto(&relojes)},
    };
    QStringList posicionales;
    if (const auto fin = Consola::LeerLinea(kHerramienta, app.arguments().mid(1), opciones, &posicionales)) return *fin;
    const QString orden = posicionales.value(0);
    if (orden == QLatin1String("tarjetas")) {
        if (posicionales.size() != 2) return Uso(QStringLiteral("tarjetas lleva un archivo .csv"));
        if (!relojes.isEmpty()) return Uso(QStringLiteral("--relojes es solo para hora"));
        QByteArray csv;
        if (!Codificacion::LeerArchivo(posicionales[1], &csv, &error)) {
            Consola::Errores(QStringLiteral("orvo-gen: no se puede leer \"%1\": %2\n").arg(posicionales[1], error));
            return 2;
        }
        return Escribir(f_GenerarTarjetas(csv), salida);
    }
    if (orden == QLatin1String("hora")) {
        if (posicionales.size() != 1) return Uso(QStringLiteral("sobra un argumento: %1").arg(posicionales.value(1)));
        if (relojes.isEmpty()) return Uso(QStringLiteral("hora necesita --relojes LISTA"));
        Generado g;
        if (!f_GenerarHora(relojes, QDateTime::currentDateTime(), &g, &error)) return Uso(error);
        return Escribir(g, salida);
    }
    return Uso(orden.isEmpty() ? QStringLiteral("falta la orden (tarjetas u hora)")
                               : QStringLiteral("orden desconocida: %1").arg(orden));
}
