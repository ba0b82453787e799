#pragma once
#include <QByteArray>
#include <QString>

// How a code line's text reads as bytes; the compiler's check byte and the
// run's frames both come from here.

// Bytes of a code line: pieces of two characters at 0, 3, 6, ... while
// 3*i <= length; blanks skipped, a piece stops at its first other non-hex
// character, an empty piece reads as 0. A final blank therefore adds a 0.
QByteArray f_BytesDeLinea(const QString& linea);

// Exclusive OR of the bytes f_BytesDeLinea reads from the text.
int f_XorDeLinea(const QString& linea);
