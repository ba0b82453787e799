#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>

// How a code line's text reads as bytes, and how a byte is written as text;
// the compiler's code lines and check byte and the run's frames and logged
// answers all come from here.

// Appends a byte (0 to 255) as two upper-case hex digits.
inline void AgregarByteHex(QString& destino, unsigned byte) {
    static constexpr char kDigitos[] = "0123456789ABCDEF";
    destino += QLatin1Char(kDigitos[(byte >> 4) & 0xF]);
    destino += QLatin1Char(kDigitos[byte & 0xF]);
}

// Bytes of a code line: pieces of two characters at 0, 3, 6, ... while
// 3*i <= length; blanks skipped, a piece stops at its first other non-hex
// character, an empty piece reads as 0. A final blank therefore adds a 0.
QByteArray f_BytesDeLinea(const QString& linea);

// Exclusive OR of the bytes f_BytesDeLinea reads from the text.
int f_XorDeLinea(const QString& linea);

// A text written exactly as the code pane writes a frame: upper-case pairs,
// one blank between them ("02 52 03"), nothing else. Such a text is its bytes
// and can be kept as them, one byte a pair, and written back the same.
bool f_EsPares(QStringView texto);
// The bytes of such a text, (size + 1) / 3 of them.
void EmpacarPares(QStringView texto, unsigned char* destino);
// Character i of the text of the pairs `bytes`.
inline char16_t f_CaracterDePares(const unsigned char* bytes, qsizetype i) {
    static constexpr char kDigitos[] = "0123456789ABCDEF";
    switch (i % 3) {
    case 0: return char16_t(kDigitos[bytes[i / 3] >> 4]);
    case 1: return char16_t(kDigitos[bytes[i / 3] & 0xF]);
    default: return u' ';
    }
}
