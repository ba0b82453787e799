#include "LecturaCodigo.h"

namespace {
int ValorHex(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

int LeerPar(const QString& texto, qsizetype desde) {
    int valor = 0;
    for (qsizetype i = desde; i < desde + 2 && i < texto.size(); ++i) {
        const char16_t c = texto.at(i).unicode();
        if (c == u' ') continue;
        const int d = ValorHex(c);
        if (d < 0) break;
        valor = valor * 16 + d;
    }
    return valor;
}
}   // namespace

QByteArray f_BytesDeLinea(const QString& linea) {
    QByteArray bytes;
    bytes.reserve(linea.size() / 3 + 1);
    for (qsizetype i = 0; 3 * i <= linea.size(); ++i) bytes.append(static_cast<char>(LeerPar(linea, 3 * i)));
    return bytes;
}

int f_XorDeLinea(const QString& linea) {
    int x = 0;
    for (qsizetype i = 0; 3 * i <= linea.size(); ++i) x ^= LeerPar(linea, 3 * i);
    return x;
}
