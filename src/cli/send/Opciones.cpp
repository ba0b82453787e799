#include "Opciones.h"
#include "Codificacion.h"
#include "PuertoSerie.h"
#include <QFile>
#include <algorithm>
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
         d.texto = v;
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
    {"help", false, [](OpcionesEnvio* o, const QString&, QString*) { o->ayuda = true; return true; }},
    {"version", false, [](OpcionesEnvio* o, const QString&, QString*) { o->version = true; return true; }},
};
}   // namespace

bool LeerDestino(const QString& texto, Destino* d, QString* error) {
    const QString t = texto.trimmed();
    d->texto = t;
    if (t.startsWith(QLatin1Char('/')) || t.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        QString problema;
        if (PuertoSerie::Dispositivo(t, &d->dispositivo, &problema)) {
            d->serie = true;
            return true;
        }
        if (t.startsWith(QLatin1Char('/'))) {
            *error = QStringLiteral("dispositivo inválido: \"%1\"").arg(texto);
            return false;
        }
    }
    QString host = t, puerto;
    bool conPuerto = false;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype cierre = t.indexOf(QLatin1Char(']'));
        if (cierre > 1) {
            host = t.mid(1, cierre - 1);
            const QString resto = t.mid(cierre + 1);
            conPuerto = resto.startsWith(QLatin1Char(':'));
            if (conPuerto) puerto = resto.mid(1);
            else if (!resto.isEmpty())
                host.clear();
        } else {
            host.clear();
        }
    } else if (t.count(QLatin1Char(':')) == 1) {
        const qsizetype dos = t.indexOf(QLatin1Char(':'));
        host = t.left(dos);
        puerto = t.mid(dos + 1);
        conPuerto = true;
    }
    int numero = 7001;
    // A written colon needs its port; blanks and control characters are in no host name.
    const bool hostMalo = host.isEmpty() || std::any_of(host.cbegin(), host.cend(), [](QChar c) {
                              return c.isSpace() || c.category() == QChar::Other_Control || c == u'/';
                          });
    if (hostMalo || (conPuerto && !Entero(puerto, 1, 65535, &numero))) {
        *error = QStringLiteral("destino inválido: \"%1\" (use HOST[:PUERTO], con puerto de 1 a 65535, o la ruta de un dispositivo)")
                     .arg(texto);
        return false;
    }
    d->serie = false;
    d->host = host;
    d->puerto = static_cast<quint16>(numero);
    if (host.contains(QLatin1Char(':'))) d->texto = f_NombreTCP(host, d->puerto);
    return true;
}

QString f_NombreTCP(const QString& host, quint16 puerto) {
    // An IPv6 address is bracketed, so its colons are not read as the port's.
    const QString h = host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(host) : host;
    return h + QLatin1Char(':') + QString::number(puerto);
}

bool LeerArchivoDestinos(const QString& ruta, QList<Destino>* destinos, QString* error) {
    QByteArray bytes;
    QString motivo;
    if (!Codificacion::LeerArchivo(ruta, &bytes, &motivo)) {
        *error = QStringLiteral("no se puede leer \"%1\": %2").arg(ruta, motivo);
        return false;
    }
    const QStringList lineas = Codificacion::Lineas(Codificacion::Decodificar(bytes).texto);
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QString l = lineas[i].trimmed();
        if (l.isEmpty() || l.startsWith(QLatin1Char('#'))) continue;
        Destino d;
        QString problema;
        if (!LeerDestino(l, &d, &problema)) {
            *error = QStringLiteral("%1, línea %2: %3").arg(ruta).arg(i + 1).arg(problema);
            return false;
        }
        destinos->append(d);
    }
    return true;
}

bool LeerOpciones(const QStringList& args, OpcionesEnvio* o, QString* error) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
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
    if (o->guion.isEmpty()) {
        *error = QStringLiteral("falta el archivo de comandos");
        return false;
    }
    if (o->destinos.isEmpty()) {
        *error = QStringLiteral("falta el destino (--tcp, --serial o --destinos)");
        return false;
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
