#pragma once
#include "ArchivoLog.h"
#include "Corrida.h"
#include "LineasCorrida.h"
#include <QObject>
#include <functional>

// A Comm.log kept apart from any window: the frame side of the lists'
// lines, the file held open through a run (orvo-send keeps one per clock).
class RegistroComm : public QObject {
    Q_OBJECT
public:
    // ruta is asked at the first line of each run, so a log that moves
    // between runs is followed. juntar: the run goes straight from an answer
    // to the next frame (no pause), so the answer line waits for that frame's
    // line and both go in one write, before the frame; a pause would leave
    // it unwritten too long.
    RegistroComm(Corrida& corrida, std::function<QString()> ruta, bool juntar = false, QObject* padre = nullptr);

    // A held answer line is written now (every way out of the program calls it).
    void Soltar();

    // The system's reason for the first line lost since the last one that
    // got through (empty while all is well), and whether any was ever lost.
    const QString& Problema() const { return v_Problema; }
    bool Incompleto() const { return v_Incompleto; }

Q_SIGNALS:
    // A line was lost after all had gone well: the file and the system's
    // reason, said once.
    void FalloEscritura(const QString& ruta, const QString& motivo);

private:
    void Linea(const QString& linea);
    void Resultado(bool escrito, const QString& ruta, const QString& motivo);
    void Respuesta(const QByteArray& bytes);

    LineasCorrida v_Lineas;
    ArchivoLog::Abierto v_Archivo;
    std::function<QString()> v_Ruta;
    bool v_Juntar;
    QString v_Problema;
    bool v_Incompleto = false;
};
