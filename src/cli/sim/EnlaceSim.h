#pragma once
#include <QByteArrayView>
#include <memory>

// One link the simulated clock serves, a TCP connection or the serial
// device, as its server sees it: the bytes that arrive are handed to the
// link's receiver as they come, answers go out through Enviar. Where the
// system is POSIX a TCP connection is a bare socket behind it (a thousand
// clocks' frames cost less without a device, its buffers and a signal per
// read in between); everything else wraps its QIODevice.
class EnlaceSim {
public:
    // Hears what arrives on one link; owned by the link, so it goes with it.
    class Receptor {
    public:
        virtual ~Receptor() = default;
        virtual void Recibido(QByteArrayView datos) = 0;
    };

    virtual ~EnlaceSim() = default;
    void Atender(std::unique_ptr<Receptor> receptor) { v_Receptor = std::move(receptor); }
    // Nothing is sent once the link is closed.
    virtual void Enviar(QByteArrayView datos) = 0;
    // Sends what waits, then ends the link. A link is never deleted inside
    // a call of its own (its receiver's frames may still be in hand).
    virtual void Cerrar() = 0;

protected:
    std::unique_ptr<Receptor> v_Receptor;
};
