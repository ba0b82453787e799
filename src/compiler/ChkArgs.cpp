#include "Compilador.h"
#include "EntornoCompilador.h"

namespace {
void ErrorArgs(Compilador& c, const QString& final) {
    c.InsertaCodigo(QStringLiteral("Comando ") + c.v_Cmd[0] + final, TipoDeLinea::Err);
}
}  // namespace

// Argument count of the line against v_NArg; fills v_Arg (blanks removed)
// and serves a help request ("?" as the first argument).
int Compilador::ChkArgs(int v_NArg) {
    v_ChkArgs = 0;
    if (v_Cmd.size() < 2) {
        if (v_NArg >= 1) ErrorArgs(*this, QStringLiteral(": Sin argumentos"));
        return 0;
    }
    const QString& texto = v_Cmd[1];
    v_Arg = texto.isEmpty() ? QStringList() : texto.split(QLatin1Char(','));
    if (!v_Arg.isEmpty() && v_Arg[0] == QLatin1String("?")) {
        entorno.MostrarAyuda();
        v_ChkArgs = -1;
        return 0;
    }
    const int n = static_cast<int>(v_Arg.size());
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
