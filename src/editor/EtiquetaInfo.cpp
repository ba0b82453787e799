#include "EtiquetaInfo.h"
#include "TextoDeUnaFila.h"
#include <QPainter>
#include <QStyle>

EtiquetaInfo::EtiquetaInfo(QWidget* padre) : QLabel(padre) { setTextFormat(Qt::PlainText); }

void EtiquetaInfo::setText(const QString& texto) { QLabel::setText(f_TextoDeUnaFila(texto, kMaximo)); }

QString EtiquetaInfo::TextoVisible() const { return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width()); }

void EtiquetaInfo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    style()->drawItemText(&p, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), TextoVisible(),
                          foregroundRole());
}
