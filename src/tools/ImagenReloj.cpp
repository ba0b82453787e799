#include "ImagenReloj.h"
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace {
// Drawn on a 88 x 226 grid, then scaled to the requested size.
constexpr double kAncho = 88, kAlto = 226;

void Cuerpo(QPainter& p) {
    QLinearGradient g(0, 0, kAncho, 0);
    g.setColorAt(0, QColor(70, 84, 104));
    g.setColorAt(0.5, QColor(110, 126, 148));
    g.setColorAt(1, QColor(56, 66, 82));
    p.setPen(QPen(QColor(30, 36, 46), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(5, 3, 78, 220), 10, 10);
}

void Esfera(QPainter& p) {
    const QPointF c(44, 38);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(250, 248, 236));
    p.drawEllipse(c, 25, 25);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    for (int h = 0; h < 12; ++h) {
        const double a = qDegreesToRadians(h * 30.0);
        const double r0 = h % 3 == 0 ? 18 : 20.5;
        p.drawLine(c + QPointF(r0 * qSin(a), -r0 * qCos(a)), c + QPointF(23 * qSin(a), -23 * qCos(a)));
    }
    // Half past eight, the morning punch.
    auto aguja = [&](double grados, double largo, double grosor, QColor color) {
        const double a = qDegreesToRadians(grados);
        p.setPen(QPen(color, grosor, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(largo * qSin(a), -largo * qCos(a)));
    };
    aguja(8.5 * 30, 13, 3, QColor(30, 30, 30));
    aguja(180, 19, 2, QColor(30, 30, 30));
    aguja(200, 20, 1, QColor(200, 30, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(c, 2, 2);
}

void Pantalla(QPainter& p) {
    const QRectF r(13, 72, 62, 22);
    p.setPen(QPen(QColor(20, 30, 20), 1));
    p.setBrush(QColor(164, 196, 120));
    p.drawRoundedRect(r, 3, 3);
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(30, 50, 30));
    p.drawText(r, Qt::AlignCenter, QStringLiteral("08:30"));
}

void Teclado(QPainter& p) {
    p.setPen(QPen(QColor(30, 36, 46), 1));
    for (int fila = 0; fila < 4; ++fila)
        for (int col = 0; col < 3; ++col) {
            const QRectF t(17 + col * 19, 102 + fila * 13, 15, 10);
            p.setBrush(fila == 3 && col != 1 ? QColor(200, 120, 60) : QColor(222, 226, 232));
            p.drawRoundedRect(t, 2, 2);
        }
}

void Lector(QPainter& p) {
    // A card half inside the slot.
    p.setPen(QPen(QColor(40, 60, 110), 1));
    p.setBrush(QColor(236, 240, 250));
    p.drawRoundedRect(QRectF(27, 150, 34, 22), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 80, 160));
    p.drawRect(QRectF(27, 154, 34, 4));
    p.setBrush(QColor(20, 22, 28));
    p.drawRoundedRect(QRectF(16, 168, 56, 7), 3, 3);
}

void Pie(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 220, 90));
    p.drawEllipse(QPointF(44, 188), 3.5, 3.5);
    QFont f = p.font();
    f.setFamily(QStringLiteral("Sans Serif"));
    f.setPixelSize(11);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(f);
    p.setPen(QColor(235, 238, 245));
    p.drawText(QRectF(5, 198, 78, 16), Qt::AlignCenter, QStringLiteral("ORVO"));
}
}   // namespace

QPixmap ImagenReloj(QSize tamano, double escalaPixel) {
    QPixmap imagen(tamano * escalaPixel);
    imagen.setDevicePixelRatio(escalaPixel);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    // Keep the proportions and centre the terminal in the space given.
    const double escala = qMin(tamano.width() / kAncho, tamano.height() / kAlto);
    p.translate((tamano.width() - kAncho * escala) / 2, (tamano.height() - kAlto * escala) / 2);
    p.scale(escala, escala);
    Cuerpo(p);
    Esfera(p);
    Pantalla(p);
    Teclado(p);
    Lector(p);
    Pie(p);
    return imagen;
}
