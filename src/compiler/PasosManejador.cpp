#include "PasosManejador.h"
#include "Compilador.h"

namespace Pasos {

bool AgregarError(Compilador& c, const QString& mensaje) {
    c.InsertaCodigo(mensaje, TipoDeLinea::Err);
    c.TipoLinea = TipoDeLinea::Err;
    return false;
}

bool Rechazar(Compilador& c) {
    c.TipoLinea = TipoDeLinea::Err;
    return false;
}

bool ArgsCompletos(Compilador& c, int v_NArg) {
    return c.ChkArgs(v_NArg) == v_NArg || Rechazar(c);
}

bool RelojValido(Compilador& c, int indice) {
    return RelojValido(c, indice, QStringLiteral("ERROR! Formato de número de reloj invalido"),
                       QStringLiteral("ERROR! Número de reloj invalido"));
}

bool RelojValido(Compilador& c, int indice, const QString& msgFormato, const QString& msgNumero) {
    return c.ChkReloj(c.v_Arg.at(indice), msgFormato, msgNumero);   // ChkReloj marks the line itself
}

}   // namespace Pasos
