// orvo-sim: a simulated clock for trying transmissions without hardware.
#include "Consola.h"
#include "LineaOrdenes.h"
#include "ServidorSim.h"
#include <QCoreApplication>
#include <QHostAddress>
#include <memory>
#include <vector>

namespace {
const char kAyuda[] =
    "Uso: orvo-sim [--tcp HOST:PUERTO [--count N] | --serial RUTA] [FALLAS] [--verbose]\n"
    "Reloj simulado para Orvo: responde cada trama con los bytes que espera la transmisión.\n"
    "\n"
    "  --tcp HOST:PUERTO   escucha en HOST:PUERTO (por defecto 127.0.0.1:7001)\n"
    "  --count N           atiende N relojes en N puertos seguidos desde PUERTO, cada uno con\n"
    "                      su propio estado (por defecto 1)\n"
    "  --serial RUTA       atiende el dispositivo serie RUTA (p. ej. un extremo de socat)\n"
    "  --verbose           muestra en stderr cada trama y respuesta\n"
    "  -h, --help          muestra esta ayuda\n"
    "  --version           muestra la versión\n"
    "Fallas:\n"
    "  --no-answer         no responde nunca\n"
    "  --late MS           responde con MS milisegundos de demora\n"
    "  --short N           quita N bytes del final de cada respuesta\n"
    "  --extra N           agrega N bytes EE a cada respuesta\n"
    "  --close-after N     cierra el enlace tras responder N tramas\n"
    "\n"
    "Respuestas (simuladas; solo los largos importan al programa). K = byte de reloj, X = BCC:\n"
    "  41 INIA  02 52 K 41 AA MM DD hh mm E C1 C2 03 X            19 bytes (fecha, hora,\n"
    "           habilitado, cantidad de tarjetas)\n"
    "  42 INIB  02 52 K 42 MO T1 T2 T3 NS SE A1 A2 A3 R1 R2 R3 DW 03 X   19 bytes (configuración)\n"
    "  30 LREG  02 52 K 30 N1..N5 AA MM DD hh 03 X                19 bytes (registros guardados)\n"
    "  06 tras LREG: 02 52 K 47 T1..T5 DD hh mm 45 03 X           18 bytes por registro\n"
    "           (todo '0' cuando no quedan registros)\n"
    "  cualquier otra trama: 06                                    1 byte\n"
    "Estado: fecha y hora (FECH), tarjetas (AING/BING), perfiles (SPER/APER/EPER),\n"
    "configuración (SCFG/SCF2), habilitado (EHAB/EINH), registros (BREG, RSET).\n"
    "Tramas: 06 solo; 02 ... 03 BCC; bytes sueltos (CMD) hasta el próximo 02 o 06.\n"
    "\n"
    "Termina con SIGTERM o Ctrl+C. Estado de salida: 0 al terminar; 1 si no puede escuchar\n"
    "o abrir el dispositivo; 2 argumentos incorrectos.\n";

const Consola::Herramienta kHerramienta{"orvo-sim", kAyuda};

int Uso(const QString& problema) { return Consola::ErrorDeUso(QLatin1String(kHerramienta.nombre), problema); }

struct Argumentos {
    QString tcp, serie;
    int cuantos = 1;
    Fallas fallas;
    bool detalle = false;
};
}   // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Argumentos a;
    QString error;
    const Consola::Opcion opciones[] = {
        {"tcp", 0, true, Consola::Texto(&a.tcp)},
        {"serial", 0, true, Consola::Texto(&a.serie)},
        {"count", 0, true, Consola::Entero(&a.cuantos, 1)},
        {"no-answer", 0, false, Consola::Marca(&a.fallas.sinRespuesta)},
        {"late", 0, true, Consola::Entero(&a.fallas.demoraMs, 0)},
        {"short", 0, true, Consola::Entero(&a.fallas.cortas, 0)},
        {"extra", 0, true, Consola::Entero(&a.fallas.extra, 0)},
        {"close-after", 0, true, Consola::Entero(&a.fallas.cerrarTras, 0)},
        {"verbose", 0, false, Consola::Marca(&a.detalle)},
    };
    QStringList sobrantes;
    if (const auto fin = Consola::LeerLinea(kHerramienta, app.arguments().mid(1), opciones, &sobrantes)) return *fin;
    if (!sobrantes.isEmpty()) return Uso(QStringLiteral("sobra un argumento: %1").arg(sobrantes[0]));
    if (!a.tcp.isEmpty() && !a.serie.isEmpty()) return Uso(QStringLiteral("use --tcp o --serial, no los dos"));
    if (!a.serie.isEmpty() && a.cuantos != 1) return Uso(QStringLiteral("--count es solo para --tcp"));

    Consola::TraducirQt();
    Consola::AlInterrumpir(&app, [] { QCoreApplication::quit(); });
    if (!a.serie.isEmpty()) {
        ServidorSim sim(a.fallas, a.detalle);
        if (!sim.AbrirSerie(a.serie, &error)) {
            Consola::Errores(QStringLiteral("orvo-sim: no se pudo abrir %1: %2\n").arg(a.serie, error));
            return 1;
        }
        Consola::Errores(QStringLiteral("orvo-sim: atendiendo %1\n").arg(a.serie));
        return app.exec();
    }

    const QString destino = a.tcp.isEmpty() ? QStringLiteral("127.0.0.1:7001") : a.tcp;
    const qsizetype dos = destino.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint puerto = destino.mid(dos + 1).toUInt(&ok);
    const QString host = dos > 0 ? destino.left(dos) : QStringLiteral("127.0.0.1");
    if (dos < 0 || !ok || puerto < 1 || puerto + a.cuantos - 1 > 65535)
        return Uso(QStringLiteral("dirección inválida: %1 (use HOST:PUERTO; con --count, hasta el puerto 65535)").arg(destino));

    Consola::AmpliarDescriptores();
    // Each clock has its own state, as separate devices on a site would.
    std::vector<std::unique_ptr<ServidorSim>> relojes;
    for (int i = 0; i < a.cuantos; ++i) {
        relojes.push_back(std::make_unique<ServidorSim>(a.fallas, a.detalle));
        const auto p = static_cast<quint16>(puerto + i);
        if (!relojes.back()->EscucharTCP(host, p, &error)) {
            Consola::Errores(QStringLiteral("orvo-sim: no se pudo escuchar en %1:%2: %3\n").arg(host).arg(p).arg(error));
            return 1;
        }
    }
    if (a.cuantos == 1) Consola::Errores(QStringLiteral("orvo-sim: escuchando en %1\n").arg(destino));
    else
        Consola::Errores(QStringLiteral("orvo-sim: escuchando en %1:%2 a %1:%3 (%4 relojes)\n")
                             .arg(host)
                             .arg(puerto)
                             .arg(puerto + a.cuantos - 1)
                             .arg(a.cuantos));
    return app.exec();
}
