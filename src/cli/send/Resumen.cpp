#include "Resumen.h"
#include "Visible.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {
struct NombreResultado {
    ResultadoDestino::Tipo tipo;
    const char* tabla;
    const char* json;
    int salida;
};
constexpr NombreResultado kNombres[] = {
    {ResultadoDestino::Tipo::Ok, "ok", "ok", 0},
    {ResultadoDestino::Tipo::SinRespuesta, "sin respuesta", "timeout", 3},
    {ResultadoDestino::Tipo::SinRegistro, "sin registro", "sin registro", 3},
    // The process ends with 130 when stopped; a stopped target adds nothing to it.
    {ResultadoDestino::Tipo::Detenido, "detenido", "detenido", 0},
    {ResultadoDestino::Tipo::Error, "error de enlace", "error", 4},
};

// A JSON string with its quotes, escaped as JSON wants. Most texts (names,
// paths, messages) need no escape: they are only quoted, which with a
// thousand clocks spares most of the summary's time.
QString Cadena(const QString& texto) {
    const bool tal = std::all_of(texto.cbegin(), texto.cend(), [](QChar c) {
        return c.unicode() >= 0x20 && c != QLatin1Char('"') && c != QLatin1Char('\\') && !c.isSurrogate();
    });
    if (tal) return QLatin1Char('"') + texto + QLatin1Char('"');
    const QString arreglo = QString::fromUtf8(QJsonDocument(QJsonArray{texto}).toJson(QJsonDocument::Compact));
    return arreglo.mid(1, arreglo.size() - 2);
}

// ISO 8601 in local time with its offset from UTC; null when it never happened.
// Put together from its parts: Qt's formatting cost more than the rest of a clock's summary.
QString Momento(const QDateTime& t) {
    if (!t.isValid()) return QStringLiteral("null");
    // Written out, so that UTC reads "+00:00" like every other offset.
    const int minutos = t.offsetFromUtc() / 60;
    const QDate d = t.date();
    const QTime h = t.time();
    char texto[48];
    std::snprintf(texto, sizeof texto, "\"%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d\"", d.year(), d.month(), d.day(), h.hour(),
                  h.minute(), h.second(), h.msec(), minutos < 0 ? '-' : '+', qAbs(minutos) / 60, qAbs(minutos) % 60);
    return QString::fromLatin1(texto);
}

const NombreResultado& Nombre(ResultadoDestino::Tipo t) {
    for (const auto& n : kNombres)
        if (n.tipo == t) return n;
    return kNombres[std::size(kNombres) - 1];
}
}   // namespace

int f_EstadoSalida(const ResultadoDestino& r) { return Nombre(r.tipo).salida; }

QString f_ResumenTabla(const std::vector<EnvioDestino*>& envios) {
    const QStringList titulos = {QStringLiteral("destino"), QStringLiteral("enviadas"), QStringLiteral("respondidas"),
                                 QStringLiteral("cortas"), QStringLiteral("sin respuesta"), QStringLiteral("resultado")};
    QList<QStringList> filas{titulos};
    for (const EnvioDestino* e : envios) {
        const ResultadoDestino& r = e->Resultado();
        QString resultado = QString::fromUtf8(Nombre(r.tipo).tabla);
        if (!r.mensaje.isEmpty()) resultado += QStringLiteral(" (") + f_Visible(r.mensaje) + QLatin1Char(')');
        filas.append({e->ElDestino().texto, QStringLiteral("%1 de %2").arg(r.tramas).arg(r.total), QString::number(r.respondidas),
                      QString::number(r.cortas), QString::number(r.sinRespuesta), resultado});
    }
    QList<qsizetype> ancho(titulos.size() - 1, 0);
    for (const QStringList& f : filas)
        for (qsizetype c = 0; c < ancho.size(); ++c) ancho[c] = qMax(ancho[c], f[c].size());
    QString texto;
    for (const QStringList& f : filas) {
        texto += f[0].leftJustified(ancho[0]);
        for (qsizetype c = 1; c < ancho.size(); ++c) texto += QStringLiteral("  ") + f[c].rightJustified(ancho[c]);
        texto += QStringLiteral("  ") + f.last() + QLatin1Char('\n');
    }
    return texto;
}

QString f_ResumenJSON(const std::vector<EnvioDestino*>& envios) {
    // Written by hand so the keys keep this order.
    QStringList destinos;
    for (const EnvioDestino* e : envios) {
        const ResultadoDestino& r = e->Resultado();
        const QString ms = r.inicio.isValid() && r.fin.isValid() ? QString::number(r.inicio.msecsTo(r.fin)) : QStringLiteral("null");
        destinos << QStringLiteral(
                        "{\"destino\": %1, \"archivo\": %2, \"tramas\": %3, \"total\": %4, \"respondidas\": %5, "
                        "\"cortas\": %6, \"sin_respuesta\": %7, \"resultado\": \"%8\", \"mensaje\": %9, "
                        "\"inicio\": %10, \"fin\": %11, \"ms\": %12}")
                        // One pass: a '%' in a name is never taken for a place holder.
                        .arg(Cadena(e->ElDestino().texto), Cadena(r.archivo), QString::number(r.tramas),
                             QString::number(r.total), QString::number(r.respondidas), QString::number(r.cortas),
                             QString::number(r.sinRespuesta), QLatin1String(Nombre(r.tipo).json), Cadena(r.mensaje),
                             Momento(r.inicio), Momento(r.fin), ms);
    }
    return QStringLiteral("{\"destinos\": [") + destinos.join(QStringLiteral(", ")) + QStringLiteral("]}\n");
}
