// orvoc: compiles a command file as the main window's Open does and prints
// the code pane (stdout) and the debug list (stderr).
#include "Codificacion.h"
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "Module1.h"
#include "PanelMemoria.h"
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {
const char kUso[] =
    "Uso: orvoc [--normalized] ARCHIVO\n"
    "Compila un archivo de comandos como lo abre la ventana principal.\n"
    "  (sin opciones)  escribe las líneas de código en la salida estándar y las\n"
    "                  entradas de depuración (\"Linea N - ...\") en la salida de errores\n"
    "  --normalized    escribe en cambio el texto de comandos tras la compilación\n"
    "  --help          muestra esta ayuda\n"
    "Estado de salida: 0 sin errores, 1 con errores de compilación, 2 si el archivo\n"
    "no se puede leer o los argumentos son incorrectos.\n";

void Escribir(FILE* f, const QByteArray& b) {
    if (!b.isEmpty()) std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f);
}

int Uso(const QString& problema) {
    Escribir(stderr, (QStringLiteral("orvoc: ") + problema + QLatin1Char('\n')).toUtf8());
    Escribir(stderr, QByteArray(kUso));
    return 2;
}

QByteArray ConLF(const QString& texto) {
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t.toUtf8();
}
}  // namespace

int main(int argc, char** argv) {
    bool normalizado = false;
    QString archivo;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--help")) {
            Escribir(stdout, QByteArray(kUso));
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

    QFile f(archivo);
    QString motivo;
    if (QFileInfo(archivo).isDir())
        motivo = QStringLiteral("es una carpeta");
    else if (!f.open(QIODevice::ReadOnly))
        motivo = f.errorString();
    QByteArray bytes;
    if (motivo.isEmpty()) {
        bytes = f.readAll();
        if (f.error() != QFileDevice::NoError) motivo = f.errorString();
    }
    if (!motivo.isEmpty()) {
        Escribir(stderr, QStringLiteral("orvoc: no se puede leer \"%1\": %2\n").arg(archivo, motivo).toUtf8());
        return 2;
    }

    // As the Open command fills the pane: every line followed by CR LF.
    const QStringList lineas = Codificacion::Lineas(Codificacion::Decodificar(bytes).texto);
    QString texto;
    qsizetype total = 0;
    for (const QString& l : lineas) total += l.size() + 2;
    texto.reserve(total);
    for (const QString& l : lineas) {
        texto += l;
        texto += QStringLiteral("\r\n");
    }

    PanelMemoria tx_Cmd(texto), tx_Cod;
    EntornoCompilador sinVentanas;
    Compilador compilador(tx_Cmd, tx_Cod, sinVentanas);
    Module1::v_Cargando = true;
    compilador.LinAntCmd = 0;
    compilador.CompilarLineas();
    Module1::v_Cargando = false;

    Escribir(stdout, ConLF(normalizado ? tx_Cmd.Text() : tx_Cod.Text()));
    QString debug;
    for (const QString& e : std::as_const(compilador.lst_Debug)) debug += e + QLatin1Char('\n');
    Escribir(stderr, debug.toUtf8());
    std::fflush(stdout);
    return compilador.lst_Debug.isEmpty() ? 0 : 1;
}
