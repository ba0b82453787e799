#include "EtiquetaFila.h"
#include <QPainter>
#include <QStyle>

EtiquetaFila::EtiquetaFila(QWidget* padre) : QLabel(padre) { setTextFormat(Qt::PlainText); }

QString EtiquetaFila::TextoVisible() const { return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width()); }

void EtiquetaFila::paintEvent(QPaintEvent*) {
    QPainter p(this);
    style()->drawItemText(&p, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), TextoVisible(),
                          foregroundRole());
}
