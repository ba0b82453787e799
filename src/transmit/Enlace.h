#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

// One link to a clock (serial port or TCP connection). The run uses only
// this interface; it never asks which kind it has.
class Enlace : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Enlace() override = default;

    // Starts opening; Abierto or FalloApertura follows later, never from
    // inside the call. esperaMs bounds a connection wait (0: no bound).
    virtual void Abrir(int esperaMs) = 0;
    virtual void Cerrar() = 0;
    virtual bool Escribir(const QByteArray& bytes) = 0;
    virtual bool EstaAbierto() const = 0;
    // While reception is off, bytes that arrive are handled as the link
    // would between answers: a socket drops them, a serial port keeps them
    // for the next answer.
    virtual void FijarRecepcion(bool activa) = 0;

Q_SIGNALS:
    void Abierto();
    // titulo and texto are the box's; hecho and motivo the same as data
    // (what failed, the system's reason).
    void FalloApertura(const QString& titulo, const QString& texto, const QString& hecho = {},
                       const QString& motivo = {});
    void DatosRecibidos(const QByteArray& bytes);
    // The open link failed (peer gone, device removed); it is closed already.
    void Caido(const QString& titulo, const QString& texto, const QString& hecho = {}, const QString& motivo = {});
};
