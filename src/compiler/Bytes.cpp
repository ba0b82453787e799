#include "Bytes.h"
#include "Codificacion.h"

namespace {
const char kDigitos[] = "0123456789ABCDEF";

QString DosDigitos(int valor) {
    const QChar r[2] = {QLatin1Char(kDigitos[(valor >> 4) & 0xF]), QLatin1Char(kDigitos[valor & 0xF])};
    return QString(r, 2);
}

void AgregarDigitos(QString& destino, QChar c) {
    int codigo = Codificacion::CodigoWin1252(c);
    if (codigo < 0) codigo = '?';
    destino += QLatin1Char(kDigitos[(codigo >> 4) & 0xF]);
    destino += QLatin1Char(kDigitos[codigo & 0xF]);
}

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

QString HexAsc(QChar c) {
    int codigo = Codificacion::CodigoWin1252(c);
    if (codigo < 0) codigo = '?';   // as the platform's Asc does for a character the code page lacks
    return DosDigitos(codigo);
}

QString f_BCC(const QString& texto) {
    int x = 0;
    for (qsizetype j = 0; 3 * j <= texto.size(); ++j) x ^= LeerPar(texto, 3 * j);
    return DosDigitos(x);
}

QString HexTexto(const QString& texto) {
    QString r;
    r.reserve(texto.size() * 3);
    for (QChar c : texto) {
        AgregarDigitos(r, c);
        r += QLatin1Char(' ');
    }
    return r;
}

QString TramaReloj(QChar reloj, const QString& byteComando, const QString& datos) {
    QString t;
    t.reserve(datos.size() + 20);
    t += QLatin1String("02 52 ");
    AgregarDigitos(t, reloj);
    t += QLatin1Char(' ');
    t += byteComando;
    t += QLatin1Char(' ');
    t += datos;
    t += QLatin1String("03 ");
    t += f_BCC(t);
    return t;
}
