#pragma once
#include <QString>

// The code line a command line left (v_CodLin), as the pass's memory keeps it
// for every line. A frame written as hex pairs ("02 52 31 35 ... 03 65": upper
// case, one blank between pairs) is packed one byte per pair inside the object
// itself; any other text (an error line, raw bytes as typed) is kept as it
// is. On a long card list this saves a string block of a hundred bytes per
// line, and the object is no bigger than the string it replaces.
class CodigoGuardado {
public:
    CodigoGuardado() noexcept = default;
    CodigoGuardado(const CodigoGuardado& otro);
    CodigoGuardado(CodigoGuardado&& otro) noexcept;
    CodigoGuardado& operator=(const CodigoGuardado& otro);
    CodigoGuardado& operator=(CodigoGuardado&& otro) noexcept;
    ~CodigoGuardado() { Quitar(); }

    CodigoGuardado& operator=(const QString& texto);
    // The text exactly as it was given; an empty one reads back as a null string.
    QString Texto() const;
    void Quitar();

    static constexpr int kPares = 23;   // pairs kept inside the object

private:
    static constexpr unsigned char kTexto = 0xFF;   // v_Pares holds a pointer to the text
    QString* Otro() const;
    void SetOtro(QString* texto);

    // The pairs, or the text's pointer in their first bytes (copied in and
    // out, so that the object needs no alignment and no padding).
    unsigned char v_Pares[kPares] = {};
    unsigned char v_Cuantos = 0;   // pairs packed, or kTexto
};
