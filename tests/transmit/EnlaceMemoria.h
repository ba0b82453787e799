#pragma once
// A link held in memory: the test says when it opens, fails or drops and
// which bytes arrive; nothing depends on sockets, devices or the clock.
#include "Enlace.h"
#include <QByteArray>
#include <QList>
#include <QTimer>
#include <utility>

class EnlaceMemoria : public Enlace {
public:
    // What a link does with bytes that arrive while the run is not awaiting
    // an answer: a socket drops them, a serial port keeps them.
    enum class Clase { TCP,
                       Serie };
    explicit EnlaceMemoria(Clase clase = Clase::TCP) : v_Clase(clase) {}

    // What the run did to it.
    int esperaPedida = -1;   // the bound given to Abrir; -1: not asked to open
    int cierres = 0;
    bool recepcion = false;
    QList<QByteArray> escritos;

    // The test's hand.
    void Conectar() {
        v_Abierto = true;
        Q_EMIT Abierto();
    }
    void NoConectar(const QString& titulo, const QString& texto) { Q_EMIT FalloApertura(titulo, texto); }
    void Llegan(const QByteArray& bytes) {
        if (recepcion) Q_EMIT DatosRecibidos(bytes);
        else if (v_Clase == Clase::Serie)
            v_Guardados += bytes;
    }
    void Caer() {
        v_Abierto = false;
        Q_EMIT Caido(QStringLiteral("Error de comunicación"), QStringLiteral("Se perdió el enlace en memoria"));
    }

    void Abrir(int esperaMs) override { esperaPedida = esperaMs; }
    void Cerrar() override {
        v_Abierto = false;
        ++cierres;
    }
    bool Escribir(const QByteArray& bytes) override {
        if (!v_Abierto) return false;
        escritos << bytes;
        return true;
    }
    bool EstaAbierto() const override { return v_Abierto; }
    void FijarRecepcion(bool activa) override {
        recepcion = activa;
        // Kept bytes come out as the port's would: from the event loop.
        if (activa && !v_Guardados.isEmpty())
            QTimer::singleShot(0, this, [this] {
                if (recepcion) Q_EMIT DatosRecibidos(std::exchange(v_Guardados, {}));
            });
    }

private:
    Clase v_Clase;
    bool v_Abierto = false;
    QByteArray v_Guardados;
};
