#include "TextoDeUnaFila.h"
#include <algorithm>

namespace {
bool EsSalto(QChar c) {
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == u'\v' || u == u'\f' || u == 0x85 || u == 0x2028 || u == 0x2029;
}
}   // namespace

QString f_TextoDeUnaFila(const QString& texto, int maximo) {
    const QStringView vista = QStringView(texto).left(maximo);
    const bool corta = texto.size() > maximo;
    // Most captions are short and plain: handed back as they are, not copied.
    if (!corta && std::none_of(vista.begin(), vista.end(), EsSalto)) return texto;
    QString fila = vista.toString();
    std::replace_if(fila.begin(), fila.end(), EsSalto, QChar(u' '));
    if (corta) fila += QChar(0x2026);
    return fila;
}
