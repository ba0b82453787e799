#include "Corrida.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
#include "Module1.h"
#include "Trama.h"
#include <QCoreApplication>
#include <QEvent>

using namespace EventosCorrida;

namespace {
const QEvent::Type kEventoPaso = static_cast<QEvent::Type>(QEvent::registerEventType());

// *hecho names the file that failed, *motivo says why.
bool LeerLineas(const QString& ruta, QStringList* lineas, QString* hecho, QString* motivo) {
    QByteArray bytes;
    if (!ArchivoSeguro::Leer(ruta, ArchivoSeguro::kLimiteTemporales, true, &bytes, motivo)) {
        *hecho = QStringLiteral("No se pudo leer ") + ruta;
        return false;
    }
    *lineas = Codificacion::Lineas(Codificacion::Decodificar(bytes).texto);
    return true;
}
}   // namespace

Corrida::Corrida(QObject* padre) : QObject(padre) {
    tmr_TimeOut.setSingleShot(true);
    tmr_Delay.setSingleShot(true);
    connect(&tmr_TimeOut, &QTimer::timeout, this, &Corrida::AlTimeOut);
    connect(&tmr_Delay, &QTimer::timeout, this, &Corrida::AlDelay);
}

Corrida::~Corrida() {
    if (v_Enlace) {
        v_Enlace->disconnect(this);
        v_Enlace->Cerrar();
    }
}

bool Corrida::LeerArchivos(const QString& codigo, const QString& comandos, Lineas* lineas, QString* hecho, QString* motivo) {
    return LeerLineas(codigo, &lineas->codigo, hecho, motivo) && LeerLineas(comandos, &lineas->comandos, hecho, motivo);
}

bool Corrida::CargarArchivos(const Ajustes& ajustes, QString* hecho, QString* motivo) {
    Lineas leidas;
    if (!ajustes.lineas) {
        const QString& codigo = ajustes.archCodigo.isEmpty() ? Module1::v_ArchCodigo : ajustes.archCodigo;
        const QString& comandos = ajustes.archComandos.isEmpty() ? Module1::v_ArchComandos : ajustes.archComandos;
        if (!LeerArchivos(codigo, comandos, &leidas, hecho, motivo)) return false;
    }
    const Lineas& l = ajustes.lineas ? *ajustes.lineas : leidas;
    v_Codigo = l.codigo;   // shared, not copied
    v_Comandos = l.comandos;
    v_Tramas = l.tramas;
    return true;
}

bool Corrida::Iniciar() {
    if (Activa() || !Preparar) return false;
    Ajustes ajustes;
    std::unique_ptr<Enlace> enlace = Preparar(&ajustes);
    if (!enlace) return false;

    QString hecho, motivo;
    if (!CargarArchivos(ajustes, &hecho, &motivo)) {
        v_Detenido = true;
        Q_EMIT Avisar({Avisos::Icono::Critico, QStringLiteral("Error de archivo"),
                       hecho + QStringLiteral(":\r\n") + motivo + QStringLiteral("\r\n\r\nNo se transmite nada."), hecho,
                       motivo});
        return false;
    }
    v_TrasLREG = false;
    v_Espera = ajustes.timeOut;
    tmr_Delay.setInterval(ajustes.delay > 0 ? ajustes.delay : 0);
    v_Linea = 0;
    v_Total = v_Codigo.size();
    v_FinArchivo = false;
    v_Caido = false;
    v_AvisoFinal = {};
    v_Detenido = false;
    v_Estado = Estado::Abriendo;
    FijarMarcha(true);

    v_Enlace = std::move(enlace);
    connect(v_Enlace.get(), &Enlace::Abierto, this, &Corrida::AlAbrir);
    connect(v_Enlace.get(), &Enlace::FalloApertura, this, &Corrida::AlFalloApertura);
    connect(v_Enlace.get(), &Enlace::DatosRecibidos, this, &Corrida::AlDatos);
    connect(v_Enlace.get(), &Enlace::Caido, this, &Corrida::AlCaido);
    v_Enlace->FijarRecepcion(false);
    v_Enlace->Abrir(ajustes.timeOut);
    return true;
}

void Corrida::FijarMarcha(bool enMarcha) {
    if (v_Marcha == enMarcha) return;
    v_Marcha = enMarcha;
    Q_EMIT CambioMarcha(enMarcha);
}

void Corrida::AlAbrir() {
    if (v_Estado != Estado::Abriendo) return;
    v_Estado = Estado::Enviando;
    Q_EMIT Comenzada();
    ProgramarPaso();
}

void Corrida::AlFalloApertura(const QString& titulo, const QString& texto, const QString& hecho,
                              const QString& motivo) {
    if (v_Estado != Estado::Abriendo) return;
    // Nothing was read or logged; no loop restart follows a failed opening.
    v_Detenido = true;
    v_Enlace->disconnect(this);
    v_Enlace->Cerrar();
    v_Enlace.release()->deleteLater();
    v_Estado = Estado::Inactivo;
    FijarMarcha(false);
    const Avisos::Aviso aviso{Avisos::Icono::Critico, titulo, texto, hecho.isEmpty() ? texto : hecho, motivo};
    Q_EMIT PasadaTerminada({Motivo::NoAbierta, false, 0, v_Total, aviso});
    Q_EMIT Avisar(aviso);
    Q_EMIT Terminada();
}

void Corrida::ProgramarPaso() {
    // Each frame starts from the event loop, so a long script or an empty one
    // in loop mode never nests calls and the window keeps answering.
    // A plain event: a queued call would allocate its function object too, per frame.
    if (v_PasoPendiente) return;
    v_PasoPendiente = true;
    QCoreApplication::postEvent(this, new QEvent(kEventoPaso));
}

bool Corrida::event(QEvent* e) {
    if (e->type() != kEventoPaso) return QObject::event(e);
    v_PasoPendiente = false;
    Paso();
    return true;
}

void Corrida::Paso() {
    if (v_Estado != Estado::Enviando) return;
    if (v_Linea >= v_Codigo.size()) {
        v_FinArchivo = !v_Detenido;
        Cerrar();
        return;
    }
    if (v_Detenido) {
        Cerrar();
        return;
    }
    v_Actual = {};
    v_Actual.linea = v_Linea;
    v_Actual.codigo = v_Codigo.at(v_Linea);
    v_Actual.comando = v_Linea < v_Comandos.size() ? v_Comandos.at(v_Linea) : QString();
    ++v_Linea;
    if (AntesDeEnviar) AntesDeEnviar(&v_Actual.codigo, &v_Actual.comando);
    v_Actual.esperados = f_LargoRespuesta(v_Actual.codigo, &v_TrasLREG);
    // A line rewritten just before it goes is read again.
    v_Actual.trama = v_Actual.linea < v_Tramas.size() && !AntesDeEnviar ? v_Tramas.at(v_Actual.linea) : f_TramaDeLinea(v_Actual.codigo);
    Q_EMIT PorEnviar(v_Actual);
    if (!v_Enlace->Escribir(v_Actual.trama)) {
        const QString hecho = QStringLiteral("No se pudo enviar la trama por el enlace abierto.");
        AlCaido(QStringLiteral("Error de comunicación"), hecho, hecho, QString());
        return;
    }
    Q_EMIT Enviada(v_Actual);
    v_Estado = Estado::Esperando;
    v_Enlace->FijarRecepcion(true);
    // A timer of 0 ms never ticks: the wait then ends only on the answer or a stop.
    if (v_Espera > 0) {
        v_Plazo.setRemainingTime(v_Espera);
        // Left running from frame to frame (see AlTimeOut): starting and
        // stopping a timer per frame cost more than the frame with many clocks.
        if (!tmr_TimeOut.isActive()) tmr_TimeOut.start(v_Espera);
    }
}

void Corrida::AlDatos(const QByteArray& bytes) {
    if (v_Estado != Estado::Esperando) return;
    // The first piece is shared, not copied: a usual answer comes whole.
    if (v_Actual.respuesta.isEmpty()) v_Actual.respuesta = bytes;
    else
        v_Actual.respuesta.append(bytes);
    if (v_Actual.respuesta.size() >= v_Actual.esperados) FinEspera(Desenlace::Respondida);
}

void Corrida::AlTimeOut() {
    // Started for an earlier frame, the timer ticks before this wait ends:
    // it then waits again for what is left.
    if (v_Estado != Estado::Esperando) return;
    const qint64 falta = v_Plazo.remainingTime();
    if (falta > 0) tmr_TimeOut.start(static_cast<int>(falta));
    else
        FinEspera(Desenlace::SinRespuesta);
}

void Corrida::FinEspera(Desenlace porque) {
    if (v_Estado != Estado::Esperando) return;
    if (v_Enlace) v_Enlace->FijarRecepcion(false);
    const bool completa = v_Actual.respuesta.size() >= v_Actual.esperados;
    if (completa) porque = Desenlace::Respondida;
    else if (porque == Desenlace::SinRespuesta && !v_Actual.respuesta.isEmpty())
        porque = Desenlace::Corta;
    v_Actual.desenlace = porque;
    Q_EMIT Respondida(v_Actual);
    v_Actual.respuesta = QByteArray();   // a flood's worth of bytes is not kept through the pause
    if (tmr_Delay.interval() != 0 && !v_Caido) {
        v_Estado = Estado::Pausando;
        tmr_Delay.start();
        return;
    }
    v_Estado = Estado::Enviando;
    if (v_Caido) Cerrar();
    else
        ProgramarPaso();
}

void Corrida::AlDelay() {
    if (v_Estado != Estado::Pausando) return;
    v_Estado = Estado::Enviando;
    ProgramarPaso();
}

void Corrida::Detener() {
    if (!EnMarcha()) return;
    v_Detenido = true;
    Q_EMIT Cortada(Corte::Detenida);
    FijarMarcha(false);
    if (v_Estado == Estado::Abriendo) {
        // A connection wait that may be unbounded (timeout 0) must not outlive the stop.
        Cerrar();
        return;
    }
    // The waiting run sees the flag at its next turn, after this click.
    if (v_Estado == Estado::Esperando)
        QMetaObject::invokeMethod(
            this, [this] { FinEspera(Desenlace::Detenida); }, Qt::QueuedConnection);
}

void Corrida::AlCaido(const QString& titulo, const QString& texto, const QString& hecho, const QString& motivo) {
    if (!Activa() || v_Caido) return;
    v_Caido = true;
    v_AvisoFinal = {Avisos::Icono::Critico, titulo, texto, hecho.isEmpty() ? texto : hecho, motivo};
    if (!v_Detenido) {
        v_Detenido = true;
        Q_EMIT Cortada(Corte::EnlacePerdido);
        FijarMarcha(false);
    }
    switch (v_Estado) {
    case Estado::Esperando: FinEspera(Desenlace::EnlacePerdido); break;   // reports what came, then closes
    case Estado::Pausando:
        tmr_Delay.stop();
        Cerrar();
        break;
    case Estado::Abriendo:
    case Estado::Enviando: Cerrar(); break;
    default: break;
    }
}

void Corrida::Cerrar() {
    if (v_Estado == Estado::Inactivo || v_Estado == Estado::Cerrando) return;
    v_Estado = Estado::Cerrando;
    tmr_TimeOut.stop();
    tmr_Delay.stop();
    FijarMarcha(false);
    v_Codigo.clear();
    v_Comandos.clear();
    v_Tramas.clear();
    if (v_Enlace) {
        v_Enlace->disconnect(this);
        v_Enlace->Cerrar();
        // We may be inside one of its signals.
        v_Enlace.release()->deleteLater();
    }
    v_Estado = Estado::Inactivo;

    Fin fin;
    fin.motivo = v_Caido ? Motivo::EnlacePerdido : v_FinArchivo ? Motivo::FinArchivo
                                                                : Motivo::Detenida;
    fin.enviadas = v_Linea;
    fin.total = v_Total;
    if (v_Caido) fin.falla = v_AvisoFinal;
    fin.otraVuelta = !v_Detenido && Loop && Loop();
    Q_EMIT PasadaTerminada(fin);
    // Refused (the user has been told): the repetition ends here.
    if (fin.otraVuelta && Iniciar()) return;
    if (v_Caido) Q_EMIT Avisar(v_AvisoFinal);
    Q_EMIT Terminada();
}
