#pragma once
#include <QString>
#include <QStringList>

// v_Arg as the pass's memory keeps it for each line, in one string: the
// arguments joined by commas (a piece of the argument text never holds one).
// On a long card list a QStringList of four short strings costs five blocks
// of memory per line, this one. Kept exact, so a comparison never takes two
// different argument lists for the same.
class ArgsGuardados {
public:
    ArgsGuardados() = default;
    static ArgsGuardados De(const QStringList& args);

    bool Hay() const { return !v_Texto.isNull(); }
    void Quitar() { v_Texto = QString(); }
    QStringList Lista() const;
    // Argument k, or an empty view when there are fewer.
    QStringView Pieza(qsizetype k) const;
    // The same arguments, read in place: nothing is built to compare.
    bool Igual(const QStringList& args) const;

private:
    // The first character says how the rest is written: kVacia (no
    // arguments), kJuntos (joined by commas) or, when a handler put a comma
    // into an argument, kLargos (each argument after its length in two characters).
    static constexpr char16_t kVacia = u'0', kJuntos = u'j', kLargos = u'l';
    template <typename F> bool Recorrer(F&& cada) const;

    QString v_Texto;   // null: none kept
};
