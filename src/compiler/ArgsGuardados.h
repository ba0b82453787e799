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
    // The same, kept in the line itself when the line reads a word, a blank
    // and the arguments joined by ", " (a command line in normal form): no
    // string of their own. Otherwise as De(args).
    static ArgsGuardados De(const QStringList& args, const QString& linea);
    // These same arguments kept in `linea` when it holds them so (as above),
    // else unchanged.
    ArgsGuardados EnLinea(const QString& linea) const;
    // `linea` as kept arguments, if it holds them so (a word, a blank, the
    // arguments); none otherwise. Nothing is checked beyond that.
    static ArgsGuardados DeLaLinea(const QString& linea);
    // Kept in `linea` itself (for tests and checks).
    bool EnLaLinea(const QString& linea) const { return !v_Texto.isNull() && v_Texto.isSharedWith(linea); }

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
    // into an argument, kLargos (each argument after its length in two
    // characters). Any other: the line itself, arguments after its first
    // blank, joined by ", " (only kept so when it reads back exactly, as
    // Recorrer reads it).
    static constexpr char16_t kVacia = u'0', kJuntos = u'j', kLargos = u'l';
    static bool EsMarca(QChar c) { return c == QChar(kVacia) || c == QChar(kJuntos) || c == QChar(kLargos); }
    template <typename F> bool Recorrer(F&& cada) const;

    QString v_Texto;   // null: none kept
};
