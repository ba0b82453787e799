// orvo-sim: a simulated clock for trying transmissions without hardware.
#include "ArchivoSeguro.h"
#include "Consola.h"
#include "LineaOrdenes.h"
#include "ServidorSim.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QHostAddress>
#include <functional>
#include <memory>
#include <vector>

namespace {
const char kAyuda[] =
    "Uso: orvo-sim [--tcp HOST:PUERTO [--count N] | --serial RUTA] [FALLAS] [--verbose]\n"
    "Reloj simulado para Orvo: responde cada trama con los bytes que espera la transmisión.\n"
    "\n"
    "  --tcp HOST:PUERTO   escucha en HOST:PUERTO y en nada más (por defecto 127.0.0.1:7001);\n"
    "                      HOST: IPv4, IPv6 entre corchetes ([::1]) o localhost\n"
    "  --count N           atiende N relojes en N puertos seguidos desde PUERTO, cada uno con\n"
    "                      su propio estado (por defecto 1)\n"
    "  --serial RUTA       atiende el dispositivo serie RUTA (p. ej. un extremo de socat)\n"
    "  --verbose           muestra en stderr cada trama y respuesta\n"
    "  --tramas ARCHIVO    agrega a ARCHIVO una línea por trama recibida: fecha y hora local con\n"
    "                      milisegundos, puerto (o \"serie\") y bytes en hexadecimal\n"
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

// Descriptors kept for the tool itself (standard streams, Qt's own, a serial link).
constexpr long kReservaDescriptores = 32;

// "IPv4:PUERTO", "[IPv6]:PUERTO" or "localhost:PUERTO" (the loopback). Never a
// wider address than the one written: a host that is none of these is refused.
bool LeerEscucha(const QString& texto, QHostAddress* host, quint16* puerto) {
    const qsizetype dos = texto.lastIndexOf(QLatin1Char(':'));
    if (dos <= 0) return false;
    QString nombre = texto.left(dos);
    bool ok = false;
    const uint p = texto.mid(dos + 1).toUInt(&ok);
    if (!ok || p < 1 || p > 65535 || texto.mid(dos + 1).startsWith(QLatin1Char('+'))) return false;
    const bool corchetes = nombre.startsWith(QLatin1Char('[')) && nombre.endsWith(QLatin1Char(']'));
    if (corchetes) nombre = nombre.mid(1, nombre.size() - 2);
    if (!corchetes && nombre.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
        *host = QHostAddress(QHostAddress::LocalHost);
    } else {
        QHostAddress h;
        if (!h.setAddress(nombre)) return false;
        // An IPv6 address is written in brackets, so its colons are not the port's.
        if ((h.protocol() == QAbstractSocket::IPv6Protocol) != corchetes) return false;
        *host = h;
    }
    *puerto = static_cast<quint16>(p);
    return true;
}

const Consola::Herramienta kHerramienta{"orvo-sim", kAyuda};

int Uso(const QString& problema) { return Consola::ErrorDeUso(QLatin1String(kHerramienta.nombre), problema); }

struct Argumentos {
    QString tcp, serie, tramas;
    int cuantos = 1;
    Fallas fallas;
    bool detalle = false;
};
}   // namespace

int main(int argc, char** argv) {
    Consola::BucleParaMuchos();
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
        {"tramas", 0, true, Consola::Texto(&a.tramas)},
    };
    QStringList sobrantes;
    if (const auto fin = Consola::LeerLinea(kHerramienta, app.arguments().mid(1), opciones, &sobrantes)) return *fin;
    if (!sobrantes.isEmpty()) return Uso(QStringLiteral("sobra un argumento: %1").arg(sobrantes[0]));
    if (!a.tcp.isEmpty() && !a.serie.isEmpty()) return Uso(QStringLiteral("use --tcp o --serial, no los dos"));
    if (!a.serie.isEmpty() && a.cuantos != 1) return Uso(QStringLiteral("--count es solo para --tcp"));

    Consola::TraducirQt();
    Consola::AlInterrumpir(&app, [] { QCoreApplication::quit(); });
    // Appended for real (several clocks may note into one file), never a
    // device or a link planted in a shared folder.
    QFile anotadas;
    QString motivo;
    if (!a.tramas.isEmpty() && !ArchivoSeguro::AbrirAgregar(anotadas, a.tramas, &motivo)) {
        Consola::Errores(QStringLiteral("orvo-sim: no se pudo abrir \"%1\" para anotar las tramas: %2\n").arg(a.tramas, motivo));
        return 1;
    }
    // One line per frame, written at once, so a reader sees it while the clock runs.
    auto anotar = [&anotadas](const QString& lugar) -> std::function<void(QByteArrayView)> {
        if (!anotadas.isOpen()) return {};
        return [&anotadas, lugar](QByteArrayView trama) {
            anotadas.write(QStringLiteral("%1 %2 %3\n")
                               .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")), lugar,
                                    QString::fromLatin1(trama.toByteArray().toHex(' ').toUpper()))
                               .toLatin1());
            anotadas.flush();
        };
    };
    if (!a.serie.isEmpty()) {
        ServidorSim sim(a.fallas, a.detalle);
        sim.Recibida = anotar(QStringLiteral("serie"));
        if (!sim.AbrirSerie(a.serie, &error)) {
            Consola::Errores(QStringLiteral("orvo-sim: no se pudo abrir %1: %2\n").arg(a.serie, error));
            return 1;
        }
        Consola::Errores(QStringLiteral("orvo-sim: atendiendo %1\n").arg(a.serie));
        return app.exec();
    }

    const QString destino = a.tcp.isEmpty() ? QStringLiteral("127.0.0.1:7001") : a.tcp;
    QHostAddress host;
    quint16 puerto = 0;
    if (!LeerEscucha(destino, &host, &puerto))
        return Uso(QStringLiteral("dirección inválida: %1 (use IPv4:PUERTO, [IPv6]:PUERTO o localhost:PUERTO)").arg(destino));
    if (a.cuantos > 65536 - puerto)
        return Uso(QStringLiteral("--count %1 no cabe: desde el puerto %2 caben como mucho %3 relojes (hasta el 65535)")
                       .arg(a.cuantos)
                       .arg(puerto)
                       .arg(65536 - puerto));

    const QString nombre = host.protocol() == QAbstractSocket::IPv6Protocol ? QStringLiteral("[%1]").arg(host.toString())
                                                                            : host.toString();
    Consola::AmpliarDescriptores();
    // Each clock listens on a descriptor of its own and each connection takes one more.
    const long limite = Consola::LimiteDescriptores();
    if (limite >= 0 && 2L * a.cuantos > limite - kReservaDescriptores) {
        Consola::Errores(QStringLiteral("orvo-sim: --count %1 necesita más archivos abiertos de los que permite el sistema "
                                        "(límite %2; ulimit -n): use como mucho %3 relojes o suba el límite\n")
                             .arg(a.cuantos)
                             .arg(limite)
                             .arg(qMax(0L, (limite - kReservaDescriptores) / 2)));
        return 1;
    }
    // Each clock has its own state, as separate devices on a site would.
    std::vector<std::unique_ptr<ServidorSim>> relojes;
    const auto demoras = std::make_shared<Demoras>();
    for (int i = 0; i < a.cuantos; ++i) {
        relojes.push_back(std::make_unique<ServidorSim>(a.fallas, a.detalle, demoras));
        const auto p = static_cast<quint16>(puerto + i);
        relojes.back()->Recibida = anotar(QString::number(p));
        if (!relojes.back()->EscucharTCP(host, p, &error)) {
            Consola::Errores(QStringLiteral("orvo-sim: no se pudo escuchar en %1:%2: %3\n").arg(nombre).arg(p).arg(error));
            return 1;
        }
    }
    if (a.cuantos == 1) Consola::Errores(QStringLiteral("orvo-sim: escuchando en %1:%2\n").arg(nombre).arg(puerto));
    else
        Consola::Errores(QStringLiteral("orvo-sim: escuchando en %1:%2 a %1:%3 (%4 relojes)\n")
                             .arg(nombre)
                             .arg(puerto)
                             .arg(puerto + a.cuantos - 1)
                             .arg(a.cuantos));
    return app.exec();
}
