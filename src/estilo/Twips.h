#pragma once
#include <QRect>
#include <QWidget>
#include <cmath>

// Window layouts are given in twips (1/1440 inch): 15 to a pixel at 96 dpi,
// scaled with the screen's logical dpi.
struct Twips {
    double pxPorTwip = 96.0 / 1440.0;

    Twips() = default;
    explicit Twips(const QWidget* w) : pxPorTwip((w ? w->logicalDpiY() : 96) / 1440.0) {}

    int Px(int twips) const { return static_cast<int>(std::lround(twips * pxPorTwip)); }
    QRect Rect(int left, int top, int width, int height) const {
        return {Px(left), Px(top), Px(width), Px(height)};
    }
};
