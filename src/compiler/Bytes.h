#pragma once
#include <QString>

// Byte text of code lines: "02 52 31 41 03 23".

// Windows-1252 code of a character as two upper-case hex digits ("1" -> "31").
QString HexAsc(QChar c);

// Check byte of a code line text: XOR of the pieces at 0, 3, 6, ... read as
// hex (the reading rule of code lines), two upper-case hex digits.
QString f_BCC(const QString& texto);
