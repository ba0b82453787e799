#include "EtiquetaLineas.h"
#include <QFontMetricsF>
#include <QPainter>

EtiquetaLineas::EtiquetaLineas(QWidget* padre) : QLabel(padre) {
    setAutoFillBackground(true);
}

void EtiquetaLineas::SetFilas(int alto, int desplazamiento) {
    v_AltoFila = alto;
    v_Desplazamiento = desplazamiento;
    update();
}

void EtiquetaLineas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QStringList filas = text().split(QStringLiteral("\r\n"));
    int y = v_Desplazamiento;
    const QFontMetricsF medida(font());
    for (const QString& fila : filas) {
        if (y >= height()) break;
        // The trailing blank of each number keeps one character's gap at the right edge.
        const Dibujo d = DibujoFila(fila, medida, width());
        p.save();
        p.scale(d.escala, 1);
        p.drawText(QRectF(0, y, width() / d.escala, v_AltoFila), Qt::AlignRight | Qt::AlignVCenter, d.texto);
        p.restore();
        y += v_AltoFila;
    }
}

EtiquetaLineas::Dibujo EtiquetaLineas::DibujoFila(const QString& fila, const QFontMetricsF& medida, int ancho) {
    if (medida.horizontalAdvance(fila) <= ancho) return {fila, 1.0};
    const QString numero = fila.trimmed();
    const qreal necesario = medida.horizontalAdvance(numero);
    if (necesario <= ancho || necesario <= 0) return {numero, 1.0};
    return {numero, ancho / necesario};
}
