#pragma once
#include "EnvioDestino.h"
#include "SalidaIntercambios.h"
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

// Runs the script on every target, at most `paralelo` at a time; a target
// that fails or hangs never holds up the others beyond its own place.
class Flota : public QObject {
    Q_OBJECT
public:
    // The compiled script each target gets, and the name of its file.
    struct GuionDe {
        const GuionCompilado* guion;
        QString archivo;
    };
    Flota(const OpcionesEnvio& o, const std::function<GuionDe(const Destino&)>& guionDe, QObject* padre = nullptr);

    void Iniciar();
    // Ctrl+C: every running target stops as "Detener" does, queued ones never start.
    void Detener();
    bool Detenida() const { return v_Detenida; }
    const std::vector<EnvioDestino*>& Envios() const { return v_Envios; }
    // Exchange lines and log lines still held are written (every way out calls it).
    void VolcarSalida();

Q_SIGNALS:
    void Terminada();

private:
    void Siguiente();
    void AlTerminarUno();
    void MostrarProgreso(bool final = false);
    void Linea(FILE* f, const QString& texto);

    SalidaIntercambios v_Salida;
    std::vector<EnvioDestino*> v_Envios;
    size_t v_Proximo = 0;
    int v_Activos = 0;
    int v_Paralelo;
    bool v_Detenida = false;
    bool v_Progreso;
    qint64 v_Total = 0;
    qint64 v_Hechas = 0;
    QElapsedTimer v_Reloj;
    QTimer tmr_Progreso;
};
