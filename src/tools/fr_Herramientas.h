#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;

// Check-byte tool: Enter in the line shows the XOR of its hex byte pairs, the
// same check byte the compiler appends to frames.
class fr_Herramientas : public QDialog {
    Q_OBJECT
public:
    explicit fr_Herramientas(QWidget* padre = nullptr);

    QLineEdit* tx_String = nullptr;
    QLineEdit* tx_XOR = nullptr;

private:
    void CalcularXOR();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};
