#include "Tips.h"
#include "PanelTexto.h"
#include "TablaComandos.h"
#include "TipsFormato.h"
#include <QStringList>

namespace {

constexpr int kLeftTip = 840;
constexpr int kBajoFila = 280;   // from the pane's top to just below its first row
constexpr int kAltoFila = 225;   // one row of Courier New 9 pt

// The command text from PriCarCmd up to the caret. Only the lines that range
// spans are read: the pane may hold 100,000 lines and this runs at every key.
QString ParteEscrita(const PanelTexto& tx_Cmd, int priCarCmd) {
    const int caret = tx_Cmd.SelStart();
    if (caret - priCarCmd <= 0) return {};
    const int primera = tx_Cmd.LineFromChar(priCarCmd);
    const int ultima = tx_Cmd.LineFromChar(caret);
    QString lineas;
    for (int l = primera; l <= ultima; ++l) {
        if (l > primera) lineas += QStringLiteral("\r\n");
        lineas += tx_Cmd.TextoLinea(l);
    }
    return lineas.mid(priCarCmd - tx_Cmd.LineIndex(primera), caret - priCarCmd);
}

// Pieces of the argument text split at commas; a trailing comma counts one more.
int ContarArgumentos(const QString& argumentos) {
    return argumentos.isEmpty() ? 0 : static_cast<int>(argumentos.count(QLatin1Char(','))) + 1;
}

void Proponer(PanelTexto& tx_Tip, const PanelTexto& tx_Cmd, const EstadoTip& estado, int& contextoAyuda) {
    // Just below the caret's row, as the rows stood at the previous key.
    tx_Tip.SetLeft(kLeftTip);
    tx_Tip.SetTop(estado.topCmd + kBajoFila + kAltoFila * (estado.LinActCmd - estado.PriLinCmd));
    QuitarFormato(tx_Tip);

    if (!estado.v_ChangeText || tx_Cmd.Length() == 0 || estado.PriCarCmd < 0) {
        tx_Tip.SetVisible(false);
        return;
    }

    const QString escrito = ParteEscrita(tx_Cmd, estado.PriCarCmd);
    const QStringList palabras = escrito.isEmpty() ? QStringList() : escrito.split(QLatin1Char(' '));
    const bool conArgumentos = palabras.size() >= 2;
    int c = 0;
    if (!conArgumentos) {
        tx_Tip.SetVisible(false);
    } else {
        c = ContarArgumentos(palabras.mid(1).join(QString()));
    }
    const QString palabra = palabras.isEmpty() ? QString() : palabras.first().toUpper();

    const DefComando* def = BuscarComando(palabra);
    const TipoTip tipo = def ? def->tip : TipoTip::Ninguno;
    switch (tipo) {
    case TipoTip::Aparte:   // "C": the tip keeps its text
        break;
    case TipoTip::Plantilla:
        if (def->topico > 0) contextoAyuda = def->topico;
        FormatearPlantilla(tx_Tip, *def, c);
        break;
    case TipoTip::Descripcion:
        FormatearDescripcion(tx_Tip, *def);
        break;
    case TipoTip::Ninguno:
        // A line that starts with a blank: leave the tip as it is.
        if (palabra.isEmpty()) return;
        FormatearDesconocido(tx_Tip, palabra);
        break;
    }

    if (conArgumentos && tx_Tip.Length() > 0) tx_Tip.SetVisible(true);
}

}   // namespace

void ProponerArgs(PanelTexto& tx_Tip, const PanelTexto& tx_Cmd, const EstadoTip& estado, int& contextoAyuda) {
    Proponer(tx_Tip, tx_Cmd, estado, contextoAyuda);
    // The formatting leaves a selection behind: a widget would show it
    // highlighted and scrolled to its end. The tip reads from its start.
    tx_Tip.SetSelStart(0);
}
