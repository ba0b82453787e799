#include "Compilador.h"
#include <algorithm>
#include <utility>
#include "EntornoCompilador.h"
#include "Lineas.h"
#include "PanelTexto.h"
#include "TablaComandos.h"
#include "Manejadores.h"

namespace {
// Split at the first space: [word upper-cased, argument text]; an empty line gives nothing.
QStringList PartirLinea(const QString& linea) {
    if (linea.isEmpty()) return {};
    const qsizetype espacio = linea.indexOf(QLatin1Char(' '));
    if (espacio < 0) return {linea.toUpper()};   // shared with the line when already upper case
    return {linea.left(espacio).toUpper(), linea.mid(espacio + 1)};
}
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
    // Taken once: the action line that the pass removes does not shift it.
    RecuerdosPasada::Lectura l = v_Memoria.Leer(tx_Cmd);
    if (l.lineas == 1 && l.PrimeraVacia()) {
        Conservar(0);   // an empty pane: nothing to compile
        v_Memoria.Cerrar(0, *this);
        return;
    }
    const int desde = Conservar(l.prefijo);
    tx_Cod.SetVisible(false);
    tx_Cod.Refresh();

    for (int i = desde; i < l.lineas; ++i) {
        entorno.Ceder();
        v_LineaCompilada = i;
        TipoLinea = TipoDeLinea::Cmd;
        v_Accion = nullptr;
        v_CodLin.clear();   // a handler that leaves no text must not repeat the line above
        QString texto = l.Tomar(i);
        if (texto.isEmpty()) {
            v_Cmd.clear();
            InsertaCodigo(QString(), TipoDeLinea::Cmd);
            if (cargando) AvanzarCadena();
            v_Memoria.Anotar(i, true, *this);
            continue;
        }
        // A copy that shares the text (no characters are copied): the action
        // word below runs windows with their own event loops, and the pass
        // must not lean on the memory's records while they run.
        const QString linea = Manejar(i, std::move(texto));

        switch (TipoLinea) {
        case TipoDeLinea::Cmd: TerminarCmd(i, linea); break;
        case TipoDeLinea::Err:
        case TipoDeLinea::Cmt: TerminarColoreada(i, linea); break;
        case TipoDeLinea::Hlp: TerminarAyuda(i, linea); break;
        case TipoDeLinea::Snt: TerminarAccion(i, linea); break;
        case TipoDeLinea::Nul: break;
        }
        v_Memoria.Anotar(i, false, *this);
    }
    v_Memoria.Cerrar(desde, *this);
    tx_Cod.SetVisible(true);
    v_ChangeText = false;
    entorno.SincronizaTxt();
}

// Keeps what the lines above the first one to compile left in the code pane
// and the debug list (or empties them); gives that first line.
int Compilador::Conservar(int prefijo) {
    const int desde = v_Memoria.Conservar(prefijo, v_LinAnt, *this);
    const RecuerdosPasada::Tras* tras = desde > 0 ? &v_Memoria.TrasDe(desde) : nullptr;
    lst_Debug.resize(tras ? tras->errores : 0);
    entorno.DebugLimpiado();
    for (const QString& e : std::as_const(lst_Debug)) entorno.DebugAgregado(e);
    if (!tras) {
        tx_Cod.SetText(QString());
        v_OrigenCodigo.clear();
        return 0;
    }
    const int inicio = tx_Cod.LineIndex(tras->codigos);
    tx_Cod.SetSelStart(inicio);
    tx_Cod.SetSelLength(tx_Cod.Length() - inicio);
    tx_Cod.SetSelText(QString());
    v_OrigenCodigo.resize(tras->codigos);
    if (tras->args) v_Arg = *tras->args;
    if (tras->info) MostrarInfo(*tras->info);   // last: the window repaints
    return desde;
}

// Runs the handler of line i, or repeats what it did in an earlier pass on
// the same text; gives back the line's text.
QString Compilador::Manejar(int i, QString&& texto) {
    if (const RecuerdosPasada::Recuerdo* r = v_Memoria.Repetir(i)) {
        Repetir(*r);
        return r->linea.value_or(QString());
    }
    v_Cmd = PartirLinea(texto);
    v_Memoria.Grabar(i, texto.size());
    const DefComando* def = BuscarComando(v_Cmd[0]);
    (def ? def->manejador : Cmd_Desconocido)(*this);
    v_Memoria.Guardar(i, texto, *this);
    return texto;
}

void Compilador::Repetir(const RecuerdosPasada::Recuerdo& r) {
    v_Cmd = r.cmd;
    if (r.chkArgs) v_ChkArgs = *r.chkArgs;
    if (r.arg) v_Arg = *r.arg;
    for (const RecuerdosPasada::Efecto& e : r.efectos) {
        if (e.clase == RecuerdosPasada::Efecto::Clase::Info)
            MostrarInfo(e.texto);
        else
            InsertaCodigo(e.texto, e.tipo);
    }
    TipoLinea = r.tipo;
    v_CodLin = r.codLin;
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
    tx_Cmd.SetSelStart(v_Caret + static_cast<int>(normal.size()) - (LonLinCmd - 1));
    tx_Cmd.SetSelColor(Colores::Negro);
    AvanzarCadena();
    // The next pass finds the line as written now; a command line compiles
    // the same once normalised (blanks out, arguments joined by ", ").
    v_Memoria.Reescrita(i, std::move(normal));
}

void Compilador::TerminarColoreada(int i, QStringView linea) {
    if (i != v_LinAnt) return;
    if (!SeleccionarLinea(linea)) return;
    tx_Cmd.SetSelLength(LonLinCmd);
    tx_Cmd.SetSelColor(TipoLinea == TipoDeLinea::Cmt ? Colores::Verde : Colores::Rojo);
    tx_Cmd.SetSelStart(v_Caret);
    tx_Cmd.SetSelColor(Colores::Negro);
    AvanzarCadena();
}

void Compilador::TerminarAyuda(int i, QStringView) {
    if (i != v_LinAnt) return;
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
            v_Memoria.Quitada(i);
        }
    }
    tx_Cmd.SetSelStart(PriCarCmd);
    tx_Cmd.SetSelColor(Colores::Negro);
}
