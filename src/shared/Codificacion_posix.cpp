// Windows-1252 through Qt's ICU codec.
#include "CodificacionPlataforma.h"
#include <QStringDecoder>

namespace Codificacion {

std::array<char16_t, 256> f_TablaWin1252() {
    std::array<char16_t, 256> t{};
    QStringDecoder dec("windows-1252");
    for (int i = 0; i < 256; ++i) {
        const char b = static_cast<char>(i);
        const QString s = dec.isValid() ? dec.decode(QByteArrayView(&b, 1)) : QString(QChar(i));
        t[i] = (s.isEmpty() || s.at(0) == QChar::ReplacementCharacter) ? char16_t(i) : s.at(0).unicode();
    }
    return t;
}

}   // namespace Codificacion
