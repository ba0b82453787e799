#include "Compilador.h"
#include <algorithm>
#include <utility>
#include "EntornoCompilador.h"
#include "Leyendas.h"
#include "Lineas.h"
#include "PanelTexto.h"
#include "TablaComandos.h"
#include "Manejadores.h"

// Split at the first space: [word upper-cased, argument text]; an empty line gives nothing.
QStringList Compilador::PartirLinea(const QString& linea) {
    if (linea.isEmpty()) return {};
    const qsizetype espacio = linea.indexOf(QLatin1Char(' '));
    if (espacio < 0) return {linea.toUpper()};   // shared with the line when already upper case
    return {linea.left(espacio).toUpper(), linea.mid(espacio + 1)};
}

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
    v_UltimaIntacta = -1;
    v_IntactaCmd = false;
    // Taken once: the action line that the pass removes does not shift it.
    RecuerdosPasada::Lectura l = v_Memoria.Leer(tx_Cmd);
    if (l.lineas == 1 && l.PrimeraVacia()) {
        Conservar(0, l, true);   // an empty pane: nothing to compile, nothing kept
        v_Memoria.Anotar(0, true, *this);
        v_Memoria.Cerrar(0, 0, *this);
        return;
    }
    const int desde = Conservar(l.prefijo, l, cargando);
    tx_Cod.SetVisible(false);
    tx_Cod.Refresh();

    int hasta = l.lineas;
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
            if (Atajar(i, v_Memoria.Anotar(i, true, *this), l)) {
                hasta = i + 1;
                break;
            }
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
        if (Atajar(i, v_Memoria.Anotar(i, false, *this), l)) {
            hasta = i + 1;
            break;
        }
    }
    SoltarCola();
    CerrarIntactas();
    v_Memoria.Cerrar(desde, hasta, *this);
    tx_Cod.SetVisible(true);
    v_ChangeText = false;
    entorno.SincronizaTxt();
}

// Keeps what the lines above the first one to compile left in the code pane
// and the debug list (and, while the pass may stop early, what the lines
// below left); gives that first line.
int Compilador::Conservar(int prefijo, const RecuerdosPasada::Lectura& l, bool sinCola) {
    const int desde = v_Memoria.Conservar(prefijo, v_LinAnt, *this);
    const RecuerdosPasada::Recuerdo* tras = desde > 0 ? &v_Memoria.TrasDe(desde) : nullptr;
    const int codigos = tras ? tras->tras.codigos : 0, errores = tras ? tras->tras.errores : 0;
    if (sinCola || !TomarCola(desde, codigos, errores, l)) {
        lst_Debug.resize(errores);
        v_OrigenCodigo.resize(codigos);
        if (tras) {
            QuitarLineasCodigo(codigos, tx_Cod.LineCount() - 1 - codigos);
        } else {
            tx_Cod.SetText(QString());
        }
    }
    entorno.DebugLimpiado();
    for (int k = 0; k < errores; ++k) entorno.DebugAgregado(lst_Debug[k]);
    if (tras && tras->HayArgsTras()) v_Arg = tras->ArgsTras().Lista();
    if (tras && tras->tras.HayInfo()) MostrarInfo(tras->InfoTras());   // last: the window repaints
    return desde;
}

// Runs the handler of line i, or repeats what it did in an earlier pass on
// the same text; gives back the line's text.
QString Compilador::Manejar(int i, QString&& texto) {
    if (const RecuerdosPasada::Recuerdo* r = v_Memoria.Repetir(i)) {
        Repetir(*r);
        return r->linea;
    }
    v_Cmd = PartirLinea(texto);
    v_Memoria.Grabar(i, texto.size());
    const DefComando* def = BuscarComando(v_Cmd[0]);
    (def ? def->manejador : Cmd_Desconocido)(*this);
    v_Memoria.Guardar(i, texto, *this);
    return texto;
}

void Compilador::Repetir(const RecuerdosPasada::Recuerdo& r) {
    // Split again rather than kept: on a long list the records would hold
    // every line twice over, and a pass that stops early repeats few lines.
    v_Cmd = r.tipo == TipoDeLinea::Cmd ? PartirLinea(r.linea) : QStringList();
    if (r.chkArgs.Hay()) v_ChkArgs = r.chkArgs.Valor();
    if (r.HayArg()) v_Arg = r.Arg().Lista();
    if (r.compilando) MostrarInfo(f_Leyenda(Leyenda::Compilando, r.Arg().Pieza(1)));
    for (const RecuerdosPasada::Efecto& e : r.Efectos()) {
        if (e.clase == RecuerdosPasada::Efecto::Clase::Info)
            MostrarInfo(e.texto);
        else
            InsertaCodigo(e.texto, e.tipo);
    }
    TipoLinea = r.tipo;
    v_CodLin = r.codLin.Texto();
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

bool Compilador::Intacta(int i, QStringView linea, QStringView escrita,
                         std::initializer_list<std::pair<qsizetype, ColorRGB>> tramos) {
    // Only a window's compiler: a single pass over a file writes every line.
    if (!v_Memoria.Recordando() || escrita != linea) return false;
    if (!v_Memoria.Pintada(i)) {
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
        v_Memoria.MarcarPintada(i);
    }
    v_UltimaIntacta = i;
    AvanzarCadena();
    return true;
}

void Compilador::CerrarIntactas() {
    if (v_UltimaIntacta < 0) return;
    PriCarCmd = InicioLinea(tx_Cmd, v_UltimaIntacta);
    LonLinCmd = LargoLinea(tx_Cmd, PriCarCmd);
    if (v_IntactaCmd) LinActCmd = LineaActual(tx_Cmd);
    // Nothing was written: the user's selection stands as found; an empty
    // one gets the typing colour, as after a rewrite.
    if (tx_Cmd.SelLength() == 0) {
        tx_Cmd.SetSelStart(tx_Cmd.SelStart());
        tx_Cmd.SetSelColor(Colores::Negro);
    }
    v_UltimaIntacta = -1;
    v_IntactaCmd = false;
}

void Compilador::TerminarCmd(int i, QStringView linea) {
    InsertaCodigo(v_CodLin, TipoDeLinea::Cmd);
    if (v_Arg.size() >= 3) {
        MostrarInfo(f_Leyenda(Leyenda::Insertando, v_Arg[1]));
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
    DevolverSeleccion(LonLinCmd - 1, static_cast<int>(normal.size()));
    AvanzarCadena();
    // The next pass finds the line as written now; a command line compiles
    // the same once normalised (blanks out, arguments joined by ", ").
    v_Memoria.Reescrita(i, std::move(normal));
    v_Memoria.MarcarPintada(i);
}

void Compilador::TerminarColoreada(int i, QStringView linea) {
    if (i != v_LinAnt) return;
    const ColorRGB color = TipoLinea == TipoDeLinea::Cmt ? Colores::Verde : Colores::Rojo;
    if (Intacta(i, linea, linea, {{linea.size(), color}})) return;
    CerrarIntactas();
    if (!SeleccionarLinea(linea)) return;
    tx_Cmd.SetSelLength(LonLinCmd);
    tx_Cmd.SetSelColor(color);
    DevolverSeleccion(LonLinCmd - 1, LonLinCmd - 1);
    AvanzarCadena();
    v_Memoria.MarcarPintada(i);
}

void Compilador::TerminarAyuda(int i, QStringView) {
    if (i != v_LinAnt) return;
    CerrarIntactas();
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
    // The code pane is shown and its lines sent: it holds this pass's lines only.
    SoltarCola();
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
            v_Memoria.Quitada(i);
        }
    }
    tx_Cmd.SetSelStart(PriCarCmd);
    tx_Cmd.SetSelColor(Colores::Negro);
}
