#pragma once
// Window layouts are given in twips: 15 to a pixel at 96 dpi, scaled with
// the screen's logical dpi.
#include <QRect>
#include <QWidget>

inline int PxTwips(int twips, const QWidget* w) {
    const double dpi = w ? w->logicalDpiX() : 96.0;
    return qRound(twips / 15.0 * dpi / 96.0);
}

inline QRect RectTwips(int left, int top, int width, int height, const QWidget* w) {
    return {PxTwips(left, w), PxTwips(top, w), PxTwips(width, w), PxTwips(height, w)};
}
