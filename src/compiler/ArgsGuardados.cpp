#include "ArgsGuardados.h"
#include <QVarLengthArray>

ArgsGuardados ArgsGuardados::De(const QStringList& args) {
    ArgsGuardados g;
    if (args.isEmpty()) {
        g.v_Texto = QString(QChar(kVacia));
        return g;
    }
    bool coma = false;
    qsizetype largo = 1 + args.size() - 1;
    for (const QString& a : args) {
        coma = coma || a.contains(QLatin1Char(','));
        largo += a.size();
    }
    if (coma) largo += args.size() * 2 - (args.size() - 1);
    g.v_Texto.reserve(largo);
    g.v_Texto += QChar(coma ? kLargos : kJuntos);
    for (qsizetype k = 0; k < args.size(); ++k) {
        const QString& a = args[k];
        if (coma) {
            const auto n = static_cast<quint32>(a.size());
            g.v_Texto += QChar(static_cast<char16_t>(n >> 16));
            g.v_Texto += QChar(static_cast<char16_t>(n & 0xFFFF));
        } else if (k) {
            g.v_Texto += QLatin1Char(',');
        }
        g.v_Texto += a;
    }
    return g;
}

// Calls cada(piece) for each argument in order, while it answers true.
template <typename F> bool ArgsGuardados::Recorrer(F&& cada) const {
    if (!EsMarca(v_Texto.front())) {
        // Cut at each comma, one blank after it left out: read so, the line
        // was checked to give back its arguments exactly when it was kept.
        const qsizetype blanco = v_Texto.indexOf(QLatin1Char(' '));
        bool primera = true;
        for (QStringView pieza : QStringView(v_Texto).mid(blanco + 1).tokenize(u',')) {
            if (!primera && pieza.startsWith(QLatin1Char(' '))) pieza = pieza.mid(1);
            primera = false;
            if (!cada(pieza)) return false;
        }
        return true;
    }
    const QStringView resto = QStringView(v_Texto).mid(1);
    if (v_Texto.front() == QChar(kVacia)) return true;
    if (v_Texto.front() == QChar(kJuntos)) {
        for (const QStringView pieza : resto.tokenize(u','))
            if (!cada(pieza)) return false;
        return true;
    }
    for (qsizetype p = 0; p + 2 <= resto.size();) {
        const qsizetype n = (qsizetype(resto[p].unicode()) << 16) | resto[p + 1].unicode();
        if (!cada(resto.mid(p + 2, n))) return false;
        p += 2 + n;
    }
    return true;
}

QStringList ArgsGuardados::Lista() const {
    QStringList lista;
    if (!Hay()) return lista;
    Recorrer([&lista](QStringView pieza) {
        lista.append(pieza.toString());
        return true;
    });
    return lista;
}

QStringView ArgsGuardados::Pieza(qsizetype k) const {
    QStringView encontrada;
    if (!Hay()) return encontrada;
    Recorrer([&encontrada, &k](QStringView pieza) {
        if (k-- > 0) return true;
        encontrada = pieza;
        return false;
    });
    return encontrada;
}

bool ArgsGuardados::Igual(const QStringList& args) const {
    if (!Hay()) return false;
    qsizetype k = 0;
    const bool iguales = Recorrer([&args, &k](QStringView pieza) { return k < args.size() && pieza == args[k++]; });
    return iguales && k == args.size();
}

ArgsGuardados ArgsGuardados::DeLaLinea(const QString& linea) {
    ArgsGuardados g;
    if (!linea.isEmpty() && !EsMarca(linea.front()) && linea.contains(QLatin1Char(' '))) g.v_Texto = linea;
    return g;
}

ArgsGuardados ArgsGuardados::De(const QStringList& args, const QString& linea) {
    ArgsGuardados g = DeLaLinea(linea);
    if (g.Hay() && g.Igual(args)) return g;
    return De(args);
}

ArgsGuardados ArgsGuardados::EnLinea(const QString& linea) const {
    if (!Hay() || (linea.isSharedWith(v_Texto) && !EsMarca(v_Texto.front()))) return *this;
    const ArgsGuardados g = DeLaLinea(linea);
    if (!g.Hay()) return *this;
    if (!EsMarca(v_Texto.front()) && v_Texto == linea) return g;   // the same line again: the same arguments
    // Compared piece by piece, as each reads them: nothing is built.
    QVarLengthArray<QStringView, 8> piezas;
    Recorrer([&piezas](QStringView pieza) {
        piezas.append(pieza);
        return true;
    });
    qsizetype k = 0;
    const bool iguales = g.Recorrer([&piezas, &k](QStringView pieza) { return k < piezas.size() && pieza == piezas[k++]; });
    return iguales && k == piezas.size() ? g : *this;
}
