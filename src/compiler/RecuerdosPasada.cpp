#include "RecuerdosPasada.h"
#include "Compilador.h"
#include "Leyendas.h"
#include "PanelTexto.h"
#include <algorithm>
#include <climits>
#include <iterator>
#include <utility>

namespace {
// Longer lines are compiled again at every pass rather than kept twice.
constexpr qsizetype kLargoRecordable = qsizetype(1) << 16;
}   // namespace

QString RecuerdosPasada::Lectura::Tomar(int i) {
    if (i >= prefijo && i < lineas - sufijo) return std::exchange(v_Medio[i - prefijo], QString());
    // Lines outside the read ones were compared with their records: they have a key.
    return v_Memoria->v_Recuerdos[i].linea;
}

bool RecuerdosPasada::Lectura::PrimeraVacia() const {
    const bool leida = prefijo == 0 && lineas - sufijo > 0;
    return leida ? v_Medio[0].isEmpty() : v_Memoria->v_Recuerdos[0].linea.isEmpty();
}

void RecuerdosPasada::Recuerdo::Olvidar() {
    // The arguments noted after the line stay: taken apart before the line goes.
    if (dondeTras == DondeArgs::ComoArg) PonerArgsTras(Arg());
    PonerArg(ArgsGuardados());
    linea = QString();
    sinClave = false;
    valido = false;
    conservable = false;
    tipo = TipoDeLinea::Cmd;
    chkArgs.Quitar();
    codLin.Quitar();
    efectos.reset();
    pintada = false;
    compilando = false;
}

RecuerdosPasada::ArgsAparte& RecuerdosPasada::Recuerdo::Aparte() {
    if (!argsAparte) argsAparte = std::make_unique<ArgsAparte>();
    return *argsAparte;
}

void RecuerdosPasada::Recuerdo::SoltarAparte() {
    if (argsAparte && !argsAparte->arg.Hay() && !argsAparte->tras.Hay()) argsAparte.reset();
}

ArgsGuardados RecuerdosPasada::Recuerdo::Arg() const {
    switch (dondeArg) {
    case DondeArgs::Vacia: return ArgsGuardados::De({});
    case DondeArgs::EnLinea: return ArgsGuardados::DeLaLinea(linea);
    case DondeArgs::Aparte: return argsAparte->arg;
    default: return {};
    }
}

void RecuerdosPasada::Recuerdo::PonerArg(const ArgsGuardados& args) {
    // Arguments noted after the line as the line's own keep what they were.
    if (dondeTras == DondeArgs::ComoArg) {
        const ArgsGuardados antes = Arg();
        if (!args.Hay() || !args.Igual(antes.Lista())) PonerArgsTras(antes);
    }
    if (argsAparte) argsAparte->arg.Quitar();
    if (!args.Hay()) {
        dondeArg = DondeArgs::Ninguna;
    } else if (args.EnLaLinea(linea)) {
        dondeArg = DondeArgs::EnLinea;
    } else if (args.Igual({})) {
        dondeArg = DondeArgs::Vacia;
    } else {
        Aparte().arg = args;
        dondeArg = DondeArgs::Aparte;
    }
    SoltarAparte();
}

ArgsGuardados RecuerdosPasada::Recuerdo::ArgsTras() const {
    switch (dondeTras) {
    case DondeArgs::ComoArg: return Arg();
    case DondeArgs::Aparte: return argsAparte->tras;
    default: return {};
    }
}

void RecuerdosPasada::Recuerdo::PonerArgsTras(const ArgsGuardados& args) {
    if (argsAparte) argsAparte->tras.Quitar();
    dondeTras = DondeArgs::Ninguna;
    if (args.Hay()) {
        Aparte().tras = args;
        dondeTras = DondeArgs::Aparte;
    }
    SoltarAparte();
}

void RecuerdosPasada::Recuerdo::ArgsTrasComoArg() {
    if (argsAparte) argsAparte->tras.Quitar();
    dondeTras = DondeArgs::ComoArg;
    SoltarAparte();
}

void RecuerdosPasada::Recuerdo::Reescribir(QString&& normal) {
    // The same arguments, read from the old line before it goes; the line's
    // own arguments noted after it stay the same.
    const ArgsGuardados args = Arg();
    const DondeArgs dondeAntes = dondeTras;
    linea = std::move(normal);
    dondeTras = DondeArgs::Ninguna;
    PonerArg(args.EnLinea(linea));
    if (dondeAntes == DondeArgs::ComoArg)
        ArgsTrasComoArg();
    else
        dondeTras = dondeAntes;
}

void RecuerdosPasada::SetRecordar(bool recordar) {
    v_Recordar = recordar;
    std::vector<Recuerdo>().swap(v_Recuerdos);   // its room too: a long list's records are many MB
    v_PrimeraNoConservable = 0;
    v_UltimaNoConservable = INT_MAX;
    v_SinClave = 0;
}

bool RecuerdosPasada::Repetible(const Recuerdo& r) {
    // Help requests and action words act on the window each time; only what
    // a line writes to the panes is repeated.
    if (r.tipo != TipoDeLinea::Cmd && r.tipo != TipoDeLinea::Err && r.tipo != TipoDeLinea::Cmt) return false;
    return !r.chkArgs.Hay() || r.chkArgs.Valor() != -1;
}

RecuerdosPasada::Lectura RecuerdosPasada::Leer(const PanelTexto& tx_Cmd) {
    Lectura l;
    l.v_Memoria = this;
    l.viejas = v_Recordar ? static_cast<int>(v_Recuerdos.size()) : 0;
    if (!LeerCambios(tx_Cmd, l)) {
        // Compared by their text only: how the lines are coloured now is not known.
        for (Recuerdo& r : v_Recuerdos) r.pintada = false;
        Comparar(tx_Cmd.Lineas(), l);
    }
    Seguir(l);
    return l;
}

// The pane's own count of unchanged lines, checked at both edges against the
// lines the last pass kept; false when it cannot be trusted.
bool RecuerdosPasada::LeerCambios(const PanelTexto& tx_Cmd, Lectura& l) const {
    const int viejas = v_Recordar ? static_cast<int>(v_Recuerdos.size()) : 0;
    if (viejas == 0 || v_SinClave != 0) return false;
    const int lineas = tx_Cmd.LineCount();
    const auto [p, s] = tx_Cmd.LineasSinCambios();
    const bool cabe = p >= 0 && s >= 0 && p + s > 0 && p + s <= lineas && p + s <= viejas;
    auto distinta = [&tx_Cmd](int i, const Recuerdo& r) { return !r.TieneClave() || tx_Cmd.TextoLinea(i) != r.linea; };
    if (!cabe || (p > 0 && distinta(p - 1, v_Recuerdos[p - 1])) || (s > 0 && distinta(lineas - s, v_Recuerdos[viejas - s])))
        return false;
    l.lineas = lineas;
    l.prefijo = p;
    l.sufijo = s;
    for (int i = p; i < lineas - s; ++i) l.v_Medio.append(tx_Cmd.TextoLinea(i));
    return true;
}

// Every line read, and compared with the last pass's.
void RecuerdosPasada::Comparar(QStringList&& lineas, Lectura& l) const {
    const int viejas = v_Recordar ? static_cast<int>(v_Recuerdos.size()) : 0;
    l.lineas = static_cast<int>(lineas.size());
    auto igual = [this, &lineas](int vieja, int nueva) {
        const Recuerdo& r = v_Recuerdos[vieja];
        return r.TieneClave() && r.linea == lineas[nueva];
    };
    while (l.prefijo < l.lineas && l.prefijo < viejas && igual(l.prefijo, l.prefijo)) ++l.prefijo;
    while (l.sufijo < l.lineas - l.prefijo && l.sufijo < viejas - l.prefijo &&
           igual(viejas - 1 - l.sufijo, l.lineas - 1 - l.sufijo))
        ++l.sufijo;
    if (l.prefijo == 0 && l.sufijo == 0)
        l.v_Medio = std::move(lineas);
    else
        l.v_Medio = lineas.mid(l.prefijo, l.lineas - l.prefijo - l.sufijo);
}

// The records of the lines between the kept edges make way for the lines read.
void RecuerdosPasada::Seguir(const Lectura& l) {
    if (!v_Recordar) return;
    const auto viejas = static_cast<int>(v_Recuerdos.size());
    // Lines changed in place keep their slots: a long list is not moved for
    // one line. A slot keeps the state noted after it, which a pass compares
    // with its own to stop early.
    const int quitar = viejas - l.sufijo - l.prefijo;
    const int poner = l.lineas - l.prefijo - l.sufijo;
    const int comunes = std::min(quitar, poner);
    for (int k = 0; k < comunes; ++k) v_Recuerdos[l.prefijo + k].Olvidar();
    // Grown with an eighth to spare, not doubled: on a long list the spare
    // half would be many MB, and lines come one Enter at a time.
    const size_t nuevo = v_Recuerdos.size() + static_cast<size_t>(std::max(0, poner - quitar));
    if (nuevo > v_Recuerdos.capacity()) v_Recuerdos.reserve(nuevo + nuevo / 8);
    const auto desde = v_Recuerdos.begin() + (l.prefijo + comunes);
    if (quitar > comunes) {
        v_Recuerdos.erase(desde, desde + (quitar - comunes));
    } else if (poner > comunes && desde == v_Recuerdos.end()) {
        v_Recuerdos.resize(v_Recuerdos.size() + static_cast<size_t>(poner - comunes));
    } else if (poner > comunes) {
        std::vector<Recuerdo> nuevos(static_cast<size_t>(poner - comunes));
        v_Recuerdos.insert(desde, std::make_move_iterator(nuevos.begin()), std::make_move_iterator(nuevos.end()));
    }
}

int RecuerdosPasada::Conservar(int prefijo, int linAnt, const Compilador& c) {
    v_InfoFijada = false;
    v_ArgsFijados = false;
    v_Intactos = false;
    if (!v_Recordar) return 0;
    int desde = std::min(prefijo, v_PrimeraNoConservable);
    if (linAnt >= 0) desde = std::min(desde, linAnt);
    const bool intactos = c.tx_Cod.LineCount() == v_CodigosTotal + 1 && c.lst_Debug.size() == v_ErroresTotal &&
                          static_cast<int>(c.v_OrigenCodigo.size()) == v_CodigosTotal;
    v_Intactos = intactos;
    if (!intactos || desde == 0) return 0;
    const Recuerdo& t = TrasDe(desde);
    v_InfoFijada = t.tras.HayInfo();
    v_ArgsFijados = t.HayArgsTras();
    return desde;
}

const RecuerdosPasada::Recuerdo* RecuerdosPasada::Repetir(int i) {
    if (!v_Recordar || !v_Recuerdos[i].valido) return nullptr;
    const Recuerdo& r = v_Recuerdos[i];
    if (r.HayArg()) v_ArgsFijados = true;
    return &r;
}

void RecuerdosPasada::Grabar(int i, qsizetype largo) {
    if (!v_Recordar) return;
    v_Recuerdos[i].Olvidar();   // the state noted after it stays, to compare
    if (largo > kLargoRecordable)
        v_Recuerdos[i].sinClave = true;
    else
        v_Grabando = i;
}

void RecuerdosPasada::Hecho(Efecto&& efecto) {
    using Clase = Efecto::Clase;
    if (efecto.clase == Clase::Info) v_InfoFijada = true;
    if (efecto.clase == Clase::ChkConArgs) v_ArgsFijados = true;
    if (v_Grabando < 0) return;
    Recuerdo& r = v_Recuerdos[v_Grabando];
    switch (efecto.clase) {
    case Clase::Codigo:
    case Clase::Info:
        if (!r.efectos) r.efectos = std::make_unique<std::vector<Efecto>>();
        r.efectos->push_back(std::move(efecto));
        break;
    case Clase::ChkConArgs: r.PonerArg(ArgsGuardados::De({})); [[fallthrough]];
    case Clase::Chk: r.chkArgs.Poner(0); break;   // the values the handler leaves are taken at its end
    }
}

void RecuerdosPasada::Guardar(int i, const QString& texto, const Compilador& c) {
    if (v_Grabando != i) return;
    v_Grabando = -1;
    Recuerdo& r = v_Recuerdos[i];
    r.linea = texto;   // shared with the pass's copy, not a second copy
    r.tipo = c.TipoLinea;
    if (r.chkArgs.Hay()) r.chkArgs.Poner(c.v_ChkArgs);
    if (r.HayArg()) r.PonerArg(ArgsGuardados::De(c.v_Arg, r.linea));   // in the line itself when it holds them
    r.codLin = c.v_CodLin;
    r.valido = c.v_Accion == nullptr && Repetible(r);
    if (!r.valido) {
        r.efectos.reset();
    } else if (r.efectos && r.efectos->size() == 1 && r.HayArg() && c.v_Arg.size() >= 2) {
        // The card caption, as the handler left it: made again on repeat.
        const Efecto& e = r.efectos->front();
        if (e.clase == Efecto::Clase::Info && EsLeyenda(Leyenda::Compilando, e.texto, c.v_Arg[1])) {
            r.efectos.reset();
            r.compilando = true;
        }
    }
}

void RecuerdosPasada::Reescrita(int i, QString&& normal) {
    if (!v_Recordar || !v_Recuerdos[i].TieneClave()) return;
    // The normal form holds the arguments: kept there, not in a string of their own.
    v_Recuerdos[i].Reescribir(std::move(normal));
}

RecuerdosPasada::Comparacion RecuerdosPasada::Anotar(int i, bool vacia, const Compilador& c) {
    if (!v_Recordar) return {};
    Recuerdo& r = v_Recuerdos[i];
    if (vacia) r.Olvidar();   // its key is the empty text
    r.conservable = vacia || r.valido;
    Tras& t = r.tras;
    const int codigos = c.CodigosHechos(), errores = c.ErroresHechos();
    const ArgsGuardados args = r.ArgsTras();
    const Comparacion k{(v_InfoFijada ? t.MismaInfo(c.lbl_Info, args) : !t.HayInfo()) &&
                            (v_ArgsFijados ? args.Igual(c.v_Arg) : !args.Hay()),
                        codigos - t.codigos, errores - t.errores};
    if (k.mismo && k.codigos == 0 && k.errores == 0) return k;
    t.codigos = codigos;
    t.errores = errores;
    // Shared with the line's own record when its handler filled them.
    if (!v_ArgsFijados)
        r.PonerArgsTras(ArgsGuardados());
    else if (r.HayArg() && r.Arg().Igual(c.v_Arg))
        r.ArgsTrasComoArg();
    else
        r.PonerArgsTras(ArgsGuardados::De(c.v_Arg));
    t.FijarInfo(v_InfoFijada, c.lbl_Info, c.v_Arg, r.ArgsTras());
    return k;
}

const std::vector<RecuerdosPasada::Efecto>& RecuerdosPasada::Recuerdo::Efectos() const {
    static const std::vector<Efecto> ninguno;
    return efectos ? *efectos : ninguno;
}

QString RecuerdosPasada::Tras::Info(const ArgsGuardados& args) const {
    if (leyenda == Clase::Insertando) return f_Leyenda(Leyenda::Insertando, args.Pieza(1));
    return info ? *info : QString();
}

bool RecuerdosPasada::Tras::MismaInfo(const QString& lbl, const ArgsGuardados& args) const {
    switch (leyenda) {
    case Clase::Ninguna: return false;
    case Clase::Texto: return info && *info == lbl;
    case Clase::Insertando: return EsLeyenda(Leyenda::Insertando, lbl, args.Pieza(1));
    }
    return false;
}

void RecuerdosPasada::Tras::FijarInfo(bool fijada, const QString& lbl, const QStringList& vArg, const ArgsGuardados& args) {
    info.reset();
    if (!fijada) {
        leyenda = Clase::Ninguna;
    } else if (vArg.size() >= 2 && args.Igual(vArg) && EsLeyenda(Leyenda::Insertando, lbl, vArg[1])) {
        leyenda = Clase::Insertando;
    } else {
        leyenda = Clase::Texto;
        info = std::make_unique<QString>(lbl);
    }
}

void RecuerdosPasada::Desplazar(int desde, int codigos, int errores) {
    for (auto r = v_Recuerdos.begin() + desde; r != v_Recuerdos.end(); ++r) {
        r->tras.codigos += codigos;
        r->tras.errores += errores;
    }
}

int RecuerdosPasada::FinCadena(int i, bool& conCmd, int& bloqueo) const {
    const int lineas = static_cast<int>(v_Recuerdos.size());
    for (; i < lineas; ++i) {
        const Recuerdo& r = v_Recuerdos[i];
        if (r.TieneClave() && r.linea.isEmpty() && r.conservable) return i;   // an empty line ends it
        // Only command, error and comment lines are repeated (valido).
        if (!r.valido || !r.pintada) {
            bloqueo = i;
            return -1;
        }
        if (r.tipo == TipoDeLinea::Cmd) conCmd = true;
    }
    return lineas;
}

void RecuerdosPasada::Cerrar(int desde, int hasta, Compilador& c) {
    v_CodigosTotal = static_cast<int>(c.v_OrigenCodigo.size());
    v_ErroresTotal = static_cast<int>(c.lst_Debug.size());
    if (!v_Recordar) return;
    // Lines below a removed action line were numbered with it: compiled again next time.
    int primera = INT_MAX;
    for (auto k = v_Quitadas.rbegin(); k != v_Quitadas.rend(); ++k) {
        v_Recuerdos.erase(v_Recuerdos.begin() + *k);
        primera = std::min(primera, *k);
    }
    v_Quitadas.clear();
    v_SinClave = 0;
    // Lines above `desde` and below `hasta` must all be conservable: none is counted.
    const int lineas = static_cast<int>(v_Recuerdos.size());
    int ultima = primera == INT_MAX ? -1 : INT_MAX;
    for (int i = std::min(desde, lineas); i < std::min(hasta, lineas); ++i) {
        const Recuerdo& r = v_Recuerdos[i];
        if (!r.TieneClave()) ++v_SinClave;
        if (!r.conservable) {
            primera = std::min(primera, i);
            ultima = std::max(ultima, i);
        }
    }
    v_PrimeraNoConservable = std::min(primera, lineas);
    v_UltimaNoConservable = ultima;
    // Out of step with the pane (it should not happen): start again from its text.
    if (c.tx_Cmd.LineCount() != lineas && !v_Recuerdos.empty()) {
        v_Recuerdos.clear();
        v_PrimeraNoConservable = 0;
        v_UltimaNoConservable = INT_MAX;
        v_SinClave = 0;
    }
    c.tx_Cmd.MarcarSinCambios();
}
