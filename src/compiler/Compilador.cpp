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
    v_UltimaIntacta = -1;
    v_IntactaCmd = false;
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
    CerrarIntactas();
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
    v_Caret = tx_Cmd.SelStart();
    tx_Cmd.SetSelStart(PriCarCmd);
    tx_Cmd.SetSelLength(LonLinCmd - 1);
    if (tx_Cmd.SelText() == linea) return true;
    tx_Cmd.SetSelStart(v_Caret);
    return false;
}

bool Compilador::Intacta(int i, QStringView linea, QStringView escrita,
                         std::initializer_list<std::pair<qsizetype, ColorRGB>> tramos) {
    // Only a window's compiler: a single pass over a file writes every line.
    if (!v_Recordar || escrita != linea) return false;
    Recuerdo& r = v_Recuerdos[i];
    if (!r.pintada) {
        // Not known from the last pass (the line changed, or an undo brought
        // it back): the pane is asked.
        const int inicio = InicioLinea(tx_Cmd, v_LinAnt);
        if (inicio < 0 || LargoLinea(tx_Cmd, inicio) - 1 != escrita.size()) return false;
        qsizetype columna = 0;
        for (const auto& [largo, color] : tramos) {
            if (largo > 0 && !tx_Cmd.YaEscrito(inicio + static_cast<int>(columna), escrita.mid(columna, largo), color))
                return false;
            columna += largo;
        }
        if (!r.sinClave) r.pintada = true;
    }
    v_UltimaIntacta = i;
    AvanzarCadena();
    return true;
}

void Compilador::Pintada(int i) {
    if (v_Recordar && !v_Recuerdos[i].sinClave) v_Recuerdos[i].pintada = true;
}

void Compilador::CerrarIntactas() {
    if (v_UltimaIntacta < 0) return;
    PriCarCmd = InicioLinea(tx_Cmd, v_UltimaIntacta);
    LonLinCmd = LargoLinea(tx_Cmd, PriCarCmd);
    if (v_IntactaCmd) LinActCmd = LineaActual(tx_Cmd);
    tx_Cmd.SetSelStart(tx_Cmd.SelStart());
    tx_Cmd.SetSelColor(Colores::Negro);
    v_UltimaIntacta = -1;
    v_IntactaCmd = false;
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
    const int largoPalabra = static_cast<int>(v_Cmd[0].size());
    if (Intacta(i, linea, normal, {{largoPalabra, Colores::AzulOscuro}, {normal.size() - largoPalabra, Colores::Magenta}})) {
        v_IntactaCmd = true;
        return;
    }
    CerrarIntactas();
    LinActCmd = LineaActual(tx_Cmd);
    if (!SeleccionarLinea(linea)) return;
    tx_Cmd.SetSelText(normal);
    tx_Cmd.SetSelStart(PriCarCmd);
    tx_Cmd.SetSelLength(largoPalabra);
    tx_Cmd.SetSelColor(Colores::AzulOscuro);
    tx_Cmd.SetSelStart(PriCarCmd + largoPalabra);
    tx_Cmd.SetSelLength(static_cast<int>(normal.size()) - largoPalabra);
    tx_Cmd.SetSelColor(Colores::Magenta);
    tx_Cmd.SetSelStart(v_Caret + static_cast<int>(normal.size()) - (LonLinCmd - 1));
    tx_Cmd.SetSelColor(Colores::Negro);
    AvanzarCadena();
    // The next pass finds the line as written now; a command line compiles
    // the same once normalised (blanks out, arguments joined by ", ").
    if (v_Recordar && !v_Recuerdos[i].sinClave) v_Recuerdos[i].linea = std::move(normal);
    Pintada(i);
}

void Compilador::TerminarColoreada(int i, QStringView linea) {
    if (i != v_LinAnt) return;
    const ColorRGB color = TipoLinea == TipoDeLinea::Cmt ? Colores::Verde : Colores::Rojo;
    if (Intacta(i, linea, linea, {{linea.size(), color}})) return;
    CerrarIntactas();
    if (!SeleccionarLinea(linea)) return;
    tx_Cmd.SetSelLength(LonLinCmd);
    tx_Cmd.SetSelColor(color);
    tx_Cmd.SetSelStart(v_Caret);
    tx_Cmd.SetSelColor(Colores::Negro);
    AvanzarCadena();
    Pintada(i);
}

void Compilador::TerminarAyuda(int i, QStringView) {
    if (i != v_LinAnt) return;
    CerrarIntactas();
    PriCarCmd = InicioLinea(tx_Cmd, v_LinAnt);
    if (PriCarCmd < 0) return;
    LonLinCmd = LargoLinea(tx_Cmd, PriCarCmd);
    // The caret goes to the start of the line below (the end of the help line
    // when it is the last), and LinActCmd follows it, so that typing there
    // does not take the help line for the line just left.
    const int abajo = InicioLinea(tx_Cmd, v_LinAnt + 1);
    tx_Cmd.SetSelStart(abajo >= 0 ? abajo : PriCarCmd + LonLinCmd - 1);
    LinActCmd = LineaActual(tx_Cmd);
}

void Compilador::TerminarAccion(int i, QStringView linea) {
    tx_Cod.SetVisible(true);
    if (i != v_LinAnt) return;
    CerrarIntactas();
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
