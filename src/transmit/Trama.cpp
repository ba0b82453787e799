#include "Trama.h"

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

// Command byte -> (awaited bytes, register-read flag afterwards).
struct Respuesta {
    const char16_t* byte;
    int largo;
    bool trasLREG;
};
constexpr Respuesta kRespuestas[] = {
    {u"41", 19, false},
    {u"42", 19, false},
    {u"30", 19, true},
};
}  // namespace

QByteArray f_TramaDeLinea(const QString& linea) {
    QByteArray trama;
    trama.reserve(linea.size() / 3 + 1);
    for (qsizetype i = 0; 3 * i <= linea.size(); ++i) trama.append(static_cast<char>(LeerPar(linea, 3 * i)));
    return trama;
}

QString f_LineaHex(const QByteArray& v_LinChr) {
    static const char kDigitos[] = "0123456789ABCDEF";
    QString texto;
    texto.reserve(v_LinChr.size() * 3);
    for (char c : v_LinChr) {
        const auto b = static_cast<unsigned char>(c);
        texto.append(QLatin1Char(kDigitos[b >> 4]));
        texto.append(QLatin1Char(kDigitos[b & 0x0F]));
        texto.append(QLatin1Char(' '));
    }
    return texto;
}

int f_LargoRespuesta(const QString& linea, bool* v_TrasLREG) {
    if (linea == QLatin1String("06")) return *v_TrasLREG ? 18 : 1;
    const QStringView byte = QStringView(linea).mid(9, 2);
    for (const auto& r : kRespuestas)
        if (byte == QStringView(r.byte)) {
            *v_TrasLREG = r.trasLREG;
            return r.largo;
        }
    *v_TrasLREG = false;
    return 1;
}
