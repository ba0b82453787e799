#include "RegistroComm.h"
#include "ArchivoLog.h"

RegistroComm::RegistroComm(Corrida& corrida, std::function<QString()> ruta, QObject* padre)
    : QObject(padre), v_Lineas(corrida), v_Ruta(std::move(ruta)) {
    connect(&v_Lineas, &LineasCorrida::Loguear, this, &RegistroComm::Linea);
    connect(&v_Lineas, &LineasCorrida::LoguearRespuesta, this, &RegistroComm::Respuesta);
}

void RegistroComm::Resultado(bool escrito, const QString& ruta, const QString& motivo) {
    if (escrito) {
        v_Problema.clear();
        return;
    }
    v_Incompleto = true;
    if (!v_Problema.isEmpty()) return;
    v_Problema = motivo.isEmpty() ? QStringLiteral("error desconocido") : motivo;
    Q_EMIT FalloEscritura(ruta, v_Problema);
}

void RegistroComm::Linea(const QString& linea) {
    QString motivo;
    const QString ruta = v_Ruta();
    const bool escrito = ArchivoLog::Agregar(ruta, linea, &motivo);
    Resultado(escrito, ruta, motivo);
}

void RegistroComm::Respuesta(const QByteArray& bytes) {
    QString motivo;
    const QString ruta = v_Ruta();
    const bool escrito = ArchivoLog::AgregarRespuesta(ruta, bytes, &motivo);
    Resultado(escrito, ruta, motivo);
}
