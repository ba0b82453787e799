// orvoc: compiles a command file as the main window's Open does and prints
// the code pane (stdout) and the debug list (stderr).
#include "CompilarArchivo.h"
#include "Consola.h"
#include "LineaOrdenes.h"
#include <algorithm>
#include <utility>

namespace {
const char kUso[] =
    "Uso: orvoc [--normalized] ARCHIVO\n"
    "Compila un archivo de comandos como lo abre la ventana principal; \"-\" lee la\n"
    "entrada estándar (hasta 64 MB, como un archivo).\n"
    "  (sin opciones)  escribe las líneas de código en la salida estándar y las\n"
    "                  entradas de depuración (\"Linea N - ...\") en la salida de errores\n"
    "  --normalized    escribe en cambio el texto de comandos tras la compilación\n"
    "  -h, --help      muestra esta ayuda y termina\n"
    "  --version       muestra la versión y termina\n"
    "Estado de salida: 0 sin errores, 1 con errores de compilación, 2 si el archivo\n"
    "no se puede leer, la salida no se puede escribir o los argumentos son\n"
    "incorrectos.\n"
    "Más información: man orvoc\n";

const Consola::Herramienta kHerramienta{"orvoc", kUso};

// The text with LF line ends, in UTF-8, a slice at a time: a long output is
// not built again in memory. False once a slice could not be written.
bool EscribirConLF(const QString& texto) {
    constexpr qsizetype kTrozo = 1 << 20;
    QString trozo;
    for (qsizetype inicio = 0; inicio < texto.size();) {
        qsizetype fin = std::min(texto.size(), inicio + kTrozo);
        // A slice never ends between CR and LF or inside a surrogate pair.
        if (fin < texto.size() && (texto.at(fin - 1) == u'\r' || texto.at(fin - 1).isHighSurrogate())) ++fin;
        trozo = QStringView(texto).mid(inicio, fin - inicio).toString();
        trozo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!Consola::SalidaBytes(trozo.toUtf8())) return false;
        inicio = fin;
    }
    return true;
}

// The debug list in slices: one write per line would be slow on a long list.
void EscribirDepuracion(const QStringList& debug) {
    QByteArray trozo;
    for (const QString& e : debug) {
        trozo += e.toUtf8() + '\n';
        if (trozo.size() >= (1 << 16)) Consola::ErroresBytes(std::exchange(trozo, QByteArray()));
    }
    if (!trozo.isEmpty()) Consola::ErroresBytes(trozo);
}
}   // namespace

int main(int argc, char** argv) {
    bool normalizado = false;
    const Consola::Opcion opciones[] = {{"normalized", 0, false, Consola::Marca(&normalizado)}};
    QStringList args, archivos;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    if (const auto fin = Consola::LeerLinea(kHerramienta, args, opciones, &archivos)) return *fin;
    const QString nombre = QLatin1String(kHerramienta.nombre);
    if (archivos.size() > 1) return Consola::ErrorDeUso(nombre, QStringLiteral("sobra un argumento: %1").arg(archivos[1]));
    if (archivos.isEmpty()) return Consola::ErrorDeUso(nombre, QStringLiteral("falta el archivo a compilar"));
    const QString archivo = archivos[0];

    QByteArray bytes;
    QString motivo;
    if (!Consola::LeerEntrada(archivo, &bytes, &motivo)) {
        const QString cual = archivo == QLatin1String("-") ? QStringLiteral("la entrada estándar") : QStringLiteral("\"%1\"").arg(archivo);
        Consola::Errores(QStringLiteral("orvoc: no se puede leer %1: %2\n").arg(cual, motivo));
        return 2;
    }

    ResultadoCompilacion r = CompilarComoAbrir(std::move(bytes));
    // Each text is let go once written: a file of one huge line is held as few times as can be.
    QString salida = std::exchange(normalizado ? r.comandos : r.codigo, QString());
    r.comandos.clear();
    r.codigo.clear();
    // A closed or full output must not pass for a compiled script.
    if (!EscribirConLF(salida)) {
        Consola::Errores(QStringLiteral("orvoc: no se pudo escribir en la salida estándar\n"));
        return 2;
    }
    salida.clear();
    EscribirDepuracion(r.debug);
    return r.debug.isEmpty() ? 0 : 1;
}
