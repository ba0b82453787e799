#include "RegistroComm.h"

RegistroComm::RegistroComm(Corrida& corrida, std::function<QString()> ruta, bool juntar, QObject* padre)
    : QObject(padre), v_Lineas(corrida, nullptr, juntar), v_Ruta(std::move(ruta)), v_Juntar(juntar) {
    connect(&v_Lineas, &LineasCorrida::Loguear, this, &RegistroComm::Linea);
    connect(&v_Lineas, &LineasCorrida::LoguearRespuesta, this, &RegistroComm::Respuesta);
    connect(&corrida, &Corrida::Terminada, this, [this] {
        Soltar();
        v_Archivo.Cerrar();
    });
}

void RegistroComm::Soltar() {
    QString motivo;
    const bool escrito = v_Archivo.Soltar(&motivo);
    Resultado(escrito, escrito ? QString() : v_Ruta(), motivo);
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

// The path is asked only to open the file or to name it in a failure.
void RegistroComm::Linea(const QString& linea) {
    QString motivo;
    const bool escrito = v_Archivo.Agregar(v_Archivo.EstaAbierto() ? QString() : v_Ruta(), linea, &motivo);
    Resultado(escrito, escrito ? QString() : v_Ruta(), motivo);
}

void RegistroComm::Respuesta(const QByteArray& bytes) {
    QString motivo;
    const bool escrito = v_Archivo.AgregarRespuesta(v_Archivo.EstaAbierto() ? QString() : v_Ruta(), bytes, &motivo, v_Juntar);
    Resultado(escrito, escrito ? QString() : v_Ruta(), motivo);
}
