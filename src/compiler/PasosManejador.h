#pragma once
#include <QString>

class Compilador;

// Steps shared by the command handlers. Each failing step appends its error
// line (through the check it runs) and makes the line "Err".
namespace Pasos {

// Appends an error line and makes the line "Err".
void AgregarError(Compilador& c, const QString& mensaje);

// ChkArgs with the command's argument count; false when the count differs.
bool ArgsCompletos(Compilador& c, int v_NArg);

// ChkReloj on argument `indice`, with the default clock messages unless
// others are given.
bool RelojValido(Compilador& c, int indice = 0);
bool RelojValido(Compilador& c, int indice, const QString& msgFormato, const QString& msgNumero);

}  // namespace Pasos
