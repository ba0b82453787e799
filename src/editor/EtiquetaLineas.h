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

    // How a row's number is drawn in a gutter this wide: the trailing blank
    // goes first, then the digits are drawn narrower; a digit is never cut.
    struct Dibujo {
        QString texto;
        qreal escala;   // horizontal, 1 when it fits
    };
    static Dibujo DibujoFila(const QString& fila, const QFontMetricsF& medida, int ancho);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int v_AltoFila = 15;
    int v_Desplazamiento = 0;
};
