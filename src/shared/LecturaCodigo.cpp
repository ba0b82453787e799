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

namespace {
int CifraMayuscula(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;   // lower case would not be written back as it was
}
}   // namespace

bool f_EsPares(QStringView texto) {
    if (texto.size() < 2 || texto.size() % 3 != 2) return false;
    for (qsizetype i = 0; i < texto.size(); ++i)
        if (i % 3 == 2 ? texto[i] != u' ' : CifraMayuscula(texto[i].unicode()) < 0) return false;
    return true;
}

void EmpacarPares(QStringView texto, unsigned char* destino) {
    for (qsizetype i = 0; i + 1 < texto.size(); i += 3)
        *destino++ = static_cast<unsigned char>(CifraMayuscula(texto[i].unicode()) << 4 | CifraMayuscula(texto[i + 1].unicode()));
}
