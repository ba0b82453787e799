#pragma once
#include "Aviso.h"
#include "Enlace.h"
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

// One transmission run as a state machine on timers and link signals: read
// the code lines, send each frame, await its answer or the timeout, pause,
// go on; loop mode and stop. The window drives it and shows its lines;
// tests drive it without a window.
class Corrida : public QObject {
    Q_OBJECT
public:
    enum class Estado { Inactivo,
                        Abriendo,
                        Enviando,
                        Esperando,
                        Pausando,
                        Cerrando };

    struct Ajustes {
        int timeOut = 0;   // answer timeout and connection wait, ms; 0: no bound
        int delay = 0;     // pause after each answer, ms; 0: none
        // The run's input; empty: the temporary files named in Module1.
        QString archCodigo, archComandos;
    };

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
    void Loguear(const QString& v_LinLog);
    // An answer, as the line "< " + f_LineaHex(bytes). Emitted instead of
    // Loguear when connected, so that a long answer need not be spelled out
    // in memory (a clock flooding the link sends megabytes).
    void LoguearRespuesta(const QByteArray& bytes);
    void LogCmd(const QString& v_LinCmd);
    void CambioMarcha(bool enMarcha);   // caption "&Detener" (true) or "&Iniciar"
    void Terminada();                   // files and link closed, no run follows
    void Avisar(const Avisos::Aviso& aviso);
    // A wait for an answer ended (answer, timeout, stop or lost link), just
    // before its log line: bytes awaited and bytes that came.
    void EsperaTerminada(int esperados, int recibidos);

private:
    bool CargarArchivos(const Ajustes& ajustes, QString* error);
    void AlAbrir();
    void AlFalloApertura(const QString& titulo, const QString& texto);
    void AlDatos(const QByteArray& bytes);
    void AlCaido(const QString& titulo, const QString& texto);
    void AlTimeOut();
    void AlDelay();
    void Paso();
    void ProgramarPaso();
    void FinEspera();
    void Cerrar();
    void FijarMarcha(bool enMarcha);

    Estado v_Estado = Estado::Inactivo;
    std::unique_ptr<Enlace> v_Enlace;
    QStringList v_Codigo;
    QStringList v_Comandos;
    qsizetype v_Linea = 0;
    QByteArray v_Buffer;
    int v_LargoResp = 1;
    bool v_TrasLREG = false;
    bool v_Detenido = false;
    bool v_Caido = false;
    bool v_Marcha = false;
    bool v_PasoPendiente = false;
    Avisos::Aviso v_AvisoFinal;
    QTimer tmr_TimeOut;
    QTimer tmr_Delay;
};
