#pragma once
#include <QLabel>

// The line-number gutter: a label whose caption holds one number per row
// ("41 " CR LF "42 " CR LF ...), drawn right-aligned at the panes' row height
// so that every number stands beside its line.
class EtiquetaLineas : public QLabel {
    Q_OBJECT
public:
    explicit EtiquetaLineas(QWidget* padre = nullptr);
    // Row height and the offset of the first row from the top, in pixels.
    void SetFilas(int alto, int desplazamiento);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int v_AltoFila = 15;
    int v_Desplazamiento = 0;
};
