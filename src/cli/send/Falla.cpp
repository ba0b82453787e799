#include "Falla.h"
#include "Visible.h"
#include <QFileInfo>

namespace {
// A sentence's piece: lower case first letter, no full stop of its own.
QString Pieza(const QString& texto) {
    QString t = texto.simplified();   // the window's advice may span lines
    while (t.endsWith(QLatin1Char('.'))) t.chop(1);
    return t.isEmpty() ? t : t.left(1).toLower() + t.mid(1);
}

// The link was open and failed later: frames may have reached the clock.
bool f_Perdido(const ResultadoDestino& r) { return r.falla.startsWith(u"Se perdió"); }

QString Consejo(const Destino& d, const ResultadoDestino& r) {
    if (d.serie && f_Perdido(r))
        return QStringLiteral("compruebe el cable y el adaptador y vuelva a enviarle el archivo");
    if (d.serie) {
        const QFileInfo info(d.dispositivo);
        if (info.exists() && !(info.isReadable() && info.isWritable()))
            return QStringLiteral(
                "agregue su usuario al grupo dueño del dispositivo (sudo usermod -aG dialout $USER) "
                "y vuelva a iniciar la sesión");
        return QStringLiteral("compruebe el cable y el adaptador, cierre otro programa que use el puerto y vuelva a intentarlo");
    }
    if (f_Perdido(r))
        return QStringLiteral("compruebe la red y el reloj y vuelva a enviarle el archivo");
    return QStringLiteral("compruebe la dirección y el puerto, y que el reloj esté encendido y conectado a la red");
}
}   // namespace

QString f_FraseFalla(const Destino& d, const ResultadoDestino& r) {
    if (r.detenido) return {};
    switch (r.tipo) {
    case ResultadoDestino::Tipo::Ok:
    case ResultadoDestino::Tipo::Detenido: return {};
    case ResultadoDestino::Tipo::SinRespuesta:
        return QStringLiteral(
                   "%1: %2 de %3 tramas quedaron sin su respuesta completa (%4 cortas, %5 sin respuesta); "
                   "compruebe el número de reloj del archivo y el cable, o aumente --timeout.")
            .arg(d.texto, QString::number(r.cortas + r.sinRespuesta), QString::number(r.tramas),
                 QString::number(r.cortas), QString::number(r.sinRespuesta));
    case ResultadoDestino::Tipo::SinRegistro:
        return QStringLiteral(
                   "%1: su registro quedó incompleto (%2); compruebe la ruta del registro y vuelva a "
                   "enviarle el archivo si necesita el registro entero.")
            .arg(d.texto, Pieza(r.mensaje));
    case ResultadoDestino::Tipo::Error: break;
    }
    // An adapter pulled out mid-run is gone too, but its port was opened.
    if (d.serie && !f_Perdido(r) && !QFileInfo(d.dispositivo).exists())
        return QStringLiteral(
                   "%1: no se pudo abrir el puerto serie porque el dispositivo %2 no existe; conecte el "
                   "adaptador y busque su nombre con ls /dev/serial/by-id/.")
            .arg(d.texto, f_Visible(d.dispositivo));
    const QString motivo = r.motivo.isEmpty() ? QString() : QStringLiteral(" (") + Pieza(r.motivo) + QLatin1Char(')');
    return QStringLiteral("%1: %2%3; %4.").arg(d.texto, Pieza(r.falla.isEmpty() ? r.mensaje : r.falla), motivo, Consejo(d, r));
}
