#include "Resumen.h"
#include <QJsonArray>
#include <QJsonDocument>
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

// A JSON string with its quotes, escaped as JSON wants.
QString Cadena(const QString& texto) {
    const QString arreglo = QString::fromUtf8(QJsonDocument(QJsonArray{texto}).toJson(QJsonDocument::Compact));
    return arreglo.mid(1, arreglo.size() - 2);
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
        if (!r.mensaje.isEmpty()) resultado += QStringLiteral(" (") + r.mensaje + QLatin1Char(')');
        filas.append({e->ElDestino().texto, QString::number(r.tramas), QString::number(r.respondidas),
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
        destinos << QStringLiteral(
                        "{\"destino\": %1, \"tramas\": %2, \"respondidas\": %3, \"cortas\": %4, "
                        "\"sin_respuesta\": %5, \"resultado\": \"%6\", \"mensaje\": %7}")
                        .arg(Cadena(e->ElDestino().texto))
                        .arg(r.tramas)
                        .arg(r.respondidas)
                        .arg(r.cortas)
                        .arg(r.sinRespuesta)
                        .arg(QLatin1String(Nombre(r.tipo).json), Cadena(r.mensaje));
    }
    return QStringLiteral("{\"destinos\": [") + destinos.join(QStringLiteral(", ")) + QStringLiteral("]}\n");
}
