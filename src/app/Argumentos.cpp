#include "Argumentos.h"
#include "LineaOrdenes.h"
#include <algorithm>

namespace {
// Options QApplication takes for itself (with "-" or "--"); the first read,
// made before any window system is touched, passes over them.
struct OpcionQt {
    const char* nombre;
    bool conValor;
};
const OpcionQt kOpcionesQt[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qmljsdebugger", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"style", true},
    {"stylesheet", true},
    {"name", true},
    {"title", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
};

QStringList SinOpcionesQt(const QStringList& args) {
    QStringList nuestros;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--")) {
            nuestros << args.mid(i);
            break;
        }
        const QString nombre = arg.startsWith(QLatin1String("--")) ? arg.mid(2) : arg.startsWith(QLatin1Char('-')) ? arg.mid(1)
                                                                                                                   : QString();
        const auto* qt = std::find_if(std::begin(kOpcionesQt), std::end(kOpcionesQt), [&](const OpcionQt& o) {
            return !nombre.isEmpty() && nombre.section(QLatin1Char('='), 0, 0) == QLatin1String(o.nombre);
        });
        if (qt == std::end(kOpcionesQt)) nuestros << arg;
        else if (qt->conValor && !nombre.contains(QLatin1Char('=')))
            ++i;
    }
    return nuestros;
}
}   // namespace

Argumentos LeerArgumentos(const QStringList& args) {
    const Consola::Lectura l = Consola::Leer(args, {});
    auto error = [](const QString& problema) { return Argumentos{Argumentos::Pedido::Error, {}, problema}; };
    switch (l.pedido) {
    case Consola::Lectura::Pedido::Ayuda: return {Argumentos::Pedido::Ayuda, {}, {}};
    case Consola::Lectura::Pedido::Version: return {Argumentos::Pedido::Version, {}, {}};
    case Consola::Lectura::Pedido::Error: return error(l.problema);
    case Consola::Lectura::Pedido::Seguir: break;
    }
    if (l.posicionales.size() > 1) return error(QStringLiteral("sobra un argumento: %1").arg(l.posicionales[1]));
    if (!l.posicionales.isEmpty() && l.posicionales[0].isEmpty()) return error(QStringLiteral("el nombre de archivo está vacío"));
    return {Argumentos::Pedido::Abrir, l.posicionales.value(0), {}};
}

Argumentos LeerArgumentosSinVentana(const QStringList& args) { return LeerArgumentos(SinOpcionesQt(args)); }

QString TextoAyuda() {
    return QStringLiteral(
        "Uso: orvo [OPCIÓN] [ARCHIVO]\n"
        "Orvo - Interfaz de Comandos: escribe, compila y envía comandos a relojes de\n"
        "control de asistencia y de acceso.\n"
        "\n"
        "  ARCHIVO     archivo de comandos que se abre al empezar, como con Archivo > Abrir\n"
        "  -h, --help  muestra esta ayuda y termina\n"
        "  --version   muestra la versión y termina\n"
        "  --          lo que sigue es el nombre del archivo, aunque empiece por \"-\"\n"
        "\n"
        "Acepta además las opciones de Qt para ventanas, como \"-platform offscreen\".\n"
        "Estado de salida: 0 al cerrar la ventana, 2 si los argumentos son incorrectos.\n"
        "Más información: man orvo\n");
}

QString TextoVersion() { return Consola::TextoVersion("orvo"); }
