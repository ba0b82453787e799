#include "EtiquetaRuta.h"
#include <QPainter>
#include <QStyle>

EtiquetaRuta::EtiquetaRuta(QWidget* padre) : QLabel(padre) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
}

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

void EtiquetaRuta::paintEvent(QPaintEvent*) {
    QPainter p(this);
    style()->drawItemText(&p, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), TextoVisible(),
                          foregroundRole());
}
