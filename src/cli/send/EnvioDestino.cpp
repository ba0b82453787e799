#include "EnvioDestino.h"
#include "ArchivoLog.h"
#include "EnlaceSerie.h"
#include "EnlaceTCP.h"
#include "HoraActual.h"
#include <QTimer>

namespace {
// The run decorates the command list with these; stdout gets the bare texts.
const QString kPuntosCmd = QStringLiteral(" ") + QString(42, QChar(0x00B7));
const QString kRespuesta = QStringLiteral("Respuesta ") + QString(29, QChar(0x00B7));

QString UnaLinea(const QString& texto) {
    QString t = texto.trimmed();
    t.replace(QStringLiteral("\r\n\r\n"), QStringLiteral(": "));
    t.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    // "puerto X:" followed by its reason must not read "X::".
    t.replace(QStringLiteral(":: "), QStringLiteral(": "));
    return t;
}
}   // namespace

EnvioDestino::EnvioDestino(const Destino& destino, const OpcionesEnvio& o, const GuionCompilado& guion,
                           const QString& archivo, const QString& rutaLog, QObject* padre)
    : QObject(padre), v_Destino(destino), v_TimeOut(o.timeOut), v_Delay(o.delay), v_Vueltas(o.vueltas), v_RutaLog(rutaLog), v_ArchCodigo(guion.archCodigo), v_ArchComandos(guion.archComandos) {
    v_Resultado.total = guion.tramas * o.vueltas;
    v_Resultado.archivo = archivo;
    v_Corrida.Preparar = [this](Corrida::Ajustes* a) -> std::unique_ptr<Enlace> {
        a->timeOut = v_TimeOut;
        a->delay = v_Delay;
        a->archCodigo = v_ArchCodigo;
        a->archComandos = v_ArchComandos;
        ++v_Hechas;
        if (v_Destino.serie) return std::make_unique<EnlaceSerie>(v_Destino.texto, v_Destino.dispositivo);
        return std::make_unique<EnlaceTCP>(v_Destino.host, QString::number(v_Destino.puerto));
    };
    v_Corrida.Loop = [this] { return v_Hechas < v_Vueltas; };
    if (o.horaActual)
        v_Corrida.AntesDeEnviar = [](QString* codigo, QString* comando) {
            f_ConHoraActual(codigo, comando, QDateTime::currentDateTime());
        };
    connect(&v_Corrida, &Corrida::Loguear, this, &EnvioDestino::AlLoguear);
    connect(&v_Corrida, &Corrida::LogCmd, this, &EnvioDestino::AlLogCmd);
    connect(&v_Corrida, &Corrida::EsperaTerminada, this, &EnvioDestino::AlEspera);
    connect(&v_Corrida, &Corrida::Avisar, this, &EnvioDestino::AlAviso);
    connect(&v_Corrida, &Corrida::Terminada, this, &EnvioDestino::AlTerminar);
}

void EnvioDestino::Iniciar() {
    v_Iniciado = true;
    v_Resultado.inicio = QDateTime::currentDateTime();
    // Refused before opening (unreadable temporary files): told through Avisar.
    if (!v_Corrida.Iniciar()) QTimer::singleShot(0, this, &EnvioDestino::AlTerminar);
}

void EnvioDestino::Detener() {
    v_Resultado.detenido = true;
    if (!v_Iniciado) {
        v_Resultado.tipo = ResultadoDestino::Tipo::Error;
        v_Resultado.mensaje = QStringLiteral("Detenido antes de empezar");
        return;
    }
    v_Corrida.Detener();
}

void EnvioDestino::AlLoguear(const QString& linea) {
    QString error;
    if (ArchivoLog::Agregar(v_RutaLog, linea, &error)) {
        v_AvisadoLog = false;
    } else if (!v_AvisadoLog) {
        // Told once, as the window does; the run goes on.
        v_AvisadoLog = true;
        if (Advertir) Advertir(UnaLinea(error) + QStringLiteral(" (la transmisión sigue)"));
    }
    if (linea.startsWith(QLatin1String("> "))) v_TramaPendiente = linea;
    else if (!linea.isEmpty() && Mostrar)
        Mostrar(linea);
}

void EnvioDestino::AlLogCmd(const QString& linea) {
    if (!Mostrar) return;
    if (linea == kRespuesta) return;   // the answer itself is shown from the log line
    if (linea.endsWith(kPuntosCmd)) {
        // The frame was logged just before its command: show the command first.
        Mostrar(linea.chopped(kPuntosCmd.size()));
        Mostrar(v_TramaPendiente);
        v_TramaPendiente.clear();
        return;
    }
    if (!linea.isEmpty()) Mostrar(linea);
}

void EnvioDestino::AlEspera(int esperados, int recibidos) {
    ++v_Resultado.tramas;
    if (recibidos >= esperados) ++v_Resultado.respondidas;
    else if (recibidos > 0)
        ++v_Resultado.cortas;
    else
        ++v_Resultado.sinRespuesta;
    Q_EMIT TramaHecha();
}

void EnvioDestino::AlAviso(const Avisos::Aviso& aviso) {
    v_Resultado.tipo = ResultadoDestino::Tipo::Error;
    // What failed, then the reason; a third paragraph, if any, is advice
    // meant for the window (its port list) and is left out here.
    const QStringList partes = aviso.texto.split(QStringLiteral("\r\n\r\n"));
    QString falla = UnaLinea(partes.value(0));
    while (falla.endsWith(QLatin1Char(':'))) falla.chop(1);
    v_Resultado.falla = falla;
    v_Resultado.motivo = UnaLinea(partes.value(1));
    v_Resultado.mensaje = v_Resultado.motivo.isEmpty() ? falla : falla + QStringLiteral(": ") + v_Resultado.motivo;
}

void EnvioDestino::AlTerminar() {
    if (v_Iniciado) v_Resultado.fin = QDateTime::currentDateTime();
    if (v_Resultado.tipo != ResultadoDestino::Tipo::Error && v_Resultado.respondidas < v_Resultado.tramas) {
        v_Resultado.tipo = ResultadoDestino::Tipo::SinRespuesta;
        v_Resultado.mensaje = QStringLiteral("%1 respuestas cortas, %2 sin respuesta")
                                  .arg(v_Resultado.cortas)
                                  .arg(v_Resultado.sinRespuesta);
    }
    if (v_Resultado.detenido && v_Resultado.mensaje.isEmpty()) v_Resultado.mensaje = QStringLiteral("Detenido");
    Q_EMIT Terminado();
}
