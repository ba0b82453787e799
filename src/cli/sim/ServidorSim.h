#pragma once
#include "Demoras.h"
#include "RelojSimulado.h"
#include <QByteArrayView>
#include <QObject>
#include <functional>
#include <memory>

class EnlaceSim;
class QHostAddress;
class QSerialPort;
class ServidorTCP;

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
    // demoras: the late answers' queue, shared with the other clocks of the
    // site; none: its own.
    ServidorSim(const Fallas& fallas, bool detalle, std::shared_ptr<Demoras> demoras = {}, QObject* padre = nullptr);
    ~ServidorSim() override;
    bool EscucharTCP(const QHostAddress& host, quint16 puerto, QString* error);
    bool AbrirSerie(const QString& ruta, QString* error);

    // Each frame as it arrives, before it is answered (--tramas).
    std::function<void(QByteArrayView trama)> Recibida;

private:
    struct Conexion;   // one link's reader, register read and count of frames
    void Atender(EnlaceSim* enlace);
    void Procesar(Conexion& c, bool forzar);
    // False when the link was closed after it (--close-after).
    bool Responder(Conexion& c, const QByteArray& respuesta, bool cerrar);
    void Cerrar(Conexion& c);

    Fallas v_Fallas;
    bool v_Detalle;
    RelojSimulado v_Reloj;
    std::shared_ptr<Demoras> v_Demoras;
    ServidorTCP* v_Servidor = nullptr;
    QSerialPort* v_Serie = nullptr;
    EnlaceSim* v_EnlaceSerie = nullptr;
};
