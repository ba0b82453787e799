#include "Compilador.h"
#include "EntornoCompilador.h"
#include "PanelTexto.h"

QString Compilador::EntradaDebug(int linea, QStringView codLin) {
    const QString numero = QString::number(linea + 1);
    QString entrada;
    entrada.reserve(6 + numero.size() + 3 + codLin.size());
    entrada.append(QLatin1String("Linea ")).append(numero).append(QLatin1String(" - ")).append(codLin);
    return entrada;
}

QString Compilador::EntradaMovida(const QString& entrada, int lineas) {
    const qsizetype guion = entrada.indexOf(QLatin1String(" - "), 6);
    const int linea = QStringView(entrada).mid(6, guion - 6).toInt() - 1;
    return EntradaDebug(linea + lineas, QStringView(entrada).mid(guion + 3));
}

// Appends one code line (or error line) to tx_Cod; an error line also
// becomes a debug entry that names the command line being compiled.
void Compilador::InsertaCodigo(const QString& codLin, TipoDeLinea v_Tipo) {
    v_Memoria.Hecho({RecuerdosPasada::Efecto::Clase::Codigo, v_Tipo, codLin});
    const bool esError = v_Tipo == TipoDeLinea::Err;
    // An error line is red, a code line black; any other keeps the colour it finds.
    const ColorRGB* color = esError ? &Colores::Rojo : (v_Tipo == TipoDeLinea::Cmd ? &Colores::Negro : nullptr);
    QString entrada;
    if (esError) {
        entrada = EntradaDebug(v_LineaCompilada, codLin);
        entorno.DebugAgregado(entrada);
    }
    if (v_Cola.activa) {
        PonerEnCola(codLin, color, esError ? &entrada : nullptr);
        return;
    }
    tx_Cod.AgregarLinea(codLin, color);
    v_OrigenCodigo.push_back(v_LineaCompilada);
    if (esError) lst_Debug.append(entrada);
}

void Compilador::MostrarInfo(const QString& texto) {
    v_Memoria.Hecho({RecuerdosPasada::Efecto::Clase::Info, TipoDeLinea::Nul, texto});
    lbl_Info = texto;
    entorno.MostrarInfo(texto);
}
