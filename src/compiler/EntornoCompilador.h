#pragma once
#include <QString>

// What the compile pass needs from the window around it. Headless (orvoc,
// tests) every call does nothing; the main window fills them in.
class EntornoCompilador {
public:
    virtual ~EntornoCompilador() = default;

    // Let the window repaint and take input (called at every line; the window
    // decides how often it really yields).
    virtual void Ceder() {}
    // lbl_Info caption, repainted at once.
    virtual void MostrarInfo(const QString& /*texto*/) {}
    // lst_Debug mirror.
    virtual void DebugLimpiado() {}
    virtual void DebugAgregado(const QString& /*entrada*/) {}
    // "?" and help requests: the help window, not modal.
    virtual void MostrarAyuda() {}
    // TOOLS: the check-byte window, modal.
    virtual void MostrarHerramientas() {}
    // T / TRANS with errors above: the "Comandos erroneos" message box.
    virtual void AvisarErrores(const QString& /*titulo*/, const QString& /*texto*/) {}
    // T / TRANS without errors. When false (headless) no temporary file is
    // written and no window opens; the line is still removed.
    virtual bool ConTransmision() const { return false; }
    // The temporary files could not be written: tell the user why.
    virtual void AvisarFalloTemporales(const QString& /*texto*/) {}
    // The transmission window, modal; returns when it closes.
    virtual void MostrarTransmision() {}
    // End of the pass: keep the code pane beside the command pane.
    virtual void SincronizaTxt() {}
};
