#pragma once
#include "LectorTramas.h"
#include "RelojSimulado.h"
#include <QElapsedTimer>
#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <functional>

class QHostAddress;
class QSerialPort;
class QTcpServer;
class QTimer;

// Faults a test can ask for.
struct Fallas {
    bool sinRespuesta = false;   // never answer
    int demoraMs = 0;            // answer this late
    int cortas = 0;              // drop this many bytes from the end of each answer
    int extra = 0;               // append this many bytes (0xEE) to each answer
    int cerrarTras = 0;          // close the link after answering this many frames (0: never)
};

// Serves the simulated clock on a TCP port or a serial device.
class ServidorSim : public QObject {
    Q_OBJECT
public:
    ServidorSim(const Fallas& fallas, bool detalle, QObject* padre = nullptr);
    bool EscucharTCP(const QHostAddress& host, quint16 puerto, QString* error);
    bool AbrirSerie(const QString& ruta, QString* error);

    // Each frame as it arrives, before it is answered (--tramas).
    std::function<void(const QByteArray& trama)> Recibida;

private:
    struct Conexion;   // one link's reader, register read and held answers
    void Atender(QIODevice* disp);
    void Procesar(QIODevice* disp, Conexion* c, bool forzar);
    // Sends the late answers that are due and waits for the next.
    void Entregar(QIODevice* disp, Conexion* c);
    // False when the link was closed after it (--close-after).
    bool Responder(QIODevice* disp, const QByteArray& respuesta, bool cerrar);
    void Cerrar(QIODevice* disp);

    Fallas v_Fallas;
    bool v_Detalle;
    RelojSimulado v_Reloj;
    QElapsedTimer v_Tiempo;   // when late answers fall due
    QTcpServer* v_Servidor = nullptr;
    QSerialPort* v_Serie = nullptr;
};
