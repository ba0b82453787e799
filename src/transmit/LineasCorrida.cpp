#include "LineasCorrida.h"
#include "Trama.h"
#include <QMetaMethod>

using namespace EventosCorrida;

const QString LineasCorrida::kPuntosCmd = QStringLiteral(" ") + QString(42, QChar(0x00B7));
const QString LineasCorrida::kRespuesta = QStringLiteral("Respuesta ") + QString(29, QChar(0x00B7));

LineasCorrida::LineasCorrida(Corrida& corrida, QObject* padre, bool antesDeEnviar)
    : QObject(padre) {
    connect(&corrida, antesDeEnviar ? &Corrida::PorEnviar : &Corrida::Enviada, this, &LineasCorrida::AlEnviar);
    connect(&corrida, &Corrida::Respondida, this, &LineasCorrida::AlResponder);
    connect(&corrida, &Corrida::Cortada, this, &LineasCorrida::AlCortar);
    connect(&corrida, &Corrida::PasadaTerminada, this, &LineasCorrida::AlTerminarPasada);
}

void LineasCorrida::connectNotify(const QMetaMethod&) { Conectados(); }
void LineasCorrida::disconnectNotify(const QMetaMethod&) { Conectados(); }

void LineasCorrida::Conectados() {
    v_ConLogCmd = isSignalConnected(QMetaMethod::fromSignal(&LineasCorrida::LogCmd));
    v_ConRespuesta = isSignalConnected(QMetaMethod::fromSignal(&LineasCorrida::LoguearRespuesta));
}

void LineasCorrida::AlEnviar(const Intercambio& i) {
    Q_EMIT Loguear(QStringLiteral("> ") + i.codigo);
    // Comm.log alone (orvo-send) has no command list: no line built per frame for nobody.
    if (v_ConLogCmd) Q_EMIT LogCmd(i.comando + kPuntosCmd);
}

void LineasCorrida::AlResponder(const Intercambio& i) {
    // Whatever came is an answer, also a short one or one cut by a stop.
    if (i.respuesta.isEmpty()) {
        Q_EMIT Loguear(QStringLiteral("- Timeout !!!"));
        Q_EMIT LogCmd(QString());
        return;
    }
    if (v_ConRespuesta)
        Q_EMIT LoguearRespuesta(i.respuesta);
    else
        Q_EMIT Loguear(QStringLiteral("< ") + f_LineaHex(i.respuesta));
    if (v_ConLogCmd) Q_EMIT LogCmd(kRespuesta);
}

void LineasCorrida::AlCortar(Corte corte) {
    Q_EMIT Loguear(QString());
    Q_EMIT LogCmd(corte == Corte::Detenida ? QStringLiteral("Detenido!") : QStringLiteral("Error de comunicación!"));
}

void LineasCorrida::AlTerminarPasada(const Fin& fin) {
    if (fin.motivo == Motivo::FinArchivo) {
        Q_EMIT Loguear(QString());
        Q_EMIT Loguear(QString());
        Q_EMIT LogCmd(QStringLiteral("-- Fin de archivo --"));
        Q_EMIT LogCmd(QString());
    }
    if (fin.otraVuelta) {
        Q_EMIT Loguear(QString());
        Q_EMIT LogCmd(QStringLiteral("Loop ..."));
    }
}
