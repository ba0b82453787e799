// A pass that stops early. On a long list without blank lines a change at
// the top would otherwise repeat every line below it and rebuild the code
// pane, only to leave what the last pass left. The pass keeps the last
// pass's code lines and debug entries in place below the ones it writes, and
// stops after the first line whose caption and arguments are those noted
// there by the last pass, once every changed line is behind it and nothing
// below must run its handler again: each line below would then leave what
// it left, its code lines and debug entries moved by those written above it
// and its line number by the lines added or removed.
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "PanelTexto.h"
#include <algorithm>

namespace {
// Lines compiled with the old tail in place before the pass gives up
// stopping early: each code line written above the tail moves it.
constexpr int kLineasCola = 16;
}   // namespace

bool Compilador::TomarCola(int desde, int codigos, int errores, const RecuerdosPasada::Lectura& l) {
    v_Cola = Cola{};
    if (!v_Memoria.Recordando() || !v_Memoria.Intactos() || l.viejas == 0) return false;
    // The first line after which the pass may stop: not before the last
    // changed line (or, when lines were added or removed, the first line
    // below them, whose noted state is the last pass's own), the last line
    // that must run again, or the chain's start.
    const int movidas = l.lineas - l.viejas;
    const long long parada =
        std::max({static_cast<long long>(l.lineas - l.sufijo - (movidas == 0 ? 1 : 0)),
                  static_cast<long long>(v_Memoria.UltimaNoConservable()) + std::max(0, movidas),
                  static_cast<long long>(v_LinAnt) - 1, static_cast<long long>(desde)});
    if (parada - desde >= kLineasCola) return false;
    v_Cola = Cola{true, codigos, errores, codigos, errores, 0, -1};
    return true;
}

void Compilador::QuitarLineasCodigo(int desde, int cuantas) {
    if (cuantas <= 0) return;
    const int inicio = tx_Cod.LineIndex(desde);
    const int fin = tx_Cod.LineIndex(desde + cuantas);
    tx_Cod.SetSelStart(inicio);
    tx_Cod.SetSelLength((fin < 0 ? tx_Cod.Length() : fin) - inicio);
    tx_Cod.SetSelText(QString());
}

// As AgregarLinea at the end, but above the old tail.
void Compilador::PonerEnCola(const QString& codLin, const ColorRGB* color, const QString* entrada) {
    const int inicio = tx_Cod.LineIndex(v_Cola.codigo);
    tx_Cod.SetSelStart(inicio);
    tx_Cod.SetSelText(codLin + QStringLiteral("\r\n"));
    if (color) {
        tx_Cod.SetSelStart(inicio);
        tx_Cod.SetSelLength(static_cast<int>(codLin.size()) + 2);
        tx_Cod.SetSelColor(*color);
    }
    v_OrigenCodigo.insert(v_OrigenCodigo.begin() + v_Cola.codigo++, v_LineaCompilada);
    if (entrada) lst_Debug.insert(v_Cola.error++, *entrada);
}

void Compilador::SoltarCola() {
    if (!v_Cola.activa) return;
    v_Cola.activa = false;
    QuitarLineasCodigo(v_Cola.codigo, tx_Cod.LineCount() - 1 - v_Cola.codigo);
    tx_Cod.SetSelStart(tx_Cod.Length());
    v_OrigenCodigo.resize(v_Cola.codigo);
    lst_Debug.resize(v_Cola.error);
}

bool Compilador::Atajar(int i, const RecuerdosPasada::Comparacion& k, const RecuerdosPasada::Lectura& l) {
    if (!v_Cola.activa) return false;
    const int movidas = l.lineas - l.viejas;
    const bool puede = k.mismo && i >= l.lineas - l.sufijo - (movidas == 0 ? 1 : 0) &&
                       v_Memoria.SinManejadoresDesde(i + 1 - std::max(0, movidas)) && v_LinAnt <= i + 1;
    // What the last pass wrote for the lines compiled now: it must lie in the panes.
    const int codigos = v_Cola.codigo - k.codigos - v_Cola.codigo0;
    const int errores = v_Cola.error - k.errores - v_Cola.error0;
    const bool cabe = codigos >= 0 && errores >= 0 && v_Cola.codigo + codigos <= static_cast<int>(v_OrigenCodigo.size()) &&
                      v_Cola.error + errores <= lst_Debug.size();
    if (puede && cabe) {
        // The chain, if it goes on, must pass every line below untouched to its end.
        // A line it would write blocks the stop until the pass is past it.
        bool conCmd = false;
        int fin = i + 1;
        if (v_LinAnt == i + 1) fin = v_Cola.bloqueo > i ? -1 : v_Memoria.FinCadena(i + 1, conCmd, v_Cola.bloqueo);
        if (fin >= 0) {
            Atajo(i, fin, conCmd, k, l);
            return true;
        }
    }
    if (++v_Cola.lineas >= kLineasCola) SoltarCola();
    return false;
}

void Compilador::Atajo(int i, int finCadena, bool conCmd, const RecuerdosPasada::Comparacion& k,
                       const RecuerdosPasada::Lectura& l) {
    v_Cola.activa = false;
    // The code lines and debug entries the last pass wrote for the lines
    // compiled now go; those of the lines below stay, their line numbers
    // moved by the lines added or removed above them.
    const int codigos = v_Cola.codigo - k.codigos - v_Cola.codigo0;
    const int errores = v_Cola.error - k.errores - v_Cola.error0;
    QuitarLineasCodigo(v_Cola.codigo, codigos);
    tx_Cod.SetSelStart(tx_Cod.Length());
    v_OrigenCodigo.erase(v_OrigenCodigo.begin() + v_Cola.codigo, v_OrigenCodigo.begin() + (v_Cola.codigo + codigos));
    lst_Debug.erase(lst_Debug.begin() + v_Cola.error, lst_Debug.begin() + (v_Cola.error + errores));
    const int movidas = l.lineas - l.viejas;
    if (movidas != 0) {
        for (auto o = v_OrigenCodigo.begin() + v_Cola.codigo; o != v_OrigenCodigo.end(); ++o) *o += movidas;
        for (qsizetype e = v_Cola.error; e < lst_Debug.size(); ++e) lst_Debug[e] = EntradaMovida(lst_Debug[e], movidas);
    }
    if (k.codigos != 0 || k.errores != 0) v_Memoria.Desplazar(i + 1, k.codigos, k.errores);
    for (qsizetype e = v_Cola.error; e < lst_Debug.size(); ++e) entorno.DebugAgregado(lst_Debug[e]);

    // The chain over the lines below, each left untouched.
    if (finCadena > i + 1) {
        v_UltimaIntacta = finCadena - 1;
        v_IntactaCmd = v_IntactaCmd || conCmd;
        v_LinAnt = finCadena;
        LinAntCmd = v_LinAnt;
    }
    // What the last line leaves for the pass's end.
    const RecuerdosPasada::Recuerdo& u = v_Memoria.Ultimo();
    if (u.HayArgsTras()) v_Arg = u.ArgsTras().Lista();
    if (u.tras.HayInfo()) MostrarInfo(u.InfoTras());
    v_LineaCompilada = l.lineas - 1;
    TipoLinea = u.tipo;
    v_Cmd = u.tipo == TipoDeLinea::Cmd ? PartirLinea(u.linea) : QStringList();
    if (u.chkArgs.Hay()) v_ChkArgs = u.chkArgs.Valor();
    v_CodLin = u.codLin.Texto();
}
