#include "TipsFuente.h"
#include <QApplication>
#include <QFontDatabase>

QFont FuenteTip() {
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
