#pragma once
#include "Enlace.h"
#include <QSerialPort>

// Serial port at 9600 baud, no parity, 8 data bits, 1 stop bit.
class EnlaceSerie final : public Enlace {
    Q_OBJECT
public:
    // nombre: the port as the user chose it (for messages); dispositivo: the device path.
    EnlaceSerie(const QString& nombre, const QString& dispositivo, QObject* padre = nullptr);
    ~EnlaceSerie() override;

    void Abrir(int esperaMs) override;
    void Cerrar() override;
    bool Escribir(const QByteArray& bytes) override;
    bool EstaAbierto() const override;
    void FijarRecepcion(bool activa) override;

private:
    void AlError(QSerialPort::SerialPortError e);
    void Entregar();

    QString v_Nombre;
    QString v_Dispositivo;
    QSerialPort v_Puerto;
    QByteArray v_Retenidos;   // received between answers, at most the input buffer's size
    bool v_Recibiendo = false;
};
