// orvo-send: compiles a command file and sends its frames to one clock or
// to many at once, as the transmission window's run does.
#include "ArchivoDestinos.h"
#include "Consola.h"
#include "Flota.h"
#include "Guiones.h"
#include "Opciones.h"
#include "Resumen.h"
#include "Visible.h"
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

namespace {
const char kAyuda[] =
    "Uso: orvo-send [OPCIONES] ARCHIVO\n"
    "     orvo-send [OPCIONES] --destinos LISTA [ARCHIVO]\n"
    "Compila ARCHIVO (un archivo de comandos; - lee la entrada estándar) y envía sus tramas a uno\n"
    "o varios relojes, como la ventana de transmisión: mismas tramas, mismas respuestas esperadas,\n"
    "mismo Comm.log.\n"
    "\n"
    "Enlace:\n"
    "  --tcp HOST[:PUERTO]   reloj por TCP (puerto 7001 si se omite); puede repetirse\n"
    "  --serial DISPOSITIVO  reloj por puerto serie: COM1 a COM8 o la ruta de un dispositivo\n"
    "  --destinos LISTA      un destino por línea (HOST[:PUERTO] o ruta de dispositivo), seguido si\n"
    "                        hace falta de su propio archivo de comandos (relativo a la carpeta de\n"
    "                        LISTA; entre comillas si tiene espacios); se ignoran las líneas vacías\n"
    "                        y lo que sigue a un #. ARCHIVO es para las líneas que no nombran uno\n"
    "Tiempos:\n"
    "  --timeout MS          espera de cada respuesta y de la conexión, 0 a 9999 (3000); 0: sin límite\n"
    "  --delay MS            pausa tras cada respuesta, 0 a 9999 (500)\n"
    "  --loop N              envía el archivo N veces (1)\n"
    "  --hora-actual         cada trama FECH lleva la fecha y hora de la computadora en el momento\n"
    "                        de enviarla, no las escritas en el archivo\n"
    "Varios relojes:\n"
    "  --paralelo N          como mucho N relojes a la vez (16)\n"
    "  --log-dir CARPETA     carpeta de los registros Comm-<destino>.log (la actual); se crea si falta\n"
    "  --fallidos ARCHIVO    escribe en ARCHIVO los destinos que no terminaron bien, como una LISTA\n"
    "                        para --destinos; si todos terminaron bien, lo borra\n"
    "  --json                resumen final como un objeto JSON (sin los intercambios)\n"
    "Otras:\n"
    "  --log ARCHIVO         registro con un solo destino (Comm.log); se agrega al final\n"
    "  --marcas              cada intercambio en la salida estándar empieza con la hora HH:MM:SS.mmm\n"
    "  -h, --help            muestra esta ayuda\n"
    "  --version             muestra la versión\n"
    "\n"
    "Todos los archivos de comandos se compilan antes de enviar nada: si alguno tiene errores no se\n"
    "envía nada. Con un destino cada intercambio sale por la salida estándar (comando, trama,\n"
    "respuesta); con varios, cada línea lleva delante el destino. Al final, una fila por destino:\n"
    "enviadas de las que tocaban, respondidas, cortas, sin respuesta y resultado (\"sin registro\"\n"
    "si su registro quedó incompleto). Cada destino que falla se explica además en la salida de\n"
    "errores. Ctrl+C detiene el envío: cada reloj termina su espera y su pausa y queda\n"
    "\"detenido\"; un segundo Ctrl+C termina en el acto. Si se cierra la salida estándar\n"
    "(| head), el envío sigue completo y solo se pierde lo que se iba a mostrar.\n"
    "\n"
    "Estado de salida: 0 todas las respuestas completas; 1 errores de compilación;\n"
    "2 argumentos incorrectos o archivo ilegible; 3 alguna respuesta faltó o llegó corta,\n"
    "o un registro quedó incompleto;\n"
    "4 no se pudo abrir el enlace o se perdió; 130 detenido con Ctrl+C.\n"
    "Con varios destinos, el peor de todos (4, luego 3, luego 0).\n";

const Consola::Herramienta kHerramienta{"orvo-send", kAyuda};

// Descriptors kept for the tool itself (standard streams, Qt's own, the
// temporary files).
constexpr long kReservaDescriptores = 64;
// Each link in flight holds its connection and its log, open through its run.
constexpr long kDescriptoresPorEnlace = 2;

// Links in flight are capped below the open-files limit: past it a log,
// a temporary file or a connection would fail.
void AjustarParalelo(OpcionesEnvio* o) {
    const long limite = Consola::LimiteDescriptores();
    if (limite < 0) return;
    const long cabe = qMax(1L, (limite - kReservaDescriptores) / kDescriptoresPorEnlace);
    if (o->paralelo <= cabe || o->destinos.size() <= cabe) return;
    Consola::Errores(QStringLiteral("orvo-send: --paralelo %1 bajado a %2: el límite de archivos abiertos es %3 (ulimit -n)\n")
                         .arg(o->paralelo)
                         .arg(cabe)
                         .arg(limite));
    o->paralelo = static_cast<int>(cabe);
}
}   // namespace

int main(int argc, char** argv) {
    Consola::BucleParaMuchos();
    QCoreApplication app(argc, argv);
    OpcionesEnvio o;
    if (const auto fin = LeerOpciones(kHerramienta, app.arguments().mid(1), &o)) return *fin;
    if (o.flota && !QDir().mkpath(o.carpetaLogs)) {
        Consola::Errores(QStringLiteral("orvo-send: no se pudo crear la carpeta de registros \"%1\"; elija otra con --log-dir.\n")
                             .arg(f_Visible(o.carpetaLogs)));
        return 2;
    }
    QTemporaryDir temporal;
    if (!temporal.isValid()) {
        Consola::Errores(QStringLiteral("orvo-send: no se pudo crear una carpeta temporal: %1\n").arg(temporal.errorString()));
        return 2;
    }

    // Every script is compiled before anything is sent: one with errors stops the whole run.
    Guiones guiones;
    const int estadoGuiones = guiones.Compilar(o, temporal.path());
    if (estadoGuiones != 0) return estadoGuiones;

    Consola::AmpliarDescriptores();
    AjustarParalelo(&o);
    Consola::TraducirQt();
    // A reader that goes away (| head) costs only the output: the clocks are
    // still sent in full, with their logs.
    Consola::SeguirSinLector();
    Flota flota(o, [&](const Destino& d) { return guiones.De(d); });
    Consola::AlInterrumpir(&app, [&flota, &temporal] {
        if (!flota.Detenida()) {
            flota.Detener();
            return;
        }
        // A second Ctrl+C does not wait for the pauses. Every log line is
        // in its file as soon as it is written, but for an answer line held
        // for the next frame, which VolcarSalida writes.
        temporal.remove();
        flota.VolcarSalida();
        Consola::Errores(QStringLiteral("orvo-send: interrumpido\n"));
        std::_Exit(130);
    });
    QObject::connect(
        &flota, &Flota::Terminada, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    flota.Iniciar();
    app.exec();

    flota.VolcarSalida();
    int estado = 0;
    QList<Destino> fallidos;
    for (const EnvioDestino* e : flota.Envios()) {
        estado = qMax(estado, f_EstadoSalida(e->Resultado()));
        if (e->Resultado().tipo != ResultadoDestino::Tipo::Ok || e->Resultado().detenido) fallidos.append(e->ElDestino());
    }
    Consola::Salida(o.json ? f_ResumenJSON(flota.Envios()) : f_ResumenTabla(flota.Envios()));
    QString error;
    if (!o.fallidos.isEmpty() && !EscribirFallidos(o.fallidos, fallidos, &error))
        Consola::Errores(QStringLiteral("orvo-send: %1; la lista de destinos para reintentar no quedó guardada.\n").arg(error));
    return flota.Detenida() ? 130 : estado;
}
