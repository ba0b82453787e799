#include "Opciones.h"
#include "ArchivoDestinos.h"
#include "Consola.h"
#include "Visible.h"
#include "PuertoSerie.h"
#include <QFileInfo>
#include <QSet>
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

// The command file of the run that `ruta` names, if any: the list of failed
// targets or a log written there would replace or spoil it.
QString f_GuionEn(const OpcionesEnvio& o, const QString& ruta) {
    const QString destino = ruta.isEmpty() ? QString() : QFileInfo(ruta).canonicalFilePath();
    if (destino.isEmpty()) return {};
    QSet<QString> vistos;
    auto mismo = [&](const QString& g) {
        if (g.isEmpty() || g == QLatin1String("-") || vistos.contains(g)) return false;
        vistos.insert(g);
        return QFileInfo(g).canonicalFilePath() == destino;
    };
    if (mismo(o.guion)) return o.guion;
    for (const Destino& d : o.destinos)
        if (mismo(d.guion)) return d.guion;
    return {};
}

// A whole number from minimo to maximo, told with its range when refused.
std::function<bool(const QString&, QString*)> Numero(int* campo, int minimo, int maximo, const char* nombre) {
    return [=](const QString& v, QString* error) {
        if (Entero(v, minimo, maximo, campo)) return true;
        *error = QStringLiteral("valor inválido para --%1: \"%2\" (de %3 a %4)")
                     .arg(QLatin1String(nombre), f_Visible(v), QString::number(minimo), QString::number(maximo));
        return false;
    };
}

bool AgregarSerie(OpcionesEnvio* o, const QString& v, QString* error) {
    Destino d;
    QString problema;
    if (!PuertoSerie::Dispositivo(v, &d.dispositivo, &problema)) {
        *error = QStringLiteral("puerto serie inválido: \"%1\" (COM1 a COM8 o la ruta de un dispositivo)").arg(f_Visible(v));
        return false;
    }
    d.texto = f_Visible(v);
    d.crudo = v;
    d.serie = true;
    o->destinos.append(d);
    return true;
}

bool AgregarDestino(OpcionesEnvio* o, const QString& v, QString* error) {
    Destino d;
    if (!LeerDestino(v, &d, error)) return false;
    o->destinos.append(d);
    return true;
}
}   // namespace

std::optional<int> LeerOpciones(const Consola::Herramienta& h, const QStringList& args, OpcionesEnvio* o) {
    const Consola::Opcion tabla[] = {
        {"tcp", 0, true, [o](const QString& v, QString* e) { return AgregarDestino(o, v, e); }},
        {"serial", 0, true, [o](const QString& v, QString* e) { return AgregarSerie(o, v, e); }},
        {"destinos", 0, true,
         [o](const QString& v, QString* e) {
             o->flota = true;
             return LeerArchivoDestinos(v, &o->destinos, e);
         }},
        {"timeout", 0, true, Numero(&o->timeOut, 0, 9999, "timeout")},
        {"delay", 0, true, Numero(&o->delay, 0, 9999, "delay")},
        {"loop", 0, true, Numero(&o->vueltas, 1, 1000000, "loop")},
        {"paralelo", 0, true, Numero(&o->paralelo, 1, 10000, "paralelo")},
        {"log", 0, true, Consola::Texto(&o->log)},
        {"log-dir", 0, true, Consola::Texto(&o->carpetaLogs)},
        {"json", 0, false, Consola::Marca(&o->json)},
        {"hora-actual", 0, false, Consola::Marca(&o->horaActual)},
        {"marcas", 0, false, Consola::Marca(&o->marcas)},
        {"fallidos", 0, true, Consola::Texto(&o->fallidos)},
    };
    QStringList posicionales;
    if (const auto fin = Consola::LeerLinea(h, args, tabla, &posicionales)) return fin;
    const QString herramienta = QLatin1String(h.nombre);
    if (posicionales.size() > 1)
        return Consola::ErrorDeUso(herramienta, QStringLiteral("sobra un argumento: %1").arg(f_Visible(posicionales[1])));
    o->guion = posicionales.value(0);
    if (o->destinos.isEmpty())
        return Consola::ErrorDeUso(herramienta, o->guion.isEmpty() ? QStringLiteral("falta el archivo de comandos")
                                                                   : QStringLiteral("falta el destino (--tcp, --serial o --destinos)"));
    if (o->guion.isEmpty()) {
        for (const Destino& d : o->destinos)
            if (d.guion.isEmpty())
                return Consola::ErrorDeUso(herramienta,
                                           QStringLiteral("falta el archivo de comandos (%1 no nombra uno propio)").arg(d.texto));
    }
    if (o->destinos.size() > 1) o->flota = true;
    const std::pair<const char*, QString> escritos[] = {{"--fallidos", o->fallidos}, {"--log", o->flota ? QString() : o->log}};
    for (const auto& [opcion, ruta] : escritos)
        if (const QString guion = f_GuionEn(*o, ruta); !guion.isEmpty())
            return Consola::ErrorDeUso(herramienta, QStringLiteral("%1 nombra el archivo de comandos \"%2\": elija otro archivo")
                                                        .arg(QLatin1String(opcion), f_Visible(guion)));
    return std::nullopt;
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
