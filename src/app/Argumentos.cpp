#include "Argumentos.h"
#include "Module1.h"

namespace {
const QString kFin = QStringLiteral("--");
}   // namespace

Argumentos LeerArgumentos(const QStringList& args) {
    Argumentos a;
    for (const QString& arg : args) {
        if (arg == kFin) break;
        if (arg == QLatin1String("--help")) return {Argumentos::Pedido::Ayuda, {}, {}};
        if (arg == QLatin1String("--version")) return {Argumentos::Pedido::Version, {}, {}};
    }
    auto error = [](const QString& problema) { return Argumentos{Argumentos::Pedido::Error, {}, problema}; };
    bool soloArchivos = false;
    for (const QString& arg : args) {
        if (!soloArchivos && arg == kFin) {
            soloArchivos = true;
        } else if (!soloArchivos && arg.size() > 1 && arg.startsWith(QLatin1Char('-'))) {
            return error(QStringLiteral("opción desconocida: %1").arg(arg));
        } else if (arg.isEmpty()) {
            return error(QStringLiteral("el nombre de archivo está vacío"));
        } else if (!a.archivo.isEmpty()) {
            return error(QStringLiteral("sobra un argumento: %1").arg(arg));
        } else {
            a.archivo = arg;
        }
    }
    return a;
}

QString TextoAyuda() {
    return QStringLiteral(
        "Uso: orvo [OPCIÓN] [ARCHIVO]\n"
        "Orvo - Interfaz de Comandos: escribe, compila y envía comandos a relojes de\n"
        "control de asistencia y de acceso.\n"
        "\n"
        "  ARCHIVO     archivo de comandos que se abre al empezar, como con Archivo > Abrir\n"
        "  --help      muestra esta ayuda y termina\n"
        "  --version   muestra la versión y termina\n"
        "  --          lo que sigue es el nombre del archivo, aunque empiece por \"-\"\n"
        "\n"
        "Acepta además las opciones de Qt para ventanas, como \"-platform offscreen\".\n"
        "Estado de salida: 0 al cerrar la ventana, 2 si los argumentos son incorrectos.\n"
        "Más información: man orvo\n");
}

QString TextoVersion() {
    return QStringLiteral("orvo ") + Module1::Version() +
           QStringLiteral(
               "\n"
               "Licencia GPL-3.0 o posterior: es software libre, puede modificarlo y redistribuirlo.\n"
               "No hay NINGUNA GARANTÍA, en la medida que lo permita la ley.\n");
}
