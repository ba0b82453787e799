#include "Bytes.h"
#include "Codificacion.h"

QString HexAsc(QChar c) {
    int codigo = Codificacion::CodigoWin1252(c);
    if (codigo < 0) codigo = '?';   // as the platform's Asc does for a character the code page lacks
    return QStringLiteral("%1").arg(codigo, 2, 16, QLatin1Char('0')).toUpper();
}

namespace {
// Two characters read as hex: blanks skipped, stops at the first other
// character that is not a hex digit; no digit reads as 0.
int LeerPar(const QString& texto, qsizetype desde) {
    int valor = 0;
    for (qsizetype i = desde; i < desde + 2 && i < texto.size(); ++i) {
        const char16_t c = texto.at(i).unicode();
        if (c == u' ') continue;
        int d;
        if (c >= u'0' && c <= u'9') d = c - u'0';
        else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
        else break;
        valor = valor * 16 + d;
    }
    return valor;
}
}  // namespace

QString f_BCC(const QString& texto) {
    int x = 0;
    for (qsizetype j = 0; 3 * j <= texto.size(); ++j) x ^= LeerPar(texto, 3 * j);
    return QStringLiteral("%1").arg(x, 2, 16, QLatin1Char('0')).toUpper();
}
