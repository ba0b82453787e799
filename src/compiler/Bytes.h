#pragma once
#include <QString>

// Byte text of code lines: "02 52 31 41 03 23".

// Windows-1252 code of a character as two upper-case hex digits ("1" -> "31");
// "3F" for a character the code page lacks.
QString HexAsc(QChar c);

// Check byte of a code line text: XOR of the pieces at 0, 3, 6, ... read as
// hex (the reading rule of code lines), two upper-case hex digits.
QString f_BCC(const QString& texto);

// HexAsc of every character of a text, each followed by a blank ("05" -> "30 35 ").
QString HexTexto(const QString& texto);

// A clock frame: "02 52 " + HexAsc(reloj) + " " + byteComando + " " + datos +
// "03 " and its check byte. datos is byte text with a blank after every byte
// (HexTexto), or empty.
QString TramaReloj(QChar reloj, const QString& byteComando, const QString& datos = {});
