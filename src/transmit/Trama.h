#pragma once
#include <QByteArray>
#include <QString>

// Code line text <-> bytes on the link.

// Bytes of a code line by the reading rule (f_BytesDeLinea): pieces of two characters at
// 0, 3, 6, ... while 3*i <= length; blanks skipped, reading stops at the
// first other non-hex character, an empty piece gives 0.
QByteArray f_TramaDeLinea(const QString& linea);

// Received bytes as text: two upper-case hex digits and a blank per byte.
QString f_LineaHex(const QByteArray& v_LinChr);

// Awaited answer length for a code line; updates the register-read flag.
int f_LargoRespuesta(const QString& linea, bool* v_TrasLREG);
