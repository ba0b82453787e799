#include "Compilador.h"
#include <algorithm>
#include <utility>
#include "EntornoCompilador.h"
#include "Lineas.h"
#include "PanelTexto.h"
#include "TablaComandos.h"
#include "Manejadores.h"

namespace {
const QString kCRLF = QStringLiteral("\r\n");
}   // namespace

Compilador::Compilador(PanelTexto& cmd, PanelTexto& cod, EntornoCompilador& e) : tx_Cmd(cmd), tx_Cod(cod), entorno(e) {}

void Compilador::CompilarLineas(bool v_Cargando) {
    if (v_Compilando) {
        v_Pendiente = true;
        v_PendienteLinAnt = LinAntCmd;
        v_PendienteCargando = v_Cargando;
        return;
    }
    v_Compilando = true;
    Pasada(v_Cargando);
    while (v_Pendiente) {
        v_Pendiente = false;
        LinAntCmd = v_PendienteLinAnt;
        Pasada(v_PendienteCargando);
    }
    v_Compilando = false;
}

void Compilador::Pasada(bool cargando) {
    v_LinAnt = LinAntCmd;
    v_LinPedida = LinAntCmd;
    // Taken once: the action line that the pass removes does not shift it.
    Lectura l = LeerLineas();
    const bool leidaLaPrimera = l.prefijo == 0 && l.lineas - l.sufijo > 0;
    if (l.lineas == 1 && (leidaLaPrimera ? l.medio[0] : v_Recuerdos[0].linea).isEmpty()) {
        Conservar(0);   // an empty pane: nothing to compile
        CerrarRecuerdos(0);
        return;
    }
    const int desde = Conservar(l.prefijo);
    tx_Cod.SetVisible(false);
    tx_Cod.Refresh();
    v_Quitadas.clear();

    for (int i = desde; i < l.lineas; ++i) {
        entorno.Ceder();
        v_LineaCompilada = i;
        TipoLinea = TipoDeLinea::Cmd;
        v_Accion = nullptr;
        v_CodLin.clear();   // a handler that leaves no text must not repeat the line above
        // The line is handed on: a rewritten long line is not kept twice.
        const bool leida = i >= l.prefijo && i < l.lineas - l.sufijo;
        QString texto = leida ? std::exchange(l.medio[i - l.prefijo], QString()) : v_Recuerdos[i].linea;
        if (texto.isEmpty()) {
            v_Cmd.clear();
            InsertaCodigo(QString(), TipoDeLinea::Cmd);
            if (cargando) AvanzarCadena();
            Anotar(i, true);
            continue;
        }
        const QString& linea = Manejar(i, std::move(texto));

        switch (TipoLinea) {
        case TipoDeLinea::Cmd: TerminarCmd(i, linea); break;
        case TipoDeLinea::Err:
        case TipoDeLinea::Cmt: TerminarColoreada(i, linea); break;
        case TipoDeLinea::Hlp: TerminarAyuda(i, linea); break;
        case TipoDeLinea::Snt: TerminarAccion(i, linea); break;
        case TipoDeLinea::Nul: break;
        }
        Anotar(i, false);
    }
    CerrarRecuerdos(desde);
    tx_Cod.SetVisible(true);
    v_ChangeText = false;
    entorno.SincronizaTxt();
}

void Compilador::AvanzarCadena() {
    ++v_LinAnt;
    LinAntCmd = v_LinAnt;
}

// Selects line v_LinAnt without its break, after remembering the caret, and
// checks that it still holds the text the pass compiled: input handled during
// a yield may have changed the pane, and a stale rewrite would lose it.
bool Compilador::SeleccionarLinea(QStringView linea) {
    PriCarCmd = InicioLinea(tx_Cmd, v_LinAnt);
    if (PriCarCmd < 0) return false;
    LonLinCmd = LargoLinea(tx_Cmd, PriCarCmd);
    if (LonLinCmd - 1 != linea.size()) return false;
    v_Ancla = tx_Cmd.SelAncla();
    v_Caret = tx_Cmd.SelCaret();
    tx_Cmd.SetSelStart(PriCarCmd);
    tx_Cmd.SetSelLength(LonLinCmd - 1);
    if (tx_Cmd.SelText() == linea) return true;
    tx_Cmd.SetSeleccion(v_Ancla, v_Caret);
    return false;
}

void Compilador::DevolverSeleccion(int viejo, int nuevo) {
    // Before the line: unmoved; after it: moved by the change of length;
    // inside it: the same column, within the new text.
    auto mover = [&](int p) {
        if (p >= PriCarCmd + viejo) return p + nuevo - viejo;
        if (p > PriCarCmd) return std::min(p, PriCarCmd + nuevo);
        return p;
    };
    const int ancla = mover(v_Ancla), caret = mover(v_Caret);
    if (ancla != caret) {
        tx_Cmd.SetSeleccion(ancla, caret);
        return;
    }
    tx_Cmd.SetSelStart(caret);
    tx_Cmd.SetSelColor(Colores::Negro);
}

void Compilador::TerminarCmd(int i, QStringView linea) {
    InsertaCodigo(v_CodLin, TipoDeLinea::Cmd);
    if (v_Arg.size() >= 3) {
        MostrarInfo(QStringLiteral("Insertando código: ") + v_Arg[1]);
        entorno.Ceder();
    }
    if (i != v_LinAnt) return;

    // Built in place: a long line is not joined into a temporary first.
    QString normal = v_Cmd[0];
    if (v_Cmd.size() > 1) {
        qsizetype largo = normal.size() + 1 + 2 * std::max<qsizetype>(v_Arg.size() - 1, 0);
        for (const QString& a : std::as_const(v_Arg)) largo += a.size();
        normal.reserve(largo);
        normal += QLatin1Char(' ');
        for (qsizetype k = 0; k < v_Arg.size(); ++k) {
            if (k) normal += QStringLiteral(", ");
            normal += v_Arg[k];
        }
    }
    LinActCmd = LineaActual(tx_Cmd);
    if (!SeleccionarLinea(linea)) return;
    tx_Cmd.SetSelText(normal);
    const int largoPalabra = static_cast<int>(v_Cmd[0].size());
    tx_Cmd.SetSelStart(PriCarCmd);
    tx_Cmd.SetSelLength(largoPalabra);
    tx_Cmd.SetSelColor(Colores::AzulOscuro);
    tx_Cmd.SetSelStart(PriCarCmd + largoPalabra);
    tx_Cmd.SetSelLength(static_cast<int>(normal.size()) - largoPalabra);
    tx_Cmd.SetSelColor(Colores::Magenta);
    DevolverSeleccion(LonLinCmd - 1, static_cast<int>(normal.size()));
    AvanzarCadena();
    // The next pass finds the line as written now; a command line compiles
    // the same once normalised (blanks out, arguments joined by ", ").
    if (v_Recordar && !v_Recuerdos[i].sinClave) v_Recuerdos[i].linea = std::move(normal);
}

void Compilador::TerminarColoreada(int i, QStringView linea) {
    if (i != v_LinAnt) return;
    if (!SeleccionarLinea(linea)) return;
    tx_Cmd.SetSelLength(LonLinCmd);
    tx_Cmd.SetSelColor(TipoLinea == TipoDeLinea::Cmt ? Colores::Verde : Colores::Rojo);
    DevolverSeleccion(LonLinCmd - 1, LonLinCmd - 1);
    AvanzarCadena();
}

void Compilador::TerminarAyuda(int i, QStringView) {
    if (i != v_LinAnt) return;
    PriCarCmd = InicioLinea(tx_Cmd, v_LinAnt);
    if (PriCarCmd < 0) return;
    LonLinCmd = LargoLinea(tx_Cmd, PriCarCmd);
    // Left downwards (Enter, Down): the caret goes to the start of the line
    // below. Left upwards, or for a line further away, it stays where the
    // user put it, so that the user can always leave the help line.
    const int abajo = InicioLinea(tx_Cmd, v_LinAnt + 1);
    if (abajo >= 0 && tx_Cmd.SelLength() == 0 && LineaActual(tx_Cmd) == v_LinAnt + 1) tx_Cmd.SetSelStart(abajo);
    // LinActCmd follows the caret, so that typing there does not take the
    // help line for the line just left.
    LinActCmd = LineaActual(tx_Cmd);
}

void Compilador::TerminarAccion(int i, QStringView linea) {
    tx_Cod.SetVisible(true);
    if (i != v_LinAnt) return;
    if (!SeleccionarLinea(linea)) return;
    LonLinCmd -= 1;   // here the length without the plus 1
    tx_Cmd.SetSelLength(LonLinCmd + 2);
    tx_Cmd.SetSelColor(Colores::Violeta);

    if (v_Accion) v_Accion(*this);

    // The windows the action opened ran their own event loops: remove the
    // line only if it is still the action line.
    const bool intacta = InicioLinea(tx_Cmd, v_LinAnt) == PriCarCmd &&
                         LargoLinea(tx_Cmd, PriCarCmd) - 1 == LonLinCmd;
    if (intacta) {
        tx_Cmd.SetSelStart(PriCarCmd);
        tx_Cmd.SetSelLength(LonLinCmd + 2);
        if (tx_Cmd.SelText().startsWith(linea)) {
            tx_Cmd.SetSelText(QString());
            v_Quitadas.push_back(i);
        }
    }
    tx_Cmd.SetSelStart(PriCarCmd);
    tx_Cmd.SetSelColor(Colores::Negro);
}
