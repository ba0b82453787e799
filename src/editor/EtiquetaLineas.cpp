#include "EtiquetaLineas.h"
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
    for (const QString& fila : filas) {
        if (y >= height()) break;
        // The trailing blank of each number keeps one character's gap at the right edge.
        p.drawText(QRect(0, y, width(), v_AltoFila), Qt::AlignRight | Qt::AlignVCenter, fila);
        y += v_AltoFila;
    }
}
