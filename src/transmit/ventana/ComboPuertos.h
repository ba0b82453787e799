#pragma once
#include <QComboBox>

// cmb_Port: COM1 to COM8 and the serial devices present, listed again each
// time it drops down, so an adapter plugged in later shows up. Typing a
// device path stays possible.
class ComboPuertos : public QComboBox {
    Q_OBJECT
public:
    explicit ComboPuertos(QWidget* padre = nullptr);
    // Fills the list again, keeping what is chosen or typed.
    void Llenar();
    // The text to open: the device of a listed entry, else the text as typed.
    QString TextoPuerto() const;
    // Chooses the entry that opens this device, or types its path.
    void ElegirRuta(const QString& ruta);
    // Index of the COMn entry chosen last: a device path keeps it for Orvo.cfg.
    int IndiceCom() const { return v_IndiceCom; }

    void showPopup() override;

private:
    int v_IndiceCom = 0;
    bool v_Llenando = false;
};
