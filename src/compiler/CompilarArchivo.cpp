#include "CompilarArchivo.h"
#include "Codificacion.h"
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "PanelMemoria.h"
#include <algorithm>

namespace {
// Every line end already CR LF, as in the files the program saves.
bool SoloCRLF(const QString& t) {
    if (std::any_of(t.begin(), t.end(), [](QChar c) { return c.unicode() >= 0x2028 && Codificacion::EsFinDeLinea(c); })) return false;
    const qsizetype n = t.size();
    for (qsizetype i = t.indexOf(u'\r'); i >= 0; i = t.indexOf(u'\r', i + 2))
        if (i + 1 >= n || t.at(i + 1) != u'\n') return false;
    for (qsizetype i = t.indexOf(u'\n'); i >= 0; i = t.indexOf(u'\n', i + 1))
        if (i == 0 || t.at(i - 1) != u'\r') return false;
    return true;
}
}   // namespace

QString TextoComoAbrir(const QByteArray& bytes) {
    // Every line ends with CR LF, whether the file ended it with CR LF, LF, CR or
    // a Unicode separator.
    QString leido = Codificacion::Decodificar(bytes).texto;
    if (SoloCRLF(leido)) {
        // Kept as read: a file of one long line is not copied.
        if (!leido.isEmpty() && !leido.endsWith(QStringLiteral("\r\n"))) leido += QStringLiteral("\r\n");
        return leido;
    }
    QString texto;
    texto.reserve(leido.size() + leido.size() / 8 + 2);
    const qsizetype n = leido.size();
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = leido.at(i);
        if (!Codificacion::EsFinDeLinea(c)) continue;
        texto += QStringView(leido).mid(inicio, i - inicio);
        texto += QStringLiteral("\r\n");
        if (c == u'\r' && i + 1 < n && leido.at(i + 1) == u'\n') ++i;
        inicio = i + 1;
    }
    if (inicio < n) {
        texto += QStringView(leido).mid(inicio);
        texto += QStringLiteral("\r\n");
    }
    return texto;
}

ResultadoCompilacion CompilarComoAbrir(QByteArray bytes) {
    QString texto = TextoComoAbrir(bytes);
    bytes = QByteArray();   // a caller that handed its bytes over gets them freed here
    PanelMemoria tx_Cmd(std::move(texto)), tx_Cod;
    ResultadoCompilacion r;
    {
        // The pass's per-line state goes with it, before the panes' texts are copied out.
        EntornoCompilador sinVentanas;
        Compilador compilador(tx_Cmd, tx_Cod, sinVentanas);
        compilador.LinAntCmd = 0;
        compilador.CompilarLineas(true);
        r.debug = compilador.lst_Debug;
    }
    r.codigo = tx_Cod.SoltarTexto();
    r.comandos = tx_Cmd.SoltarTexto();
    return r;
}
