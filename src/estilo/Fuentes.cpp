#include "Fuentes.h"
#include <QApplication>
#include <QFontDatabase>

QFont FuenteCourier(double puntos, bool negrita) {
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
    f.setBold(negrita);
    return f;
}

QFont FuenteEtiqueta(double puntos, bool negrita) {
    QFont f = QApplication::font();
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    return f;
}

QFont FuenteAngosta() {
    for (const char* familia : {"Liberation Sans Narrow", "Arial Narrow"}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(familia))) {
            QFont f(QString::fromLatin1(familia));
            f.setPointSizeF(8.25);
            return f;
        }
    }
    // Any other face: condensed where it can be, and a little smaller.
    QFont f = QApplication::font();
    f.setStretch(QFont::Condensed);
    f.setPointSizeF(7.5);
    return f;
}
