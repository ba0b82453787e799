#pragma once
#include "Enlace.h"
#include <QTcpSocket>
#include <QTimer>

// TCP client connection to a clock.
class EnlaceTCP final : public Enlace {
    Q_OBJECT
public:
    EnlaceTCP(const QString& ip, const QString& puerto, QObject* padre = nullptr);
    ~EnlaceTCP() override;

    void Abrir(int esperaMs) override;
    void Cerrar() override;
    bool Escribir(const QByteArray& bytes) override;
    bool EstaAbierto() const override;
    void FijarRecepcion(bool activa) override;

    // What a TCP link says, also the one of EnlaceRapido_posix.cpp: the
    // target as shown, and its failures (a connection not made within its
    // bound, refused or failed, an open one lost) with their reasons.
    static QString f_Destino(const QString& ip, const QString& puerto);
    static void AvisarVencida(Enlace& e, const QString& destino);
    static void AvisarFalloConexion(Enlace& e, const QString& destino, const QString& razon);
    static void AvisarPerdida(Enlace& e, const QString& destino, const QString& razon);

private:
    void AlConectar();
    void AlError(QAbstractSocket::SocketError e);
    void AlDesconectar();
    void AlLeer();
    void AlVencerEspera();
    void Perdido(const QString& razon);

    QString v_IP;
    QString v_PuertoTxt;
    QTcpSocket v_Socket;
    QTimer tmr_Espera;
    bool v_Conectando = false;
    bool v_Abierto = false;
    bool v_Recibiendo = false;
    bool v_Escribiendo = false;   // inside Escribir's flush
};
