#pragma once
#include "Corrida.h"
#include "LineasCorrida.h"
#include <QObject>
#include <functional>

// A Comm.log kept apart from any window: the frame side of the lists'
// lines, each written and closed at once (orvo-send keeps one per clock).
class RegistroComm : public QObject {
    Q_OBJECT
public:
    // ruta is asked at each line, so a log that moves between runs is followed.
    RegistroComm(Corrida& corrida, std::function<QString()> ruta, QObject* padre = nullptr);

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
    std::function<QString()> v_Ruta;
    QString v_Problema;
    bool v_Incompleto = false;
};
