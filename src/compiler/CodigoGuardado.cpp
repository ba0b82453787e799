#include "CodigoGuardado.h"
#include "LecturaCodigo.h"
#include <cstring>
#include <utility>

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
    if (n > 3 * kPares - 1 || !f_EsPares(texto)) {
        if (v_Cuantos == kTexto)
            *Otro() = texto;
        else
            SetOtro(new QString(texto));
        return *this;
    }
    unsigned char pares[kPares];
    EmpacarPares(texto, pares);
    Quitar();
    std::memcpy(v_Pares, pares, static_cast<size_t>((n + 1) / 3));
    v_Cuantos = static_cast<unsigned char>((n + 1) / 3);
    return *this;
}

QString CodigoGuardado::Texto() const {
    if (v_Cuantos == kTexto) return *Otro();
    if (v_Cuantos == 0) return QString();
    QString r(3 * v_Cuantos - 1, Qt::Uninitialized);
    QChar* d = r.data();
    for (qsizetype i = 0; i < r.size(); ++i) d[i] = QChar(f_CaracterDePares(v_Pares, i));
    return r;
}

void CodigoGuardado::Quitar() {
    if (v_Cuantos == kTexto) delete Otro();
    v_Cuantos = 0;
}
