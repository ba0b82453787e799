// orvo-gen: command scripts made from data, ready for the editor or orvo-send.
#include "Codificacion.h"
#include "Consola.h"
#include "Escritura.h"
#include "Generar.h"
#include "LineaOrdenes.h"
#include "Visible.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const char kAyuda[] =
    "Uso: orvo-gen tarjetas PLANILLA.csv [-o ARCHIVO | --carpeta CARPETA]\n"
    "     orvo-gen hora --relojes LISTA [-o ARCHIVO]\n"
    "Genera archivos de comandos (Windows-1252, CR LF, como los guarda el editor).\n"
    "\n"
    "  tarjetas PLANILLA.csv  una línea AING por fila de una planilla de tarjetas exportada\n"
    "                         como CSV (separador ; , o tabulador; UTF-8 o Windows-1252).\n"
    "                         Columnas por su título (mayúsculas, acentos, espacios, _ - y .\n"
    "                         no importan): reloj, tarjeta, perfil 1, perfil 2 y, si hay\n"
    "                         varios destinos, destino; las demás columnas no se usan. Sin\n"
    "                         fila de títulos, las cuatro primeras columnas en ese orden.\n"
    "                         Cada fila se compila: si alguna da error se listan las filas\n"
    "                         con error (hasta 20) y no se escribe nada. \"-\" lee la\n"
    "                         entrada estándar.\n"
    "  hora --relojes LISTA   INIA y FECH con la fecha y hora actuales para cada reloj de LISTA\n"
    "                         (por ejemplo 1-5,7; relojes 1 a 9, a a z, A a Z)\n"
    "\n"
    "  -o, --salida ARCHIVO   escribe en ARCHIVO en vez de la salida estándar\n"
    "  --carpeta CARPETA      con una columna destino: CARPETA/<destino>.txt por destino y\n"
    "                         CARPETA/destinos.txt para orvo-send --destinos\n"
    "  -h, --help             muestra esta ayuda\n"
    "  --version              muestra la versión\n"
    "\n"
    "Estado de salida: 0 generado; 1 alguna fila da error o no hay filas; 2 argumentos\n"
    "incorrectos o archivo ilegible o imposible de escribir.\n";

const Consola::Herramienta kHerramienta{"orvo-gen", kAyuda};

// A typed "-o tarjetas.csv" for "-o tarjetas.txt" would replace the sheet
// with its own script.
bool f_MismoArchivo(const QString& planilla, const QString& salida) {
    if (planilla == QLatin1String("-") || salida.isEmpty()) return false;
    const QString a = QFileInfo(planilla).canonicalFilePath();
    return !a.isEmpty() && a == QFileInfo(salida).canonicalFilePath();
}

int Uso(const QString& problema) { return Consola::ErrorDeUso(QLatin1String(kHerramienta.nombre), problema); }

int FilasConError(const QStringList& errores) {
    // A cell's control characters would reach the terminal raw.
    QString texto;
    for (const QString& e : errores) texto += f_Visible(e) + QLatin1Char('\n');
    Consola::Errores(texto + QStringLiteral("orvo-gen: hay filas con error; no se escribe nada.\n"));
    return 1;
}

int Escribir(const QByteArray& bytes, const QString& salida) {
    QString motivo;
    if (Escritura::Salida(salida, bytes, &motivo)) return 0;
    Consola::Errores(salida.isEmpty() ? QStringLiteral("orvo-gen: %1\n").arg(motivo)
                                      : QStringLiteral("orvo-gen: no se pudo escribir \"%1\": %2\n").arg(f_Visible(salida), motivo));
    return 2;
}

int EscribirHora(const Generado& g, const QString& salida) {
    if (!g.errores.isEmpty()) return FilasConError(g.errores);
    QByteArray bytes;
    QString caracter;
    if (!f_BytesGuion(g.lineas, &bytes, &caracter)) {
        Consola::Errores(QStringLiteral("orvo-gen: el carácter «%1» no se puede escribir en Windows-1252\n").arg(caracter));
        return 1;
    }
    return Escribir(bytes, salida);
}

int GenerarTarjetas(const QString& planilla, const QString& salida, const QString& carpeta) {
    QByteArray csv;
    QString motivo;
    const QString nombre = planilla == QLatin1String("-") ? QStringLiteral("la entrada estándar") : QStringLiteral("\"%1\"").arg(f_Visible(planilla));
    if (!Consola::LeerEntrada(planilla, &csv, &motivo)) {
        Consola::Errores(QStringLiteral("orvo-gen: no se puede leer %1: %2\n").arg(nombre, motivo));
        return 2;
    }
    const Tarjetas t = f_GenerarTarjetas(csv);
    csv.clear();
    if (!t.problema.isEmpty()) {
        Consola::Errores(QStringLiteral("orvo-gen: ") + t.problema.arg(nombre) + QLatin1Char('\n'));
        return 2;
    }
    if (!t.errores.isEmpty()) return FilasConError(t.errores);
    if (t.sinFilas) {
        Consola::Errores(QStringLiteral("orvo-gen: %1: no hay filas con tarjetas; no se escribe nada.\n").arg(nombre));
        return 1;
    }
    if (t.conDestino && carpeta.isEmpty())
        return Uso(QStringLiteral("la planilla tiene una columna destino: use --carpeta CARPETA para escribir un archivo por destino"));
    if (!t.conDestino && !carpeta.isEmpty()) return Uso(QStringLiteral("--carpeta necesita una columna destino en la planilla"));
    if (t.conDestino) {
        // Checked before anything is written: a sheet kept in that folder
        // under one of its names would be replaced by a script.
        for (const QString& archivo : Escritura::f_ArchivosCarpeta(t.guiones))
            if (const QString ruta = QDir(carpeta).filePath(archivo); f_MismoArchivo(planilla, ruta))
                return Uso(QStringLiteral("--carpeta escribiría \"%1\", que es la misma planilla: elija otra carpeta").arg(f_Visible(ruta)));
        if (Escritura::Carpeta(carpeta, t.guiones, &motivo)) return 0;
        Consola::Errores(QStringLiteral("orvo-gen: %1\n").arg(f_Visible(motivo)));
        return 2;
    }
    return Escribir(t.guiones.value(0).bytes, salida);
}
}   // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString salida, relojes, carpeta, error;
    const Consola::Opcion opciones[] = {
        {"salida", 'o', true, Consola::Texto(&salida)},
        {"carpeta", 0, true, Consola::Texto(&carpeta)},
        {"relojes", 0, true, Consola::Texto(&relojes)},
    };
    QStringList posicionales;
    if (const auto fin = Consola::LeerLinea(kHerramienta, app.arguments().mid(1), opciones, &posicionales)) return *fin;
    const QString orden = posicionales.value(0);
    if (orden == QLatin1String("tarjetas")) {
        if (posicionales.size() != 2) return Uso(QStringLiteral("tarjetas lleva una planilla .csv"));
        if (!relojes.isEmpty()) return Uso(QStringLiteral("--relojes es solo para hora"));
        if (!salida.isEmpty() && !carpeta.isEmpty()) return Uso(QStringLiteral("use -o o --carpeta, no los dos"));
        if (f_MismoArchivo(posicionales[1], salida))
            return Uso(QStringLiteral("-o nombra la misma planilla \"%1\": elija otro archivo de salida").arg(f_Visible(salida)));
        return GenerarTarjetas(posicionales[1], salida, carpeta);
    }
    if (orden == QLatin1String("hora")) {
        if (!carpeta.isEmpty()) return Uso(QStringLiteral("--carpeta es solo para tarjetas"));
        if (posicionales.size() != 1) return Uso(QStringLiteral("sobra un argumento: %1").arg(posicionales.value(1)));
        if (relojes.isEmpty()) return Uso(QStringLiteral("hora necesita --relojes LISTA"));
        Generado g;
        if (!f_GenerarHora(relojes, QDateTime::currentDateTime(), &g, &error)) return Uso(error);
        return EscribirHora(g, salida);
    }
    return Uso(orden.isEmpty() ? QStringLiteral("falta la orden (tarjetas u hora)")
                               : QStringLiteral("orden desconocida: %1").arg(orden));
}
