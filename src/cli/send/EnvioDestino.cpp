#include "EnvioDestino.h"
#include "EnlaceSerie.h"
#include "EnlaceRapido.h"
#include "HoraActual.h"
#include "Trama.h"
#include <QTimer>

using namespace EventosCorrida;

namespace {
// A failure on one line: what failed and, if known, why.
QString UnaLinea(const Avisos::Aviso& aviso) {
    return aviso.motivo.isEmpty() ? aviso.hecho : aviso.hecho + QStringLiteral(": ") + aviso.motivo;
}
}   // namespace

EnvioDestino::EnvioDestino(const Destino& destino, const OpcionesEnvio& o, const GuionCompilado& guion,
                           const QString& archivo, const QString& rutaLog, QObject* padre)
    : QObject(padre), v_Destino(destino), v_TimeOut(o.timeOut), v_Delay(o.delay), v_Vueltas(o.vueltas), v_RutaLog(rutaLog), v_ArchCodigo(guion.archCodigo), v_ArchComandos(guion.archComandos), v_Lineas(guion.lineas),
      // With no pause, an answer's log line goes with the next frame's.
      v_Registro(
          v_Corrida, [this] { return v_RutaLog; }, o.delay <= 0) {
    v_Corrida.Preparar = [this](Corrida::Ajustes* a) -> std::unique_ptr<Enlace> {
        a->timeOut = v_TimeOut;
        a->delay = v_Delay;
        a->archCodigo = v_ArchCodigo;
        a->archComandos = v_ArchComandos;
        a->lineas = v_Lineas;
        ++v_Hechas;
        if (v_Destino.serie) return std::make_unique<EnlaceSerie>(v_Destino.texto, v_Destino.dispositivo);
        return f_EnlaceTCPRapido(v_Destino.host, QString::number(v_Destino.puerto));
    };
    v_Corrida.Loop = [this] { return v_Hechas < v_Vueltas; };
    v_Resultado.total = static_cast<qint64>(guion.tramas) * o.vueltas;
    v_Resultado.archivo = archivo;
    if (o.horaActual)
        v_Corrida.AntesDeEnviar = [](QString* codigo, QString* comando) {
            f_ConHoraActual(codigo, comando, QDateTime::currentDateTime());
        };
    connect(&v_Corrida, &Corrida::Respondida, this, &EnvioDestino::AlResponder);
    connect(&v_Corrida, &Corrida::Cortada, this, &EnvioDestino::AlCortar);
    connect(&v_Corrida, &Corrida::PasadaTerminada, this, &EnvioDestino::AlTerminarPasada);
    // Told once, as the window does; the run goes on.
    connect(&v_Registro, &RegistroComm::FalloEscritura, this, [this](const QString& ruta, const QString& motivo) {
        const QString problema = QStringLiteral("no se pudo escribir en %1: %2").arg(ruta, motivo);
        if (v_ProblemaLog.isEmpty()) v_ProblemaLog = problema;
        if (Advertir) Advertir(problema + QStringLiteral(" (la transmisión sigue)"));
    });
    connect(&v_Corrida, &Corrida::Avisar, this, &EnvioDestino::AlAviso);
    connect(&v_Corrida, &Corrida::Terminada, this, &EnvioDestino::AlTerminar);
}

void EnvioDestino::Iniciar() {
    v_Iniciado = true;
    // Only shown exchanges need the frame as it goes: a fleet's summary spares a call per frame.
    if (Mostrar) connect(&v_Corrida, &Corrida::Enviada, this, &EnvioDestino::AlEnviar, Qt::UniqueConnection);
    v_Resultado.inicio = QDateTime::currentDateTime();
    // Refused before opening (unreadable temporary files): told through Avisar.
    if (!v_Corrida.Iniciar()) QTimer::singleShot(0, this, &EnvioDestino::AlTerminar);
}

void EnvioDestino::Detener() {
    if (v_Terminado || v_Resultado.detenido) return;
    v_Resultado.detenido = true;
    if (v_Iniciado) v_Corrida.Detener();
    else
        Clasificar();   // it will never start
}

void EnvioDestino::AlEnviar(const Intercambio& i) {
    Mostrar(i.comando, false);
    Mostrar(QStringLiteral("> ") + i.codigo, false);
}

void EnvioDestino::AlResponder(const Intercambio& i) {
    ++v_Resultado.tramas;
    if (i.respuesta.size() >= i.esperados) ++v_Resultado.respondidas;
    else if (!i.respuesta.isEmpty())
        ++v_Resultado.cortas;
    else
        ++v_Resultado.sinRespuesta;
    if (Mostrar) Mostrar(i.respuesta.isEmpty() ? QStringLiteral("- Timeout !!!") : QStringLiteral("< ") + f_LineaHex(i.respuesta), true);
    if (TramaHecha) TramaHecha();
}

void EnvioDestino::AlCortar(Corte corte) {
    if (Mostrar) Mostrar(corte == Corte::Detenida ? QStringLiteral("Detenido!") : QStringLiteral("Error de comunicación!"), true);
}

void EnvioDestino::AlTerminarPasada(const Fin& fin) {
    if (!Mostrar) return;
    if (fin.motivo == Motivo::FinArchivo) Mostrar(QStringLiteral("-- Fin de archivo --"), true);
    if (fin.otraVuelta) Mostrar(QStringLiteral("Loop ..."), true);
}

void EnvioDestino::AlAviso(const Avisos::Aviso& aviso) {
    v_Resultado.tipo = ResultadoDestino::Tipo::Error;
    v_Resultado.mensaje = UnaLinea(aviso);
    v_Resultado.falla = aviso.hecho;
    v_Resultado.motivo = aviso.motivo;
}

void EnvioDestino::AlTerminar() {
    v_Terminado = true;
    if (v_Iniciado) v_Resultado.fin = QDateTime::currentDateTime();
    Clasificar();
    Q_EMIT Terminado();
}

void EnvioDestino::Clasificar() {
    using Tipo = ResultadoDestino::Tipo;
    ResultadoDestino& r = v_Resultado;
    QStringList notas;
    if (r.tipo == Tipo::Error) {
        notas << r.mensaje;
    } else if (r.detenido) {
        r.tipo = Tipo::Detenido;
        notas << QStringLiteral("%1 de %2 tramas enviadas").arg(r.tramas).arg(r.total);
    } else if (!v_ProblemaLog.isEmpty()) {
        r.tipo = Tipo::SinRegistro;
    } else if (r.respondidas < r.tramas) {
        r.tipo = Tipo::SinRespuesta;
    }
    if (r.tipo == Tipo::SinRespuesta || (r.tipo == Tipo::SinRegistro && r.respondidas < r.tramas))
        notas << QStringLiteral("%1 respuestas cortas, %2 sin respuesta").arg(r.cortas).arg(r.sinRespuesta);
    // A lost log line is said whatever else happened: the log is not whole.
    if (!v_ProblemaLog.isEmpty()) notas << v_ProblemaLog;
    r.mensaje = notas.join(QStringLiteral("; "));
}
