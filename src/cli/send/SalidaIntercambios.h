#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

// The exchange lines on standard output. A terminal gets each exchange as
// it ends; a file or a pipe gets blocks, since a write per line cost as much
// as sending the frame. Volcar() must be called on every way out.
class SalidaIntercambios {
public:
    explicit SalidaIntercambios(int fd);
    ~SalidaIntercambios() { Volcar(); }
    SalidaIntercambios(const SalidaIntercambios&) = delete;
    SalidaIntercambios& operator=(const SalidaIntercambios&) = delete;

    // Called before anything is written (the progress line is cleared).
    std::function<void()> AntesDeEscribir;

    void Agregar(const QString& linea);
    // An exchange, a marker or an end was told whole.
    void FinIntercambio();
    void Volcar();

private:
    int v_Fd;
    bool v_Terminal;
    bool v_Cerrada = false;   // the reader went away: the rest is dropped
    QByteArray v_Bufer;
};
