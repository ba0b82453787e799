#pragma once
#include "Corrida.h"
#include "Guion.h"
#include "Opciones.h"
#include <QDateTime>
#include <QObject>
#include <functional>

// What became of one target.
struct ResultadoDestino {
    enum class Tipo { Ok,
                      SinRespuesta,
                      Error };
    int tramas = 0;         // frames sent
    int respondidas = 0;    // full answers
    int cortas = 0;         // some bytes, fewer than awaited
    int sinRespuesta = 0;   // nothing came
    int total = 0;          // frames of its script times the loops
    Tipo tipo = Tipo::Ok;
    QString mensaje;         // what failed and why, in one line
    QString falla, motivo;   // the two halves of mensaje
    bool detenido = false;
    QString archivo;         // its command file ("-": standard input)
    QDateTime inicio, fin;   // invalid while it has not started or ended
};

// One target: its own run, link and log, driven as the window drives its run.
class EnvioDestino : public QObject {
    Q_OBJECT
public:
    EnvioDestino(const Destino& destino, const OpcionesEnvio& o, const GuionCompilado& guion, const QString& archivo,
                 const QString& rutaLog, QObject* padre = nullptr);

    // Exchange lines for the user (command, frame, answer, markers).
    std::function<void(const QString& linea)> Mostrar;
    // Something the user should know that is not an exchange (stderr).
    std::function<void(const QString& texto)> Advertir;

    // Starts the run; Terminado follows (also when it could not start).
    void Iniciar();
    void Detener();
    const ResultadoDestino& Resultado() const { return v_Resultado; }
    const Destino& ElDestino() const { return v_Destino; }

Q_SIGNALS:
    void Terminado();
    void TramaHecha();

private:
    void AlLoguear(const QString& linea);
    void AlLogCmd(const QString& linea);
    void AlEspera(int esperados, int recibidos);
    void AlAviso(const Avisos::Aviso& aviso);
    void AlTerminar();

    Destino v_Destino;
    int v_TimeOut;
    int v_Delay;
    int v_Vueltas;
    int v_Hechas = 0;
    QString v_RutaLog;
    QString v_ArchCodigo, v_ArchComandos;
    bool v_AvisadoLog = false;
    bool v_Iniciado = false;
    QString v_TramaPendiente;
    ResultadoDestino v_Resultado;
    Corrida v_Corrida;
};
