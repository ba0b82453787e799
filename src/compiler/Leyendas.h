#pragma once
#include <QString>
#include <QStringView>

// The captions a card line leaves, a fixed text and the card: the pass's
// memory keeps which one a line set, not the text, which on a long card list
// would be two more strings per line.
enum class Leyenda : unsigned char {
    Compilando,   // "Compilando linea: " (the handler, as it goes)
    Insertando    // "Insertando código: " (the line's code line written)
};
QString f_Leyenda(Leyenda l, QStringView codigo);
// Whether `info` is caption l for `codigo`, read in place.
bool EsLeyenda(Leyenda l, QStringView info, QStringView codigo);
