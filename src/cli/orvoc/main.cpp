// orvoc: compiles a command file as the main window's Open does and prints
// the code pane (stdout) and the debug list (stderr).
#include "CompilarArchivo.h"
#include "Codificacion.h"
#include "Module1.h"
#include <algorithm>
#include <cstdio>
#include <utility>

namespace {
const char kUso[] =
    "Uso: orvoc [--normalized] ARCHIVO\n"
    "Compila un archivo de comandos como lo abre la ventana principal.\n"
    "  (sin opciones)  escribe las líneas de código en la salida estándar y las\n"
    "                  entradas de depuración (\"Linea N - ...\") en la salida de errores\n"
    "  --normalized    escribe en cambio el texto de comandos tras la compilación\n"
    "  --help          muestra esta ayuda y termina\n"
    "  --version       muestra la versión y termina\n"
    "Estado de salida: 0 sin errores, 1 con errores de compilación, 2 si el archivo\n"
    "no se puede leer o los argumentos son incorrectos.\n"
    "Más información: man orvoc\n";

const char kLicencia[] =
    "Licencia GPL-3.0 o posterior: es software libre, puede modificarlo y redistribuirlo.\n"
    "No hay NINGUNA GARANTÍA, en la medida que lo permita la ley.\n";

void Escribir(FILE* f, const QByteArray& b) {
    if (!b.isEmpty()) std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f);
}

int Uso(const QString& problema) {
    Escribir(stderr, (QStringLiteral("orvoc: ") + problema + QLatin1Char('\n')).toUtf8());
    Escribir(stderr, QByteArray(kUso));
    return 2;
}

// The text with LF line ends, in UTF-8, a slice at a time: a long output is
// not built again in memory.
void EscribirConLF(FILE* f, const QString& texto) {
    constexpr qsizetype kTrozo = 1 << 20;
    QString trozo;
    for (qsizetype inicio = 0; inicio < texto.size();) {
        qsizetype fin = std::min(texto.size(), inicio + kTrozo);
        // A slice never ends between CR and LF or inside a surrogate pair.
        if (fin < texto.size() && (texto.at(fin - 1) == u'\r' || texto.at(fin - 1).isHighSurrogate())) ++fin;
        trozo = QStringView(texto).mid(inicio, fin - inicio).toString();
        trozo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        Escribir(f, trozo.toUtf8());
        inicio = fin;
    }
}
}   // namespace

int main(int argc, char** argv) {
    bool normalizado = false;
    QString archivo;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--help")) {
            Escribir(stdout, QByteArray(kUso));
            return 0;
        }
        if (arg == QLatin1String("--version")) {
            Escribir(stdout, (QStringLiteral("orvoc ") + Module1::Version() + QLatin1Char('\n')).toUtf8() + kLicencia);
            return 0;
        }
        if (arg == QLatin1String("--normalized")) {
            normalizado = true;
        } else if (arg.startsWith(QLatin1Char('-'))) {
            return Uso(QStringLiteral("opción desconocida: %1").arg(arg));
        } else if (!archivo.isEmpty()) {
            return Uso(QStringLiteral("sobra un argumento: %1").arg(arg));
        } else {
            archivo = arg;
        }
    }
    if (archivo.isEmpty()) return Uso(QStringLiteral("falta el archivo a compilar"));

    QByteArray bytes;
    QString motivo;
    if (!Codificacion::LeerArchivo(archivo, &bytes, &motivo)) {
        Escribir(stderr, QStringLiteral("orvoc: no se puede leer \"%1\": %2\n").arg(archivo, motivo).toUtf8());
        return 2;
    }

    ResultadoCompilacion r = CompilarComoAbrir(std::move(bytes));
    // Each text is let go once written: a file of one huge line is held as few times as can be.
    QString salida = std::exchange(normalizado ? r.comandos : r.codigo, QString());
    r.comandos.clear();
    r.codigo.clear();
    EscribirConLF(stdout, salida);
    salida.clear();
    for (const QString& e : std::as_const(r.debug)) {
        Escribir(stderr, e.toUtf8());
        Escribir(stderr, QByteArrayLiteral("\n"));
    }
    std::fflush(stdout);
    return r.debug.isEmpty() ? 0 : 1;
}
