#pragma once
#include <QSize>
class QPixmap;

// The product picture of the about box: a wall time clock terminal with its
// dial, display, keypad and card slot, drawn at any size.
QPixmap ImagenReloj(QSize tamano, double escalaPixel = 1.0);
