#include "Destino.h"
#include "DispositivoSerie.h"
#include "Visible.h"
#include <algorithm>

namespace {
bool Puerto(const QString& texto, int* numero) {
    bool ok = false;
    const int v = texto.toInt(&ok);
    if (!ok || v < 1 || v > 65535) return false;
    *numero = v;
    return true;
}
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
    if (hostMalo || (conPuerto && !Puerto(puerto, &numero))) {
        *error = QStringLiteral("destino inválido: \"%1\" (use HOST[:PUERTO], con puerto de 1 a 65535, o la ruta de un dispositivo)")
                     .arg(f_Visible(texto));
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
