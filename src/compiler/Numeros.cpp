#include "Numeros.h"

namespace {
// Digits of the value: leading zeros dropped, "0" for zero.
QString DigitosValor(const QString& texto) {
    qsizetype i = 0;
    while (i + 1 < texto.size() && texto.at(i) == u'0') ++i;
    return texto.mid(i);
}
}   // namespace

bool f_EsNumero(const QString& texto) {
    if (texto.isEmpty()) return false;
    for (const QChar c : texto)
        if (c < u'0' || c > u'9') return false;
    return true;
}

std::optional<QString> f_ConCeros(const QString& texto, int ancho) {
    if (!f_EsNumero(texto)) return std::nullopt;
    const QString valor = DigitosValor(texto);
    if (valor.size() > ancho) return std::nullopt;
    return valor.rightJustified(ancho, u'0');
}

std::optional<int> f_ValorEntre(const QString& texto, int minimo, int maximo) {
    if (!f_EsNumero(texto)) return std::nullopt;
    const QString valor = DigitosValor(texto);
    // Nine digits fit an int; anything longer is beyond every bound used here.
    if (valor.size() > 9) return std::nullopt;
    const int n = valor.toInt();
    if (n < minimo || n > maximo) return std::nullopt;
    return n;
}
