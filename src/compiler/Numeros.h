#pragma once
#include <QString>
#include <optional>

// Numbers typed as command arguments. Only plain decimal digits count as a
// number: no sign, no fraction, no exponent, nothing a terminal would misread.

// True when texto is one or more of the characters 0 to 9.
bool f_EsNumero(const QString& texto);

// The number written with exactly `ancho` digits (leading zeros added or
// dropped: "7" -> "00007", "000123" -> "00123"). Nothing when it is not a
// number or its value needs more than `ancho` digits, since a terminal would
// receive only the first ones and read another value.
std::optional<QString> f_ConCeros(const QString& texto, int ancho);

// The value of a number inside minimo..maximo (both included); nothing when
// it is not a number or falls outside.
std::optional<int> f_ValorEntre(const QString& texto, int minimo, int maximo);
