#include "EtiquetaRuta.h"
#include <algorithm>

EtiquetaRuta::EtiquetaRuta(QWidget* padre) : EtiquetaFila(padre) { setAutoFillBackground(true); }

void EtiquetaRuta::setText(const QString& texto) {
    QLabel::setText(texto);
    setToolTip(texto);
}

void EtiquetaRuta::SetAnchoLibre(int px) {
    v_AnchoLibre = px;
    update();
}

QString EtiquetaRuta::TextoVisible() const {
    const int ancho = v_AnchoLibre > 0 ? std::min(v_AnchoLibre, contentsRect().width()) : contentsRect().width();
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, ancho);
}
