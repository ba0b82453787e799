#pragma once
#include "Ranuras.h"
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>

// The late answers (--late) of every clock that shares it, in the order
// they fall due (one delay for all), behind one timer: a timer started and
// stopped per answer cost a thousand clocks more than the answers. Each
// answer names its link by a key: a link closed before its answer is due
// is not found, and its answers are dropped.
class Demoras : public QObject {
public:
    // Where a late answer goes: one link of a clock.
    class Destino {
    public:
        virtual void Entregar(const QByteArray& respuesta, bool cerrar) = 0;

    protected:
        ~Destino() = default;
    };
    using Clave = Ranuras<Destino>::Clave;

    Demoras();
    // A destination is registered for as long as it lives.
    Clave Registrar(Destino* destino) { return v_Destinos.Tomar(destino); }
    void Quitar(Clave destino) { v_Destinos.Soltar(destino); }
    void Agregar(int demoraMs, Clave destino, const QByteArray& respuesta, bool cerrar);

private:
    // An answer held back, due at `vence` (ms of v_Tiempo).
    struct Pendiente {
        qint64 vence;
        Clave destino;
        QByteArray respuesta;
        bool cerrar;
    };
    void Entregar();

    Ranuras<Destino> v_Destinos;
    std::deque<Pendiente> v_Cola;
    QElapsedTimer v_Tiempo;
    QTimer tmr_Vence;
};
