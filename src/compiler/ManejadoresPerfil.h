#pragma once
#include <QString>

// Day letters of a profile (D L M X J V S, Sunday to Saturday, either case)
// as the day byte: bit 7 always set, one bit per day; a letter given twice
// counts once. On success returns the byte's two hex digits and upper-cases
// v_Dias_S in place; otherwise returns "Err " and the first bad character,
// upper-cased, and leaves v_Dias_S as it was.
QString f_Dias(QString& v_Dias_S);
