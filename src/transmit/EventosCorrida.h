#pragma once
#include "Aviso.h"
#include <QByteArray>
#include <QString>

// What a run tells those who show or keep it: typed events, never lines of
// text. The window's lists, Comm.log and orvo-send each word them their own
// way, so none of them reads another's display text back.
namespace EventosCorrida {

// How an answer wait ended.
enum class Desenlace { EnCurso,           // the frame has gone; its wait is open
                       Respondida,        // at least the awaited bytes came
                       Corta,             // the timeout came after some bytes
                       SinRespuesta,      // the timeout came before any byte
                       Detenida,          // a stop ended the wait early
                       EnlacePerdido };   // the link failed during the wait

// One frame and its answer. Sent once when the frame has gone (EnCurso)
// and once more, complete, when its wait ends.
struct Intercambio {
    qsizetype linea = 0;    // 0-based code line of this pass
    QString comando;        // the command line as typed
    QString codigo;         // the code line the frame was built from
    QByteArray trama;       // the bytes written to the link
    int esperados = 1;      // answer bytes awaited
    QByteArray respuesta;   // what came while the wait was open
    Desenlace desenlace = Desenlace::EnCurso;
};

// Something that cuts a pass short, at the moment it happens.
enum class Corte { Detenida,          // the user's stop
                   EnlacePerdido };   // the link failed while open

// Why a pass of the run ended.
enum class Motivo { FinArchivo,      // every code line was sent
                    Detenida,        // stopped by the user
                    EnlacePerdido,   // the link failed (falla says how)
                    NoAbierta };     // the link never opened (falla says why)

struct Fin {
    Motivo motivo = Motivo::FinArchivo;
    bool otraVuelta = false;   // loop mode starts the next pass now
    qsizetype enviadas = 0;    // frames sent in this pass
    qsizetype total = 0;       // code lines of this pass
    Avisos::Aviso falla;       // the failure, for EnlacePerdido and NoAbierta
};

}   // namespace EventosCorrida
