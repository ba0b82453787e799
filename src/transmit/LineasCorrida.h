#pragma once
#include "Corrida.h"
#include <QObject>

// The window's wording of a run: the lines of its two lists, side by side
// row for row (the frame side is also what Comm.log keeps).
class LineasCorrida : public QObject {
    Q_OBJECT
public:
    // antesDeEnviar: a frame's line comes just before the frame goes
    // (Corrida::PorEnviar), so a log that holds the answer before it writes
    // both at once, still ahead of the frame.
    explicit LineasCorrida(Corrida& corrida, QObject* padre = nullptr, bool antesDeEnviar = false);

    static const QString kPuntosCmd;   // after a command line: a blank and 42 middle dots
    static const QString kRespuesta;   // beside an answer: the word, a blank and 29 middle dots

Q_SIGNALS:
    // Frame side (lst_Log and Comm.log).
    void Loguear(const QString& v_LinLog);
    // An answer, as the line "< " + f_LineaHex(bytes). Emitted instead of
    // Loguear when connected, so that a long answer need not be spelled out
    // in memory (a clock flooding the link sends megabytes).
    void LoguearRespuesta(const QByteArray& bytes);
    // Command side (lst_Cmd).
    void LogCmd(const QString& v_LinCmd);

protected:
    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;

private:
    void Conectados();
    void AlEnviar(const EventosCorrida::Intercambio& i);
    void AlResponder(const EventosCorrida::Intercambio& i);
    void AlCortar(EventosCorrida::Corte corte);
    void AlTerminarPasada(const EventosCorrida::Fin& fin);

    // Who listens, kept as connections come and go: asked per frame, Qt's
    // lookup cost more than the line it spares.
    bool v_ConLogCmd = false;
    bool v_ConRespuesta = false;
};
