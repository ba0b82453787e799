// orvo-send: compiles a command file and sends its frames to one clock or
// to many at once, as the transmission window's run does.
#include "Codificacion.h"
#include "Consola.h"
#include "Flota.h"
#include "Guion.h"
#include "Module1.h"
#include "Opciones.h"
#include "Resumen.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>

namespace {
const char kAyuda[] =
    "Uso: orvo-send [OPCIONES] ARCHIVO\n"
    "Compila ARCHIVO (un archivo de comandos) y envía sus tramas a uno o varios relojes,\n"
    "como la ventana de transmisión: mismas tramas, mismas respuestas esperadas, mismo Comm.log.\n"
    "\n"
    "Enlace:\n"
    "  --tcp HOST[:PUERTO]   reloj por TCP (puerto 7001 si se omite); puede repetirse\n"
    "  --serial DISPOSITIVO  reloj por puerto serie: COM1 a COM8 o la ruta de un dispositivo\n"
    "  --destinos ARCHIVO    un destino por línea (HOST[:PUERTO] o ruta de dispositivo);\n"
    "                        se ignoran las líneas vacías y las que empiezan con #\n"
    "Tiempos:\n"
    "  --timeout MS          espera de cada respuesta y de la conexión, 0 a 9999 (3000); 0: sin límite\n"
    "  --delay MS            pausa tras cada respuesta, 0 a 9999 (500)\n"
    "  --loop N              envía el archivo N veces (1)\n"
    "Varios relojes:\n"
    "  --paralelo N          como mucho N relojes a la vez (16)\n"
    "  --log-dir CARPETA     carpeta de los registros Comm-<destino>.log (la actual)\n"
    "  --json                resumen final como un objeto JSON (sin los intercambios)\n"
    "Otras:\n"
    "  --log ARCHIVO         registro con un solo destino (Comm.log); se agrega al final\n"
    "  --help                muestra esta ayuda\n"
    "  --version             muestra la versión\n"
    "\n"
    "Con un destino cada intercambio sale por la salida estándar (comando, trama, respuesta);\n"
    "con varios, cada línea lleva delante el destino. Al final, una fila por destino:\n"
    "enviadas, respondidas, cortas, sin respuesta y resultado (\"sin registro\" si su registro\n"
    "quedó incompleto). Ctrl+C detiene el envío: cada reloj termina su espera y su pausa y\n"
    "queda \"detenido\"; un segundo Ctrl+C termina en el acto. Si se cierra la salida estándar\n"
    "(| head), el envío sigue completo y solo se pierde lo que se iba a mostrar.\n"
    "\n"
    "Estado de salida: 0 todas las respuestas completas; 1 errores de compilación;\n"
    "2 argumentos incorrectos o archivo ilegible; 3 alguna respuesta faltó o llegó corta,\n"
    "o un registro quedó incompleto;\n"
    "4 no se pudo abrir el enlace o se perdió; 130 detenido con Ctrl+C.\n"
    "Con varios destinos, el peor de todos (4, luego 3, luego 0).\n";

// Descriptors kept for the tool itself (standard streams, Qt's own, the
// temporary files, the one log line being written); each link takes one more.
constexpr long kReservaDescriptores = 64;

// Links in flight are capped below the open-files limit: past it a log
// line, a temporary file or a connection would fail.
void AjustarParalelo(OpcionesEnvio* o) {
    const long limite = Consola::LimiteDescriptores();
    if (limite < 0) return;
    const long cabe = qMax(1L, limite - kReservaDescriptores);
    if (o->paralelo <= cabe || o->destinos.size() <= cabe) return;
    Consola::Errores(QStringLiteral("orvo-send: --paralelo %1 bajado a %2: el límite de archivos abiertos es %3 (ulimit -n)\n")
                         .arg(o->paralelo)
                         .arg(cabe)
                         .arg(limite));
    o->paralelo = static_cast<int>(cabe);
}

int Uso(const QString& problema) {
    Consola::Errores(QStringLiteral("orvo-send: %1\nPruebe \"orvo-send --help\".\n").arg(problema));
    return 2;
}
}   // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    OpcionesEnvio o;
    QString error;
    if (!LeerOpciones(app.arguments().mid(1), &o, &error)) return Uso(error);
    if (Consola::Informar(o.ayuda, kAyuda, o.version, QStringLiteral("orvo-send %1").arg(Module1::Version()))) return 0;
    if (o.flota && !QFileInfo(o.carpetaLogs).isDir()) return Uso(QStringLiteral("la carpeta \"%1\" no existe").arg(o.carpetaLogs));

    QByteArray bytes;
    if (!Codificacion::LeerArchivo(o.guion, &bytes, &error)) {
        Consola::Errores(QStringLiteral("orvo-send: no se puede leer \"%1\": %2\n").arg(o.guion, error));
        return 2;
    }
    QTemporaryDir temporal;
    if (!temporal.isValid()) {
        Consola::Errores(QStringLiteral("orvo-send: no se pudo crear una carpeta temporal: %1\n").arg(temporal.errorString()));
        return 2;
    }
    const GuionCompilado guion = CompilarGuion(bytes, temporal.path());
    if (!guion.debug.isEmpty() || !guion.error.isEmpty()) {
        // As T refuses a script with errors: nothing is sent.
        QString texto;
        for (const QString& e : guion.debug) texto += e + QLatin1Char('\n');
        if (!guion.error.isEmpty()) texto += guion.error + QLatin1Char('\n');
        Consola::Errores(texto + QStringLiteral("orvo-send: hay errores en el código; no se envía nada.\n"));
        return 1;
    }

    Consola::AmpliarDescriptores();
    AjustarParalelo(&o);
    Consola::TraducirQt();
    // A reader that goes away (| head) costs only the output: the clocks are
    // still sent in full, with their logs.
    std::signal(SIGPIPE, SIG_IGN);
    Flota flota(o, guion.tramas);
    Consola::AlInterrumpir(&app, [&flota, &temporal] {
        if (!flota.Detenida()) {
            flota.Detener();
            return;
        }
        // A second Ctrl+C does not wait for the pauses. Every log line is
        // closed as it is written, so nothing is left half-open.
        temporal.remove();
        Consola::Errores(QStringLiteral("orvo-send: interrumpido\n"));
        std::_Exit(130);
    });
    QObject::connect(
        &flota, &Flota::Terminada, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    flota.Iniciar();
    app.exec();

    int estado = 0;
    for (const EnvioDestino* e : flota.Envios()) estado = qMax(estado, f_EstadoSalida(e->Resultado()));
    Consola::Salida(o.json ? f_ResumenJSON(flota.Envios()) : f_ResumenTabla(flota.Envios()));
    return flota.Detenida() ? 130 : estado;
}
