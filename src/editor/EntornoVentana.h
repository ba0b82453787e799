#pragma once
#include "EntornoCompilador.h"
#include <QElapsedTimer>
#include <QStringList>

class fr_Principal;

// The compile pass inside the main window: progress in lbl_Info, errors
// mirrored into lst_Debug, the action words' windows and message boxes.
class EntornoVentana : public EntornoCompilador {
public:
    explicit EntornoVentana(fr_Principal& ventana);

    // Milliseconds between two yields to the event loop during a long pass.
    static constexpr int kRebanadaMs = 30;
    // Milliseconds between two layouts of the command pane during a long pass.
    static constexpr int kVolcadoMs = 500;
    // Characters of an error entry the debug list shows.
    static constexpr int kMaximoEntrada = 1024;

    void Ceder() override;
    void MostrarInfo(const QString& texto) override;
    void DebugLimpiado() override;
    void DebugAgregado(const QString& entrada) override;
    void MostrarAyuda() override;
    void MostrarHerramientas() override;
    void AvisarErrores(const QString& titulo, const QString& texto) override;
    bool ConTransmision() const override { return true; }
    void AvisarFalloTemporales(const QString& texto) override;
    void MostrarTransmision() override;
    void SincronizaTxt() override;

    // lst_Debug gets the pass's entries and lbl_Info its last caption at the
    // end of the pass (or before a window opens mid-pass): only the rows that
    // changed are touched.
    void Volcar();

    // Restarts the time slice (at the start of a pass or a file load).
    void Empezar() {
        v_Reloj.start();
        v_Volcado.start();
        v_Llamadas = 0;
    }
    // True when the slice is over; restarts it. The clock is read at every
    // kLlamadasPorLectura-th call only: asked twice a line, reading it cost
    // a few percent of a long pass on some machines.
    bool RebanadaCumplida();
    static constexpr unsigned kLlamadasPorLectura = 8;

private:
    fr_Principal& v_Ventana;
    QElapsedTimer v_Reloj;
    QElapsedTimer v_Volcado;
    unsigned v_Llamadas = 0;
    QStringList v_Entradas;
    QString v_Info;   // caption not shown yet
    bool v_InfoPendiente = false;
    void VolcarInfo();
};
