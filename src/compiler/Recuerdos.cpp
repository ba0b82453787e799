// What a window's compiler keeps from one pass to the next. A pass reads
// only the lines the pane reports as changed (all of them, compared with the
// last pass's, when the pane keeps no count), keeps what the unchanged lines
// above the first changed one left in the code pane and the debug list, and
// repeats what the handlers of the other unchanged lines did.
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "Manejadores.h"
#include "PanelTexto.h"
#include "TablaComandos.h"
#include <algorithm>
#include <climits>
#include <utility>

namespace {
// Longer lines are compiled again at every pass rather than kept twice.
constexpr qsizetype kLargoRecordable = qsizetype(1) << 16;

// Split at the first space: [word upper-cased, argument text]; an empty line gives nothing.
QStringList PartirLinea(const QString& linea) {
    if (linea.isEmpty()) return {};
    const qsizetype espacio = linea.indexOf(QLatin1Char(' '));
    if (espacio < 0) return {linea.toUpper()};   // shared with the line when already upper case
    return {linea.left(espacio).toUpper(), linea.mid(espacio + 1)};
}
}   // namespace

void Compilador::SetRecordar(bool recordar) {
    v_Recordar = recordar;
    v_Recuerdos.clear();
    v_PrimeraNoConservable = 0;
    v_SinClave = 0;
}

bool Compilador::Repetible(const Recuerdo& r) {
    // Help requests and action words act on the window each time; only what
    // a line writes to the panes is repeated.
    if (r.tipo != TipoDeLinea::Cmd && r.tipo != TipoDeLinea::Err && r.tipo != TipoDeLinea::Cmt) return false;
    return !(r.conChk && r.chkArgs == -1);
}

Compilador::Lectura Compilador::LeerLineas() {
    Lectura l;
    const int viejas = v_Recordar ? static_cast<int>(v_Recuerdos.size()) : 0;
    auto editar = [this, &l, viejas] {
        if (!v_Recordar) return;
        // Lines changed in place keep their slots: a long list is not moved for one line.
        const int quitar = viejas - l.sufijo - l.prefijo;
        const int poner = l.lineas - l.prefijo - l.sufijo;
        const int comunes = std::min(quitar, poner);
        for (int k = 0; k < comunes; ++k) v_Recuerdos[l.prefijo + k] = Recuerdo{};
        const auto desde = v_Recuerdos.begin() + (l.prefijo + comunes);
        if (quitar > comunes)
            v_Recuerdos.erase(desde, desde + (quitar - comunes));
        else if (poner > comunes)
            v_Recuerdos.insert(desde, poner - comunes, Recuerdo{});
    };
    if (viejas > 0 && v_SinClave == 0) {
        // The pane's own count of unchanged lines, checked at both edges
        // against the lines the last pass kept.
        l.lineas = tx_Cmd.LineCount();
        const auto [p, s] = tx_Cmd.LineasSinCambios();
        const bool cabe = p >= 0 && s >= 0 && p + s > 0 && p + s <= l.lineas && p + s <= viejas;
        if (cabe && (p == 0 || tx_Cmd.TextoLinea(p - 1) == v_Recuerdos[p - 1].linea) &&
            (s == 0 || tx_Cmd.TextoLinea(l.lineas - s) == v_Recuerdos[viejas - s].linea)) {
            l.prefijo = p;
            l.sufijo = s;
            for (int i = p; i < l.lineas - s; ++i) l.medio.append(tx_Cmd.TextoLinea(i));
            editar();
            return l;
        }
    }
    // Every line read, and compared with the last pass's. Only their text:
    // how they are coloured now is not known.
    for (Recuerdo& r : v_Recuerdos) r.pintada = false;
    QStringList lineas = tx_Cmd.Lineas();
    l.lineas = static_cast<int>(lineas.size());
    auto igual = [this, &lineas](int vieja, int nueva) {
        const Recuerdo& r = v_Recuerdos[vieja];
        return !r.sinClave && r.linea == lineas[nueva];
    };
    while (l.prefijo < l.lineas && l.prefijo < viejas && igual(l.prefijo, l.prefijo)) ++l.prefijo;
    while (l.sufijo < l.lineas - l.prefijo && l.sufijo < viejas - l.prefijo &&
           igual(viejas - 1 - l.sufijo, l.lineas - 1 - l.sufijo))
        ++l.sufijo;
    if (l.prefijo == 0 && l.sufijo == 0)
        l.medio = std::move(lineas);
    else
        l.medio = lineas.mid(l.prefijo, l.lineas - l.prefijo - l.sufijo);
    editar();
    return l;
}

int Compilador::Conservar(int prefijo) {
    v_InfoFijada = false;
    v_ArgsTras = false;
    int desde = 0;
    if (v_Recordar) {
        // Not past a line whose handler must run again, nor into the chain.
        desde = std::min(prefijo, v_PrimeraNoConservable);
        if (v_LinAnt >= 0) desde = std::min(desde, v_LinAnt);
        // The panes must still hold what the last pass left there.
        const bool intactos = tx_Cod.LineCount() == v_CodigosTotal + 1 && lst_Debug.size() == v_ErroresTotal &&
                              static_cast<int>(v_OrigenCodigo.size()) == v_CodigosTotal;
        if (!intactos) desde = 0;
    }
    lst_Debug.resize(desde > 0 ? v_Recuerdos[desde - 1].erroresTras : 0);
    entorno.DebugLimpiado();
    for (const QString& e : std::as_const(lst_Debug)) entorno.DebugAgregado(e);
    if (desde == 0) {
        tx_Cod.SetText(QString());
        v_OrigenCodigo.clear();
        return 0;
    }
    const Recuerdo& r = v_Recuerdos[desde - 1];
    const int inicio = tx_Cod.LineIndex(r.codigosTras);
    tx_Cod.SetSelStart(inicio);
    tx_Cod.SetSelLength(tx_Cod.Length() - inicio);
    tx_Cod.SetSelText(QString());
    v_OrigenCodigo.resize(r.codigosTras);
    if (r.conInfo) {
        MostrarInfo(r.infoTras);
        v_InfoFijada = true;
    }
    if (r.conArgsTras) {
        v_Arg = r.argTras;
        v_ArgsTras = true;
    }
    return desde;
}

const QString& Compilador::Manejar(int i, QString&& texto) {
    Recuerdo* r = v_Recordar ? &v_Recuerdos[i] : nullptr;
    if (r && r->valido) {
        v_Cmd = r->cmd;
        if (r->conChk) v_ChkArgs = r->chkArgs;
        if (r->conArgs) {
            v_Arg = r->arg;
            v_ArgsTras = true;
        }
        for (const Efecto& e : r->efectos) {
            if (e.esInfo)
                MostrarInfo(e.texto);
            else
                InsertaCodigo(e.texto, e.tipo);
        }
        TipoLinea = r->tipo;
        v_CodLin = r->codLin;
        return r->linea;
    }
    v_Cmd = PartirLinea(texto);
    v_ChkLlamado = false;
    v_ArgsFijados = false;
    const bool largo = texto.size() > kLargoRecordable;
    if (r) *r = Recuerdo{};
    v_Grabando = largo ? nullptr : r;
    const DefComando* def = BuscarComando(v_Cmd[0]);
    (def ? def->manejador : Cmd_Desconocido)(*this);
    v_Grabando = nullptr;
    if (!r || largo) {
        if (r) r->sinClave = true;
        v_Linea = std::move(texto);
        return v_Linea;
    }
    r->linea = std::move(texto);
    r->tipo = TipoLinea;
    r->conChk = v_ChkLlamado;
    r->chkArgs = v_ChkArgs;
    r->conArgs = v_ArgsFijados;
    if (v_ArgsFijados) r->arg = v_Arg;
    if (TipoLinea == TipoDeLinea::Cmd) r->cmd = v_Cmd;
    r->codLin = v_CodLin;
    r->valido = v_Accion == nullptr && Repetible(*r);
    if (!r->valido) r->efectos.clear();
    return r->linea;
}

void Compilador::Anotar(int i, bool vacia) {
    if (!v_Recordar) return;
    Recuerdo& r = v_Recuerdos[i];
    if (vacia) r = Recuerdo{};   // its key is the empty text
    r.conservable = vacia || r.valido;
    r.codigosTras = static_cast<int>(v_OrigenCodigo.size());
    r.erroresTras = static_cast<int>(lst_Debug.size());
    r.conInfo = v_InfoFijada;
    r.infoTras = v_InfoFijada ? lbl_Info : QString();
    r.conArgsTras = v_ArgsTras;
    r.argTras = v_ArgsTras ? v_Arg : QStringList();
}

void Compilador::CerrarRecuerdos(int desde) {
    v_CodigosTotal = static_cast<int>(v_OrigenCodigo.size());
    v_ErroresTotal = static_cast<int>(lst_Debug.size());
    if (!v_Recordar) return;
    // Lines below a removed action line were numbered with it: compiled again next time.
    int primera = INT_MAX;
    for (auto k = v_Quitadas.rbegin(); k != v_Quitadas.rend(); ++k) {
        v_Recuerdos.erase(v_Recuerdos.begin() + *k);
        primera = std::min(primera, *k);
    }
    v_Quitadas.clear();
    v_SinClave = 0;
    const int lineas = static_cast<int>(v_Recuerdos.size());
    for (int i = std::min(desde, lineas); i < lineas; ++i) {
        const Recuerdo& r = v_Recuerdos[i];
        if (r.sinClave) ++v_SinClave;
        if (!r.conservable) primera = std::min(primera, i);
    }
    v_PrimeraNoConservable = std::min(primera, lineas);
    // Out of step with the pane (it should not happen): start again from its text.
    if (tx_Cmd.LineCount() != lineas && !v_Recuerdos.empty()) {
        v_Recuerdos.clear();
        v_PrimeraNoConservable = 0;
        v_SinClave = 0;
    }
    tx_Cmd.MarcarSinCambios();
}
