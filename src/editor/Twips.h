#pragma once
#include <QRect>
#include <cmath>

// Design sizes are in twips (1/1440 inch); on screen they follow the logical DPI.
struct Twips {
    double pxPorTwip = 96.0 / 1440.0;
    int Px(int twips) const { return static_cast<int>(std::lround(twips * pxPorTwip)); }
    QRect Rect(int left, int top, int width, int height) const {
        return {Px(left), Px(top), Px(width), Px(height)};
    }
};
