#include "Corrida.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
#include "Module1.h"
#include "Trama.h"
#include <QMetaMethod>

namespace {
const QString kPuntosCmd = QStringLiteral(" ") + QString(42, QChar(0x00B7));
const QString kRespuesta = QStringLiteral("Respuesta ") + QString(29, QChar(0x00B7));

bool LeerLineas(const QString& ruta, QStringList* lineas, QString* error) {
    QByteArray bytes;
    QString motivo;
    if (!ArchivoSeguro::Leer(ruta, ArchivoSeguro::kLimiteTemporales, true, &bytes, &motivo)) {
        *error = QStringLiteral("No se pudo leer %1:\r\n%2").arg(ruta, motivo);
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

bool Corrida::CargarArchivos(const Ajustes& ajustes, QString* error) {
    const QString& codigo = ajustes.archCodigo.isEmpty() ? Module1::v_ArchCodigo : ajustes.archCodigo;
    const QString& comandos = ajustes.archComandos.isEmpty() ? Module1::v_ArchComandos : ajustes.archComandos;
    if (!LeerLineas(codigo, &v_Codigo, error)) return false;
    if (!LeerLineas(comandos, &v_Comandos, error)) return false;
    return true;
}

bool Corrida::Iniciar() {
    if (Activa() || !Preparar) return false;
    Ajustes ajustes;
    std::unique_ptr<Enlace> enlace = Preparar(&ajustes);
    if (!enlace) return false;

    QString error;
    if (!CargarArchivos(ajustes, &error)) {
        v_Detenido = true;
        Q_EMIT Avisar({Avisos::Icono::Critico, QStringLiteral("Error de archivo"),
                       error + QStringLiteral("\r\n\r\nNo se transmite nada.")});
        return false;
    }
    v_TrasLREG = false;
    tmr_TimeOut.setInterval(ajustes.timeOut);
    tmr_Delay.setInterval(ajustes.delay > 0 ? ajustes.delay : 0);
    v_Linea = 0;
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
    ProgramarPaso();
}

void Corrida::AlFalloApertura(const QString& titulo, const QString& texto) {
    if (v_Estado != Estado::Abriendo) return;
    // Nothing was read or logged; no loop restart follows a failed opening.
    v_Detenido = true;
    v_Enlace->disconnect(this);
    v_Enlace->Cerrar();
    v_Enlace.release()->deleteLater();
    v_Estado = Estado::Inactivo;
    FijarMarcha(false);
    Q_EMIT Avisar({Avisos::Icono::Critico, titulo, texto});
    Q_EMIT Terminada();
}

void Corrida::ProgramarPaso() {
    // Each frame starts from the event loop, so a long script or an empty one
    // in loop mode never nests calls and the window keeps answering.
    if (v_PasoPendiente) return;
    v_PasoPendiente = true;
    QMetaObject::invokeMethod(
        this, [this] {
            v_PasoPendiente = false;
            Paso();
        },
        Qt::QueuedConnection);
}

void Corrida::Paso() {
    if (v_Estado != Estado::Enviando) return;
    if (v_Linea >= v_Codigo.size()) {
        if (!v_Detenido) {
            Q_EMIT Loguear(QString());
            Q_EMIT Loguear(QString());
            Q_EMIT LogCmd(QStringLiteral("-- Fin de archivo --"));
            Q_EMIT LogCmd(QString());
        }
        Cerrar();
        return;
    }
    if (v_Detenido) {
        Cerrar();
        return;
    }
    QString codigo = v_Codigo.at(v_Linea);
    QString comando = v_Linea < v_Comandos.size() ? v_Comandos.at(v_Linea) : QString();
    ++v_Linea;
    if (AntesDeEnviar) AntesDeEnviar(&codigo, &comando);
    v_LargoResp = f_LargoRespuesta(codigo, &v_TrasLREG);
    if (!v_Enlace->Escribir(f_TramaDeLinea(codigo))) {
        AlCaido(QStringLiteral("Error de comunicación"),
                QStringLiteral("No se pudo enviar la trama por el enlace abierto."));
        return;
    }
    Q_EMIT Loguear(QStringLiteral("> ") + codigo);
    Q_EMIT LogCmd(comando + kPuntosCmd);
    v_Buffer.clear();
    v_Estado = Estado::Esperando;
    v_Enlace->FijarRecepcion(true);
    // A timer of 0 ms never ticks: the wait then ends only on the answer or a stop.
    if (tmr_TimeOut.interval() > 0) tmr_TimeOut.start();
}

void Corrida::AlDatos(const QByteArray& bytes) {
    if (v_Estado != Estado::Esperando) return;
    v_Buffer.append(bytes);
    if (v_Buffer.size() >= v_LargoResp) FinEspera();
}

void Corrida::AlTimeOut() {
    if (v_Estado == Estado::Esperando) FinEspera();
}

void Corrida::FinEspera() {
    if (v_Estado != Estado::Esperando) return;
    tmr_TimeOut.stop();
    if (v_Enlace) v_Enlace->FijarRecepcion(false);
    Q_EMIT EsperaTerminada(v_LargoResp, static_cast<int>(v_Buffer.size()));
    if (!v_Buffer.isEmpty()) {
        if (isSignalConnected(QMetaMethod::fromSignal(&Corrida::LoguearRespuesta)))
            Q_EMIT LoguearRespuesta(v_Buffer);
        else
            Q_EMIT Loguear(QStringLiteral("< ") + f_LineaHex(v_Buffer));
        Q_EMIT LogCmd(kRespuesta);
        v_Buffer.clear();   // a flood's worth of bytes is not kept through the pause
    } else {
        Q_EMIT Loguear(QStringLiteral("- Timeout !!!"));
        Q_EMIT LogCmd(QString());
    }
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
    Q_EMIT Loguear(QString());
    Q_EMIT LogCmd(QStringLiteral("Detenido!"));
    FijarMarcha(false);
    if (v_Estado == Estado::Abriendo) {
        // A connection wait that may be unbounded (timeout 0) must not outlive the stop.
        Cerrar();
        return;
    }
    // The waiting run sees the flag at its next turn, after this click.
    if (v_Estado == Estado::Esperando)
        QMetaObject::invokeMethod(this, &Corrida::FinEspera, Qt::QueuedConnection);
}

void Corrida::AlCaido(const QString& titulo, const QString& texto) {
    if (!Activa() || v_Caido) return;
    v_Caido = true;
    v_AvisoFinal = {Avisos::Icono::Critico, titulo, texto};
    if (!v_Detenido) {
        v_Detenido = true;
        Q_EMIT Loguear(QString());
        Q_EMIT LogCmd(QStringLiteral("Error de comunicación!"));
        FijarMarcha(false);
    }
    switch (v_Estado) {
    case Estado::Esperando: FinEspera(); break;   // logs what came, then closes
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
    if (v_Enlace) {
        v_Enlace->disconnect(this);
        v_Enlace->Cerrar();
        // We may be inside one of its signals.
        v_Enlace.release()->deleteLater();
    }
    v_Estado = Estado::Inactivo;

    if (!v_Detenido && Loop && Loop()) {
        Q_EMIT Loguear(QString());
        Q_EMIT LogCmd(QStringLiteral("Loop ..."));
        if (Iniciar()) return;
        // Refused (the user has been told): the repetition ends here.
    }
    if (v_Caido) Q_EMIT Avisar(v_AvisoFinal);
    Q_EMIT Terminada();
}
