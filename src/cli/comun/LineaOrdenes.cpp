#include "LineaOrdenes.h"
#include "Consola.h"
#include <algorithm>

namespace Consola {

namespace {
const QString kFin = QStringLiteral("--");

bool EsInformativa(const QString& arg, Lectura::Pedido* pedido) {
    if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) *pedido = Lectura::Pedido::Ayuda;
    else if (arg == QLatin1String("--version"))
        *pedido = Lectura::Pedido::Version;
    else
        return false;
    return true;
}

// The table row an argument names ("--largo", "--largo=valor" or "-c"), or null.
const Opcion* Buscar(const QString& arg, std::span<const Opcion> tabla) {
    const bool largo = arg.startsWith(kFin);
    const QString nombre = largo ? arg.mid(2).section(QLatin1Char('='), 0, 0) : arg.mid(1);
    const auto it = std::find_if(tabla.begin(), tabla.end(), [&](const Opcion& o) {
        return largo ? nombre == QLatin1String(o.largo) : (o.corto != 0 && nombre == QChar::fromLatin1(o.corto));
    });
    return it == tabla.end() ? nullptr : &*it;
}

// One option and its value; false with the problem in *problema.
bool Aplicar(const QStringList& args, qsizetype* i, std::span<const Opcion> tabla, QString* problema) {
    const QString& arg = args[*i];
    const Opcion* op = Buscar(arg, tabla);
    if (!op) {
        *problema = QStringLiteral("opción desconocida: %1").arg(arg);
        return false;
    }
    const QString nombre = QStringLiteral("--") + QLatin1String(op->largo);
    const bool conIgual = arg.startsWith(kFin) && arg.contains(QLatin1Char('='));
    QString valor;
    if (conIgual) {
        if (!op->conValor) {
            *problema = QStringLiteral("%1 no lleva valor").arg(nombre);
            return false;
        }
        valor = arg.section(QLatin1Char('='), 1);
    } else if (op->conValor) {
        if (*i + 1 >= args.size()) {
            *problema = QStringLiteral("falta el valor de %1").arg(arg);
            return false;
        }
        valor = args[++*i];
    }
    // An unset shell variable ("-o $SALIDA") must not quietly mean "no option".
    if (op->conValor && valor.isEmpty()) {
        *problema = QStringLiteral("%1 lleva un valor vacío").arg(conIgual ? nombre : arg);
        return false;
    }
    if (op->aplicar(valor, problema)) return true;
    if (problema->isEmpty()) *problema = QStringLiteral("valor inválido para %1: %2").arg(nombre, valor);
    return false;
}
}   // namespace

Lectura Leer(const QStringList& args, std::span<const Opcion> tabla) {
    Lectura l;
    QString primerProblema;
    bool soloPosicionales = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        Lectura::Pedido informativa;
        if (soloPosicionales || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            l.posicionales << arg;
        } else if (arg == kFin) {
            soloPosicionales = true;
        } else if (EsInformativa(arg, &informativa)) {
            // The first of --help and --version asked for is the one answered.
            if (l.pedido == Lectura::Pedido::Seguir) l.pedido = informativa;
        } else {
            QString problema;
            if (!Aplicar(args, &i, tabla, &problema) && primerProblema.isEmpty()) primerProblema = problema;
        }
    }
    if (l.pedido == Lectura::Pedido::Seguir && !primerProblema.isEmpty()) {
        l.pedido = Lectura::Pedido::Error;
        l.problema = primerProblema;
    }
    return l;
}

QString TextoVersion(const char* nombre) {
    return QStringLiteral(
               "%1 %2.%3.%4\n"
               "Licencia GPL-3.0 o posterior: es software libre, puede modificarlo y redistribuirlo.\n"
               "No hay NINGUNA GARANTÍA, en la medida que lo permita la ley.\n")
        .arg(QLatin1String(nombre))
        .arg(ORVO_VERSION_MAJOR)
        .arg(ORVO_VERSION_MINOR)
        .arg(ORVO_VERSION_REVISION);
}

std::optional<int> Atender(const Herramienta& h, const Lectura& l) {
    switch (l.pedido) {
    case Lectura::Pedido::Seguir: return std::nullopt;
    case Lectura::Pedido::Ayuda: Salida(QString::fromUtf8(h.ayuda)); return 0;
    case Lectura::Pedido::Version: Salida(TextoVersion(h.nombre)); return 0;
    case Lectura::Pedido::Error: break;
    }
    return ErrorDeUso(QLatin1String(h.nombre), l.problema);
}

std::optional<int> LeerLinea(const Herramienta& h, const QStringList& args, std::span<const Opcion> tabla,
                             QStringList* posicionales) {
    Lectura l = Leer(args, tabla);
    *posicionales = std::move(l.posicionales);
    return Atender(h, l);
}

std::function<bool(const QString&, QString*)> Marca(bool* destino) {
    return [destino](const QString&, QString*) { return *destino = true; };
}

std::function<bool(const QString&, QString*)> Texto(QString* destino) {
    return [destino](const QString& v, QString*) {
        *destino = v;
        return true;
    };
}

std::function<bool(const QString&, QString*)> Entero(int* destino, int minimo) {
    return [destino, minimo](const QString& v, QString*) {
        bool ok = false;
        const int n = v.toInt(&ok);
        if (!ok || n < minimo) return false;
        *destino = n;
        return true;
    };
}

}   // namespace Consola
