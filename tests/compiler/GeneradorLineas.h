#pragma once
// Random command lines: words from the command table, random arguments,
// junk and non-ASCII text, comments and empty lines.
#include "TablaComandos.h"
#include <QString>
#include <QStringList>
#include <random>

class Generador {
public:
    explicit Generador(unsigned semilla) : v_Rng(semilla) {}

    QString Linea() {
        switch (Entre(0, 9)) {
        case 0: return QString();
        case 1: return Basura(Entre(1, 12));
        case 2: return QStringLiteral("-- ") + Basura(Entre(0, 8));
        default: break;
        }
        QString palabra = Palabra();
        if (Entre(0, 5) == 0) palabra = palabra.toLower();
        if (Entre(0, 9) == 0) return palabra;
        QStringList args;
        const int n = Entre(0, 7);
        for (int i = 0; i < n; ++i) args.append(Argumento());
        QString sep = Entre(0, 1) ? QStringLiteral(", ") : QStringLiteral(",");
        return palabra + (Entre(0, 15) ? QStringLiteral(" ") : QStringLiteral("  ")) + args.join(sep);
    }

    // A line of a card list (orvo-gen's kind), now and then written by hand,
    // wrong, or (otras) any other line.
    QString Tarjeta(bool otras) {
        switch (Entre(0, 15)) {
        case 0: return otras ? Linea() : QStringLiteral("AING 1, 123456, A, B");
        case 1: return QStringLiteral("aing 1,%1,a,b").arg(Entre(0, 20));
        case 2: return QStringLiteral("AING 1, %1, AB, B").arg(Entre(0, 20));
        default: return QStringLiteral("AING %1, %2, A, B").arg(Entre(1, 2)).arg(Entre(0, 20), 5, 10, QLatin1Char('0'));
        }
    }

    int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(v_Rng); }

private:
    QString Palabra() {
        int cantidad = 0;
        const DefComando* tabla = Comandos(&cantidad);
        if (Entre(0, 12) == 0) return QStringLiteral("FECHA");
        return QString::fromLatin1(tabla[Entre(0, cantidad - 1)].palabra);
    }

    QString Argumento() {
        static const char* fijos[] = {"1", "a", "Z", "0", "10", "?", "", " ", "5/12/26", "31/02/2026", "29-2-2024",
                                      "9:05", "23:59:59", "24:00", "0252", "02 52 31 41 03 23", "ff", "x0Z", "12345678",
                                      "01", "L", "1111111", "08:00", "@"};
        switch (Entre(0, 4)) {
        case 0: return Basura(Entre(0, 6));
        case 1: return QString::number(Entre(0, 99999999));
        default: return QString::fromUtf8(fijos[Entre(0, std::size(fijos) - 1)]);
        }
    }

    QString Basura(int largo) {
        // Either half of the face's surrogate pair gives the whole face.
        static const QString cara = QString::fromUtf8("\xF0\x9F\x98\x80");
        static const QString alfabeto = QStringLiteral("aZ09 ,;:/-?@\t#ñÉ€中") + cara;
        QString r;
        for (int i = 0; i < largo; ++i) {
            const QChar c = alfabeto.at(Entre(0, static_cast<int>(alfabeto.size()) - 1));
            r += c.isSurrogate() ? cara : QString(c);
        }
        return r;
    }

    std::mt19937 v_Rng;
};
