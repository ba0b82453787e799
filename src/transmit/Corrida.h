#pragma once
#include "Aviso.h"
#include "Enlace.h"
#include "EventosCorrida.h"
#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

// One transmission run as a state machine on timers and link signals: read
// the code lines, send each frame, await its answer or the timeout, pause,
// go on; loop mode and stop. It reports typed events (EventosCorrida.h);
// the window, Comm.log and orvo-send word them; tests drive it without a
// window.
class Corrida : public QObject {
    Q_OBJECT
public:
    enum class Estado { Inactivo,
                        Abriendo,
                        Enviando,
                        Esperando,
                        Pausando,
                        Cerrando };

    // A script's code lines and command lines, as a start reads them from its two files.
    struct Lineas {
        QStringList codigo, comandos;
        // Each code line's frame, when worked out once for many runs
        // (orvo-send's clocks share a script); empty: built per frame.
        QList<QByteArray> tramas;
    };

    struct Ajustes {
        int timeOut = 0;   // answer timeout and connection wait, ms; 0: no bound
        int delay = 0;     // pause after each answer, ms; 0: none
        // The run's input; empty: the temporary files named in Module1.
        QString archCodigo, archComandos;
        // Already read: the files are not read again. orvo-send reads each
        // script once for all the clocks it goes to.
        std::shared_ptr<const Lineas> lineas;
    };

    // Reads the two files as a start does; false with the file that failed
    // in *hecho and the reason in *motivo.
    static bool LeerArchivos(const QString& codigo, const QString& comandos, Lineas* lineas, QString* hecho, QString* motivo);

    // The start step of every run (click or loop restart): writes the
    // configuration, reads the fields into the settings and makes the link.
    // Returns null when it refuses (the user has been told).
    std::function<std::unique_ptr<Enlace>(Ajustes*)> Preparar;
    // Whether loop mode is on, read at the end of each run.
    std::function<bool()> Loop;
    // Called with each code line and its command line just before the frame
    // is built and sent; may rewrite both (what is sent is what is logged).
    std::function<void(QString* codigo, QString* comando)> AntesDeEnviar;

    explicit Corrida(QObject* padre = nullptr);
    ~Corrida() override;

    // As a click on "&Iniciar"; false when no run started (the user has
    // been told why; Terminada is not emitted then).
    bool Iniciar();
    // As a click on "&Detener": the run ends after its current wait and pause.
    void Detener();

    Estado EstadoActual() const { return v_Estado; }
    bool Activa() const { return v_Estado != Estado::Inactivo; }
    // Running and not stopped: the start button reads "&Detener".
    bool EnMarcha() const { return Activa() && !v_Detenido; }

Q_SIGNALS:
    // Link open, the first frame of a pass is next.
    void Comenzada();
    // A frame is built and about to go: a log written here has its line in
    // the file before the clock can answer.
    void PorEnviar(const EventosCorrida::Intercambio& i);
    // A frame has gone (desenlace EnCurso).
    void Enviada(const EventosCorrida::Intercambio& i);
    // Its answer wait ended: the same exchange, complete.
    void Respondida(const EventosCorrida::Intercambio& i);
    // A stop or a lost link, at the moment it happens.
    void Cortada(EventosCorrida::Corte corte);
    // A pass ended (also a failed opening); otraVuelta: loop mode goes on.
    void PasadaTerminada(const EventosCorrida::Fin& fin);
    void CambioMarcha(bool enMarcha);   // caption "&Detener" (true) or "&Iniciar"
    void Terminada();                   // files and link closed, no run follows
    void Avisar(const Avisos::Aviso& aviso);

protected:
    bool event(QEvent* e) override;

private:
    bool CargarArchivos(const Ajustes& ajustes, QString* hecho, QString* motivo);
    void AlAbrir();
    void AlFalloApertura(const QString& titulo, const QString& texto, const QString& hecho, const QString& motivo);
    void AlDatos(const QByteArray& bytes);
    void AlCaido(const QString& titulo, const QString& texto, const QString& hecho, const QString& motivo);
    void AlTimeOut();
    void AlDelay();
    void Paso();
    void ProgramarPaso();
    void FinEspera(EventosCorrida::Desenlace porque);
    void Cerrar();
    void FijarMarcha(bool enMarcha);

    Estado v_Estado = Estado::Inactivo;
    std::unique_ptr<Enlace> v_Enlace;
    QStringList v_Codigo;
    QStringList v_Comandos;
    QList<QByteArray> v_Tramas;   // as Lineas::tramas
    qsizetype v_Linea = 0;
    qsizetype v_Total = 0;                  // code lines of the pass, kept past Cerrar for its end event
    EventosCorrida::Intercambio v_Actual;   // its respuesta is the answer buffer
    bool v_FinArchivo = false;
    bool v_TrasLREG = false;
    bool v_Detenido = false;
    bool v_Caido = false;
    bool v_Marcha = false;
    bool v_PasoPendiente = false;
    Avisos::Aviso v_AvisoFinal;
    int v_Espera = 0;         // the answer timeout, ms; 0: none
    QDeadlineTimer v_Plazo;   // the end of the answer wait open now
    QTimer tmr_TimeOut;
    QTimer tmr_Delay;
};
