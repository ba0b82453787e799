#include "CompilarArchivo.h"
#include "Codificacion.h"
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "PanelMemoria.h"

QString TextoComoAbrir(const QByteArray& bytes) {
    // Every line ends with CR LF, whether the file ended it with CR LF, LF or CR.
    const QString leido = Codificacion::Decodificar(bytes).texto;
    QString texto;
    texto.reserve(leido.size() + leido.size() / 8 + 2);
    const qsizetype n = leido.size();
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = leido.at(i);
        if (c != u'\r' && c != u'\n') continue;
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

ResultadoCompilacion CompilarComoAbrir(const QByteArray& bytes) {
    PanelMemoria tx_Cmd(TextoComoAbrir(bytes)), tx_Cod;
    EntornoCompilador sinVentanas;
    Compilador compilador(tx_Cmd, tx_Cod, sinVentanas);
    compilador.LinAntCmd = 0;
    compilador.CompilarLineas(true);
    return {tx_Cod.Text(), tx_Cmd.Text(), compilador.lst_Debug};
}
