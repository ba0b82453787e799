#include "Visible.h"
#include <algorithm>

QString f_Visible(const QString& texto) {
    auto control = [](QChar c) { return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F); };
    if (std::none_of(texto.begin(), texto.end(), control)) return texto;
    QString r;
    r.reserve(texto.size() + 8);
    for (QChar c : texto) {
        if (control(c))
            r += QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            r += c;
    }
    return r;
}
