#include "Opciones.h"
#include "ArchivoDestinos.h"
#include "Visible.h"
#include "PuertoSerie.h"
#include <QFile>
#include <functional>

namespace {
bool Entero(const QString& texto, int minimo, int maximo, int* valor) {
    bool ok = false;
    const int v = texto.toInt(&ok);
    if (!ok || v < minimo || v > maximo) return false;
    *valor = v;
    return true;
}

struct Opcion {
    const char* nombre;
    bool conValor;
    std::function<bool(OpcionesEnvio*, const QString&, QString*)> aplicar;
};

std::function<bool(OpcionesEnvio*, const QString&, QString*)> Numero(int OpcionesEnvio::*campo, int minimo, int maximo,
                                                                     const char* nombre) {
    return [=](OpcionesEnvio* o, const QString& v, QString* error) {
        if (Entero(v, minimo, maximo, &(o->*campo))) return true;
        *error = QStringLiteral("valor inválido para --%1: \"%2\" (de %3 a %4)")
                     .arg(QLatin1String(nombre), v)
                     .arg(minimo)
                     .arg(maximo);
        return false;
    };
}

bool AgregarDestino(OpcionesEnvio* o, const QString& v, QString* error) {
    Destino d;
    if (!LeerDestino(v, &d, error)) return false;
    o->destinos.append(d);
    return true;
}

const Opcion kOpciones[] = {
    {"tcp", true, AgregarDestino},
    {"serial", true,
     [](OpcionesEnvio* o, const QString& v, QString* error) {
         Destino d;
         QString problema;
         if (!PuertoSerie::Dispositivo(v, &d.dispositivo, &problema)) {
             *error = QStringLiteral("puerto serie inválido: \"%1\" (COM1 a COM8 o la ruta de un dispositivo)").arg(v);
             return false;
         }
         d.texto = f_Visible(v);
         d.crudo = v;
         d.serie = true;
         o->destinos.append(d);
         return true;
     }},
    {"destinos", true,
     [](OpcionesEnvio* o, const QString& v, QString* error) {
         o->flota = true;
         return LeerArchivoDestinos(v, &o->destinos, error);
     }},
    {"timeout", true, Numero(&OpcionesEnvio::timeOut, 0, 9999, "timeout")},
    {"delay", true, Numero(&OpcionesEnvio::delay, 0, 9999, "delay")},
    {"loop", true, Numero(&OpcionesEnvio::vueltas, 1, 1000000, "loop")},
    {"paralelo", true, Numero(&OpcionesEnvio::paralelo, 1, 10000, "paralelo")},
    {"log", true, [](OpcionesEnvio* o, const QString& v, QString*) { o->log = v; return true; }},
    {"log-dir", true, [](OpcionesEnvio* o, const QString& v, QString*) { o->carpetaLogs = v; return true; }},
    {"json", false, [](OpcionesEnvio* o, const QString&, QString*) { o->json = true; return true; }},
    {"hora-actual", false, [](OpcionesEnvio* o, const QString&, QString*) { o->horaActual = true; return true; }},
    {"marcas", false, [](OpcionesEnvio* o, const QString&, QString*) { o->marcas = true; return true; }},
    {"fallidos", true, [](OpcionesEnvio* o, const QString& v, QString*) { o->fallidos = v; return true; }},
    {"help", false, [](OpcionesEnvio* o, const QString&, QString*) { o->ayuda = true; return true; }},
    {"version", false, [](OpcionesEnvio* o, const QString&, QString*) { o->version = true; return true; }},
};
}   // namespace

bool LeerDestino(const QString& texto, Destino* d, QString* error) {
    const QString t = texto.trimmed();
    d->texto = f_Visible(t);
    d->crudo = t;
    if (t.startsWith(QLatin1Char('/')) || t.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        QString problema;
        if (PuertoSerie::Dispositivo(t, &d->dispositivo, &problema)) {
            d->serie = true;
            return true;
        }
        if (t.startsWith(QLatin1Char('/'))) {
            *error = QStringLiteral("dispositivo inválido: \"%1\"").arg(f_Visible(texto));
            return false;
        }
    }
    QString host = t, puerto;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype cierre = t.indexOf(QLatin1Char(']'));
        if (cierre > 1) {
            host = t.mid(1, cierre - 1);
            const QString resto = t.mid(cierre + 1);
            if (resto.startsWith(QLatin1Char(':'))) puerto = resto.mid(1);
            else if (!resto.isEmpty())
                host.clear();
        } else {
            host.clear();
        }
    } else if (t.count(QLatin1Char(':')) == 1) {
        host = t.section(QLatin1Char(':'), 0, 0);
        puerto = t.section(QLatin1Char(':'), 1);
    }
    int numero = 7001;
    if (host.isEmpty() || host.contains(QLatin1Char(' ')) ||
        (!puerto.isNull() && !Entero(puerto, 1, 65535, &numero))) {
        *error = QStringLiteral("destino inválido: \"%1\" (use HOST[:PUERTO], con puerto de 1 a 65535, o la ruta de un dispositivo)")
                     .arg(f_Visible(texto));
        return false;
    }
    d->serie = false;
    d->host = host;
    d->puerto = static_cast<quint16>(numero);
    return true;
}

bool LeerOpciones(const QStringList& args, OpcionesEnvio* o, QString* error) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("-h")) {
            o->ayuda = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            const QString guion = arg == QLatin1String("--") && i + 1 < args.size() ? args[++i] : arg;
            if (!o->guion.isEmpty()) {
                *error = QStringLiteral("sobra un argumento: %1").arg(guion);
                return false;
            }
            o->guion = guion;
            continue;
        }
        const QString nombre = arg.mid(2).section(QLatin1Char('='), 0, 0);
        const Opcion* opcion = nullptr;
        for (const auto& op : kOpciones)
            if (nombre == QLatin1String(op.nombre)) opcion = &op;
        if (!opcion) {
            *error = QStringLiteral("opción desconocida: %1").arg(arg);
            return false;
        }
        QString valor;
        if (arg.contains(QLatin1Char('='))) {
            if (!opcion->conValor) {
                *error = QStringLiteral("--%1 no lleva valor").arg(nombre);
                return false;
            }
            valor = arg.section(QLatin1Char('='), 1);
        } else if (opcion->conValor) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("falta el valor de --%1").arg(nombre);
                return false;
            }
            valor = args[++i];
        }
        if (!opcion->aplicar(o, valor, error)) return false;
    }
    if (o->ayuda || o->version) return true;
    if (o->destinos.isEmpty()) {
        *error = o->guion.isEmpty() ? QStringLiteral("falta el archivo de comandos")
                                    : QStringLiteral("falta el destino (--tcp, --serial o --destinos)");
        return false;
    }
    if (o->guion.isEmpty()) {
        for (const Destino& d : o->destinos) {
            if (d.guion.isEmpty()) {
                *error = QStringLiteral("falta el archivo de comandos (%1 no nombra uno propio)").arg(d.texto);
                return false;
            }
        }
    }
    if (o->destinos.size() > 1) o->flota = true;
    return true;
}

QString NombreArchivo(const QString& destino) {
    QString n;
    for (QChar c : destino) {
        const bool seguro = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                            c == u'.' || c == u'-';
        n += seguro ? c : QChar(u'_');
    }
    while (n.startsWith(QLatin1Char('_'))) n.remove(0, 1);
    // "." and ".." are not names a file may have.
    if (n.isEmpty() || n.count(QLatin1Char('.')) == n.size()) n.prepend(QLatin1String("destino"));
    return n;
}
