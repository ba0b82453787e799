#include "Fuentes.h"
#include <QApplication>
#include <QFontDatabase>

QFont FuenteCourier(double puntos) {
    QFont f;
    if (QFontDatabase::hasFamily(QStringLiteral("Courier New")))
        f.setFamily(QStringLiteral("Courier New"));
    else if (QFontDatabase::hasFamily(QStringLiteral("Liberation Mono")))
        f.setFamily(QStringLiteral("Liberation Mono"));
    else
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(puntos);
    return f;
}

QFont FuenteEtiqueta(double puntos, bool negrita) {
    QFont f = QApplication::font();
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    return f;
}
