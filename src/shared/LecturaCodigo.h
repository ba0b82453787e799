#pragma once
#include <QByteArray>
#include <QString>

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
