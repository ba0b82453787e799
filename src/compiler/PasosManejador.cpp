#include "PasosManejador.h"
#include "Compilador.h"

namespace Pasos {

void AgregarError(Compilador& c, const QString& mensaje) {
    c.InsertaCodigo(mensaje, QStringLiteral("Err"));
    c.TipoLinea = QStringLiteral("Err");
}

bool ArgsCompletos(Compilador& c, int v_NArg) {
    if (c.ChkArgs(v_NArg) == v_NArg) return true;
    c.TipoLinea = QStringLiteral("Err");
    return false;
}

bool RelojValido(Compilador& c, int indice) {
    return RelojValido(c, indice, QStringLiteral("ERROR! Formato de número de reloj invalido"),
                       QStringLiteral("ERROR! Número de reloj invalido"));
}

bool RelojValido(Compilador& c, int indice, const QString& msgFormato, const QString& msgNumero) {
    if (c.ChkReloj(c.v_Arg.at(indice), msgFormato, msgNumero)) return true;
    c.TipoLinea = QStringLiteral("Err");
    return false;
}

}  // namespace Pasos
