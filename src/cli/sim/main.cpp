// orvo-sim: a simulated clock for trying transmissions without hardware.
#include "ServidorSim.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int gTuberia[2] = {-1, -1};

void AlSenal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(gTuberia[1], &c, 1);
}

// SIGTERM and SIGINT end the event loop from the loop itself.
void InstalarSenales(QCoreApplication* app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gTuberia) != 0) return;
    auto* aviso = new QSocketNotifier(gTuberia[0], QSocketNotifier::Read, app);
    QObject::connect(aviso, &QSocketNotifier::activated, app, [] { QCoreApplication::quit(); });
    struct sigaction sa {};
    sa.sa_handler = AlSenal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

const char* kDescripcion =
    "Reloj simulado para Orvo: responde cada trama con los bytes que espera la transmisión.\n"
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
    "Tramas: 06 solo; 02 ... 03 BCC; bytes sueltos (CMD) hasta el próximo 02 o 06.";
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvo-sim"));

    QCommandLineParser p;
    p.setApplicationDescription(QString::fromUtf8(kDescripcion));
    p.addHelpOption();
    const QCommandLineOption tcp(QStringLiteral("tcp"), QStringLiteral("Escucha en HOST:PUERTO (por defecto 127.0.0.1:7001)."),
                                 QStringLiteral("HOST:PUERTO"));
    const QCommandLineOption serie(QStringLiteral("serial"), QStringLiteral("Atiende el dispositivo serie RUTA (p. ej. un extremo de socat)."),
                                   QStringLiteral("RUTA"));
    const QCommandLineOption sinResp(QStringLiteral("no-answer"), QStringLiteral("Falla: no responde nunca."));
    const QCommandLineOption demora(QStringLiteral("late"), QStringLiteral("Falla: responde con MS milisegundos de demora."), QStringLiteral("MS"));
    const QCommandLineOption cortas(QStringLiteral("short"), QStringLiteral("Falla: quita N bytes del final de cada respuesta."), QStringLiteral("N"));
    const QCommandLineOption extra(QStringLiteral("extra"), QStringLiteral("Falla: agrega N bytes EE a cada respuesta."), QStringLiteral("N"));
    const QCommandLineOption cerrar(QStringLiteral("close-after"), QStringLiteral("Falla: cierra el enlace tras responder N tramas."), QStringLiteral("N"));
    const QCommandLineOption detalle(QStringLiteral("verbose"), QStringLiteral("Muestra en stderr cada trama y respuesta."));
    p.addOptions({tcp, serie, sinResp, demora, cortas, extra, cerrar, detalle});
    p.process(app);

    QTextStream err(stderr);
    auto entero = [&](const QCommandLineOption& o, int* destino) {
        if (!p.isSet(o)) return true;
        bool ok = false;
        *destino = p.value(o).toInt(&ok);
        if (ok && *destino >= 0) return true;
        err << "orvo-sim: valor inválido para --" << o.names().first() << ": " << p.value(o) << Qt::endl;
        return false;
    };
    Fallas f;
    f.sinRespuesta = p.isSet(sinResp);
    if (!entero(demora, &f.demoraMs) || !entero(cortas, &f.cortas) || !entero(extra, &f.extra) || !entero(cerrar, &f.cerrarTras))
        return 2;
    if (p.isSet(tcp) && p.isSet(serie)) {
        err << "orvo-sim: use --tcp o --serial, no los dos" << Qt::endl;
        return 2;
    }

    InstalarSenales(&app);
    ServidorSim sim(f, p.isSet(detalle));
    QString error;
    if (p.isSet(serie)) {
        if (!sim.AbrirSerie(p.value(serie), &error)) {
            err << "orvo-sim: no se pudo abrir " << p.value(serie) << ": " << error << Qt::endl;
            return 1;
        }
        err << "orvo-sim: atendiendo " << p.value(serie) << Qt::endl;
    } else {
        const QString destino = p.isSet(tcp) ? p.value(tcp) : QStringLiteral("127.0.0.1:7001");
        const qsizetype dos = destino.lastIndexOf(QLatin1Char(':'));
        bool ok = false;
        const uint puerto = destino.mid(dos + 1).toUInt(&ok);
        const QString host = dos > 0 ? destino.left(dos) : QStringLiteral("127.0.0.1");
        if (dos < 0 || !ok || puerto > 65535) {
            err << "orvo-sim: dirección inválida: " << destino << " (use HOST:PUERTO)" << Qt::endl;
            return 2;
        }
        if (!sim.EscucharTCP(host, static_cast<quint16>(puerto), &error)) {
            err << "orvo-sim: no se pudo escuchar en " << destino << ": " << error << Qt::endl;
            return 1;
        }
        err << "orvo-sim: escuchando en " << destino << Qt::endl;
    }
    return app.exec();
}
