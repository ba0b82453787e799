#include "CodigoGuardado.h"
#include <cstring>
#include <utility>

namespace {
int Digito(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;   // lower case would not read back as typed
}
}   // namespace

static_assert(sizeof(CodigoGuardado) == sizeof(QString), "no bigger than the string it replaces");

QString* CodigoGuardado::Otro() const {
    QString* r;
    std::memcpy(&r, v_Pares, sizeof r);
    return r;
}

void CodigoGuardado::SetOtro(QString* texto) {
    std::memcpy(v_Pares, &texto, sizeof texto);
    v_Cuantos = kTexto;
}

CodigoGuardado::CodigoGuardado(const CodigoGuardado& otro) : CodigoGuardado() { *this = otro; }

CodigoGuardado::CodigoGuardado(CodigoGuardado&& otro) noexcept : CodigoGuardado() { *this = std::move(otro); }

CodigoGuardado& CodigoGuardado::operator=(const CodigoGuardado& otro) {
    if (this == &otro) return *this;
    if (otro.v_Cuantos == kTexto) return *this = *otro.Otro();
    Quitar();
    std::memcpy(v_Pares, otro.v_Pares, kPares);
    v_Cuantos = otro.v_Cuantos;
    return *this;
}

CodigoGuardado& CodigoGuardado::operator=(CodigoGuardado&& otro) noexcept {
    if (this == &otro) return *this;
    Quitar();
    std::memcpy(v_Pares, otro.v_Pares, kPares);   // the pairs, or the pointer to the text
    v_Cuantos = std::exchange(otro.v_Cuantos, 0);
    return *this;
}

CodigoGuardado& CodigoGuardado::operator=(const QString& texto) {
    const qsizetype n = texto.size();
    if (n == 0) {   // no code line: nothing kept
        Quitar();
        return *this;
    }
    // Pairs: 2 characters, then 3 for each further pair.
    const bool forma = n >= 2 && n <= 3 * kPares - 1 && n % 3 == 2;
    unsigned char pares[kPares];
    bool empaca = forma;
    for (qsizetype k = 0; empaca && k < (n + 1) / 3; ++k) {
        const int alto = Digito(texto[3 * k].unicode()), bajo = Digito(texto[3 * k + 1].unicode());
        empaca = alto >= 0 && bajo >= 0 && (3 * k + 2 == n || texto[3 * k + 2] == QLatin1Char(' '));
        pares[k] = static_cast<unsigned char>(alto * 16 + bajo);
    }
    if (!empaca) {
        if (v_Cuantos == kTexto)
            *Otro() = texto;
        else
            SetOtro(new QString(texto));
        return *this;
    }
    Quitar();
    std::memcpy(v_Pares, pares, static_cast<size_t>((n + 1) / 3));
    v_Cuantos = static_cast<unsigned char>((n + 1) / 3);
    return *this;
}

QString CodigoGuardado::Texto() const {
    if (v_Cuantos == kTexto) return *Otro();
    if (v_Cuantos == 0) return QString();
    static constexpr char kHex[] = "0123456789ABCDEF";
    QString r(3 * v_Cuantos - 1, QLatin1Char(' '));
    QChar* d = r.data();
    for (int k = 0; k < v_Cuantos; ++k) {
        d[3 * k] = QLatin1Char(kHex[v_Pares[k] >> 4]);
        d[3 * k + 1] = QLatin1Char(kHex[v_Pares[k] & 15]);
    }
    return r;
}

void CodigoGuardado::Quitar() {
    if (v_Cuantos == kTexto) delete Otro();
    v_Cuantos = 0;
}
