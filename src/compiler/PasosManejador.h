#pragma once
#include <QString>

class Compilador;

// The steps every command handler is written in: each returns whether the
// line may go on, and a failing step has appended its error line (through
// the check it runs) and made the line an error line.
namespace Pasos {

// Appends an error line and makes the line an error line; always false.
bool AgregarError(Compilador& c, const QString& mensaje);

// Makes the line an error line whose message an earlier check already
// gave, or that has none of its own (a help request); always false.
bool Rechazar(Compilador& c);

// ChkArgs with the command's argument count; false when the count differs.
bool ArgsCompletos(Compilador& c, int v_NArg);

// ChkReloj on argument `indice`, with the clock messages unless others are given.
bool RelojValido(Compilador& c, int indice = 0);
bool RelojValido(Compilador& c, int indice, const QString& msgFormato, const QString& msgNumero);

}   // namespace Pasos
