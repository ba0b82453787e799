#pragma once
#include <QLabel>

// A label of the status row: plain text on one row, never wrapped nor grown;
// what does not fit is drawn elided (TextoVisible).
class EtiquetaFila : public QLabel {
    Q_OBJECT
public:
    explicit EtiquetaFila(QWidget* padre = nullptr);
    // The text as drawn: by default cut at the right with "…".
    virtual QString TextoVisible() const;

protected:
    void paintEvent(QPaintEvent* e) override;
};
