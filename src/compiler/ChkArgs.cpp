#include "Compilador.h"
#include "EntornoCompilador.h"
#include <algorithm>
#include <climits>

namespace {
void ErrorArgs(Compilador& c, const QString& final) {
    c.InsertaCodigo(QStringLiteral("Comando ") + c.v_Cmd[0] + final, TipoDeLinea::Err);
}
}   // namespace

// Argument count of the line against v_NArg; fills v_Arg (blanks removed)
// and serves a help request ("?" as the first argument).
int Compilador::ChkArgs(int v_NArg) {
    v_ChkArgs = 0;
    const bool conTexto = v_Cmd.size() >= 2;
    using Clase = RecuerdosPasada::Efecto::Clase;
    v_Memoria.Hecho({conTexto ? Clase::ChkConArgs : Clase::Chk, TipoDeLinea::Nul, QString()});
    if (!conTexto) {
        if (v_NArg >= 1) ErrorArgs(*this, QStringLiteral(": Sin argumentos"));
        return 0;
    }
    const QString& texto = v_Cmd[1];
    const qsizetype piezas = texto.isEmpty() ? 0 : texto.count(QLatin1Char(',')) + 1;
    // Of a line with thousands of commas only the first arguments are ever
    // read (the count is what fails): the rest is not made into strings.
    const qsizetype guardar = std::max(v_NArg + 1, 3);
    if (piezas == 1) {
        v_Arg = QStringList{texto};   // shared: a long single argument is not copied
    } else if (piezas <= guardar) {
        v_Arg = texto.isEmpty() ? QStringList() : texto.split(QLatin1Char(','));
    } else {
        v_Arg.clear();
        for (const QStringView pieza : QStringView(texto).tokenize(u',')) {
            if (v_Arg.size() == guardar) break;
            v_Arg.append(pieza.toString());
        }
    }
    if (!v_Arg.isEmpty() && v_Arg[0] == QLatin1String("?")) {
        entorno.MostrarAyuda();
        v_ChkArgs = -1;
        return 0;
    }
    const int n = static_cast<int>(std::min<qsizetype>(piezas, INT_MAX));
    if (n > v_NArg) {
        ErrorArgs(*this, QStringLiteral(": Sobran argumentos"));
    } else if (n < v_NArg) {
        ErrorArgs(*this, QStringLiteral(": Faltan argumentos"));
    } else {
        for (const QString& a : std::as_const(v_Arg))
            if (a.isEmpty()) ErrorArgs(*this, QStringLiteral(": Argumento vacío"));
    }
    v_ChkArgs = n;
    for (QString& a : v_Arg) a.remove(QLatin1Char(' '));
    return n;
}
