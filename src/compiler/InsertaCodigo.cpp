#include "Compilador.h"
#include "EntornoCompilador.h"
#include "PanelTexto.h"

// Appends one code line (or error line) to tx_Cod; an error line also
// becomes a debug entry that names the command line being compiled.
void Compilador::InsertaCodigo(const QString& codLin, TipoDeLinea v_Tipo) {
    tx_Cod.SetSelStart(tx_Cod.Length());
    // Line and break apart: a long code line is handed over, not copied into a new string.
    tx_Cod.SetSelText(codLin);
    tx_Cod.SetSelText(QStringLiteral("\r\n"));
    const int largo = static_cast<int>(codLin.size()) + 2;
    tx_Cod.SetSelStart(tx_Cod.Length() - largo);
    tx_Cod.SetSelLength(largo);
    const bool esError = v_Tipo == TipoDeLinea::Err;
    if (esError)
        tx_Cod.SetSelColor(Colores::Rojo);
    else if (v_Tipo == TipoDeLinea::Cmd)
        tx_Cod.SetSelColor(Colores::Negro);
    tx_Cod.SetSelStart(tx_Cod.Length());
    v_OrigenCodigo.push_back(v_LineaCompilada);

    if (esError) {
        const QString entrada = QStringLiteral("Linea %1 - ").arg(v_LineaCompilada + 1) + codLin;
        lst_Debug.append(entrada);
        entorno.DebugAgregado(entrada);
    }
}

void Compilador::MostrarInfo(const QString& texto) {
    lbl_Info = texto;
    entorno.MostrarInfo(texto);
}
