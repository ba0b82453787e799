#pragma once
#include "Corrida.h"
#include "Guion.h"
#include "Opciones.h"
#include "RegistroComm.h"
#include <QDateTime>
#include <QObject>
#include <functional>

// What became of one target.
struct ResultadoDestino {
    enum class Tipo { Ok,
                      SinRespuesta,
                      SinRegistro,   // its Comm log lost lines
                      Detenido,      // a stop reached it before its end
                      Error };
    int tramas = 0;         // frames sent
    qint64 total = 0;       // frames it had to send (all passes)
    int respondidas = 0;    // full answers
    int cortas = 0;         // some bytes, fewer than awaited
    int sinRespuesta = 0;   // nothing came
    Tipo tipo = Tipo::Ok;
    QString mensaje;
    QString falla, motivo;   // of a link failure: what failed and why
    bool detenido = false;
    QString archivo;         // its command file ("-": standard input)
    QDateTime inicio, fin;   // invalid while it has not started or ended
};

// One target: its own run, link and log, driven as the window drives its run.
class EnvioDestino : public QObject {
    Q_OBJECT
public:
    // guion: its compiled script (the run reads its temporary files);
    // archivo: that script's name for the summary.
    EnvioDestino(const Destino& destino, const OpcionesEnvio& o, const GuionCompilado& guion, const QString& archivo,
                 const QString& rutaLog, QObject* padre = nullptr);

    // Exchange lines for the user (command, frame, answer, markers);
    // fin: the last line of an exchange or a marker.
    std::function<void(const QString& linea, bool fin)> Mostrar;
    // Something the user should know that is not an exchange (stderr).
    std::function<void(const QString& texto)> Advertir;
    // An exchange ended (a call, not a signal: it comes with every frame).
    std::function<void()> TramaHecha;

    // Starts the run; Terminado follows (also when it could not start).
    void Iniciar();
    // A stop: a target not yet started never starts, a running one ends
    // after its current wait and pause, a finished one keeps its result.
    void Detener();
    const ResultadoDestino& Resultado() const { return v_Resultado; }
    // Its log line held for the next frame is written (a way out that does not wait).
    void SoltarRegistro() { v_Registro.Soltar(); }
    const Destino& ElDestino() const { return v_Destino; }

Q_SIGNALS:
    void Terminado();

private:
    void AlEnviar(const EventosCorrida::Intercambio& i);
    void AlResponder(const EventosCorrida::Intercambio& i);
    void AlCortar(EventosCorrida::Corte corte);
    void AlTerminarPasada(const EventosCorrida::Fin& fin);
    void AlAviso(const Avisos::Aviso& aviso);
    void AlTerminar();
    void Clasificar();

    Destino v_Destino;
    int v_TimeOut;
    int v_Delay;
    int v_Vueltas;
    int v_Hechas = 0;
    QString v_RutaLog;
    QString v_ArchCodigo, v_ArchComandos;
    std::shared_ptr<const Corrida::Lineas> v_Lineas;
    bool v_Iniciado = false;
    bool v_Terminado = false;
    QString v_ProblemaLog;   // the first line its log lost, and why
    ResultadoDestino v_Resultado;
    Corrida v_Corrida;
    RegistroComm v_Registro;
};
