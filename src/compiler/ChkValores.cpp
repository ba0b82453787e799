#include "Compilador.h"
#include "FechaHora.h"

namespace {
// Characters as the user sees them: a surrogate pair is one.
qsizetype Caracteres(const QString& s) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i, ++n)
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ++i;
    return n;
}

bool EsReloj(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'1' && u <= u'9') || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}
}   // namespace

bool Compilador::ChkReloj(const QString& arg, const QString& msgFormato, const QString& msgNumero) {
    if (Caracteres(arg) >= 2) {
        InsertaCodigo(msgFormato, TipoDeLinea::Err);
        TipoLinea = TipoDeLinea::Err;
        return false;
    }
    if (arg.size() == 1 && EsReloj(arg.at(0))) return true;
    InsertaCodigo(msgNumero, TipoDeLinea::Err);
    TipoLinea = TipoDeLinea::Err;
    return false;
}

bool Compilador::ChkFecha(QString& arg) {
    const QString normal = f_NormalizarFecha(arg);
    if (normal.isEmpty()) {
        InsertaCodigo(QStringLiteral("ERROR! Fecha invalida"), TipoDeLinea::Err);
        TipoLinea = TipoDeLinea::Err;
        return false;
    }
    arg = normal;
    return true;
}

bool Compilador::ChkHora(QString& arg, const QString& mensaje) {
    const QString normal = f_NormalizarHora(arg);
    if (normal.isEmpty()) {
        InsertaCodigo(mensaje, TipoDeLinea::Err);
        TipoLinea = TipoDeLinea::Err;
        return false;
    }
    arg = normal;
    return true;
}
