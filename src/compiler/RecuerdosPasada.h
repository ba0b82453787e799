#pragma once
#include "ArgsGuardados.h"
#include "CodigoGuardado.h"
#include "TipoLinea.h"
#include <QString>
#include <QStringList>
#include <climits>
#include <memory>
#include <vector>

class Compilador;
class PanelTexto;

// What a window's compiler keeps from one pass to the next (a window compiles
// at every line the caret leaves). For each line of the pane as the last pass
// left it, the record keeps the line's text and what its handler did, and the
// pass's state after the line. A pass then reads only the lines the pane
// reports as changed, keeps what the unchanged lines above the first changed
// one left in the code pane and the debug list, and repeats what the handlers
// of the other unchanged lines did. Help requests and action words act on the
// window, so their handlers run at every pass. Off (one pass over a file),
// every line is read and every handler runs.
class RecuerdosPasada {
public:
    // One thing a handler did that a later pass repeats, in order.
    struct Efecto {
        enum class Clase {
            Codigo,      // InsertaCodigo(texto, tipo)
            Info,        // MostrarInfo(texto)
            Chk,         // ChkArgs ran on a line without argument text
            ChkConArgs   // ChkArgs ran and filled v_Arg
        };
        Clase clase;
        TipoDeLinea tipo = TipoDeLinea::Nul;
        QString texto;
    };
    // The pass's state after a line: what a pass that keeps the lines up to
    // it must find. A caption only when the pass had set one; v_Arg after
    // the line is kept by the line's record (Recuerdo::ArgsTras).
    struct Tras {
        std::unique_ptr<QString> info;   // a caption of its own (Clase::Texto), rare: a pointer, not a string
        int codigos = 0;                 // code lines so far
        int errores = 0;                 // debug entries so far
        // The caption card lines leave (a fixed text and the second
        // argument, Leyendas.h) is not kept: it is made again from args.
        enum class Clase : unsigned char { Ninguna,
                                           Texto,
                                           Insertando };
        Clase leyenda = Clase::Ninguna;

        bool HayInfo() const { return leyenda != Clase::Ninguna; }
        // args: v_Arg after the line.
        QString Info(const ArgsGuardados& args) const;
        bool MismaInfo(const QString& lbl, const ArgsGuardados& args) const;
        // The caption `lbl` set by the pass (fijada), or none.
        void FijarInfo(bool fijada, const QString& lbl, const QStringList& vArg, const ArgsGuardados& args);
    };
    // v_ChkArgs as ChkArgs left it, if it ran: an optional int in four bytes
    // (none is INT_MIN, which ChkArgs never leaves).
    class ChkGuardado {
    public:
        bool Hay() const { return v_Valor != kNinguno; }
        int Valor() const { return v_Valor; }
        void Poner(int valor) { v_Valor = valor; }
        void Quitar() { v_Valor = kNinguno; }

    private:
        static constexpr int kNinguno = INT_MIN;
        int v_Valor = kNinguno;
    };
    // Argument lists a record keeps apart from its line (rare, see Recuerdo).
    struct ArgsAparte {
        ArgsGuardados arg;
        ArgsGuardados tras;
    };
    // Where a record finds an argument list.
    enum class DondeArgs : unsigned char {
        Ninguna,   // none kept
        Vacia,     // the empty list (ChkArgs ran; the handler has not ended)
        EnLinea,   // in the line itself (ArgsGuardados::EnLaLinea)
        ComoArg,   // (after the line only) the same as the line's own
        Aparte     // in argsAparte
    };
    // What the handler of a line did: enough to do it again without it.
    // A long list holds one per line: the small fields are packed together,
    // and the two argument lists, on a card list both the line's own
    // arguments, take no room of their own.
    struct Recuerdo {
        QString linea;   // the key
        CodigoGuardado codLin;
        // Most lines leave no effect: an empty list costs a pointer, not three.
        std::unique_ptr<std::vector<Efecto>> efectos;
        std::unique_ptr<ArgsAparte> argsAparte;
        // The fields after it may lie in its padding.
        [[no_unique_address]] Tras tras;
        TipoDeLinea tipo = TipoDeLinea::Cmd;
        bool sinClave : 1 = false;      // a line too long to keep twice: no key
        bool valido : 1 = false;        // what the handler did can be repeated
        bool conservable : 1 = false;   // a later pass starting below may keep what it left
        // The pane shows the line as the colouring chain writes it, text and
        // colours, and has not changed it since: the chain passes it untouched.
        bool pintada : 1 = false;
        // The handler's one effect was the card caption made of arg (Leyendas.h).
        bool compilando : 1 = false;
        DondeArgs dondeArg : 3 = DondeArgs::Ninguna;
        DondeArgs dondeTras : 3 = DondeArgs::Ninguna;
        ChkGuardado chkArgs;
        // Back to a line not yet compiled; the state noted after it stays,
        // for a pass that compares its own with it.
        void Olvidar();
        bool TieneClave() const { return !sinClave; }
        const std::vector<Efecto>& Efectos() const;
        // v_Arg as ChkArgs filled it, if it ran.
        bool HayArg() const { return dondeArg != DondeArgs::Ninguna; }
        ArgsGuardados Arg() const;
        void PonerArg(const ArgsGuardados& args);
        // v_Arg after the line, if the pass had filled it.
        bool HayArgsTras() const { return dondeTras != DondeArgs::Ninguna; }
        ArgsGuardados ArgsTras() const;
        void PonerArgsTras(const ArgsGuardados& args);
        void ArgsTrasComoArg();   // the same as the line's own, whatever they become
        QString InfoTras() const { return tras.Info(ArgsTras()); }
        // The line rewritten in normal form: its arguments the same.
        void Reescribir(QString&& normal);

    private:
        ArgsAparte& Aparte();
        void SoltarAparte();   // frees argsAparte when it holds nothing
    };
    // The lines to compile: how many at the start and at the end are as the
    // last pass left them, and the texts of those between.
    class Lectura {
    public:
        int lineas = 0;
        int viejas = 0;   // lines the last pass left
        int prefijo = 0;
        int sufijo = 0;
        // The text of line i, handed over once: a long line is not kept twice.
        QString Tomar(int i);
        bool PrimeraVacia() const;

    private:
        friend class RecuerdosPasada;
        QStringList v_Medio;
        const RecuerdosPasada* v_Memoria = nullptr;
    };

    void SetRecordar(bool recordar);
    bool Recordando() const { return v_Recordar; }

    // Reads the command pane; the records follow its lines from here on.
    Lectura Leer(const PanelTexto& tx_Cmd);

    // Keep: the first line to compile, not past a line whose handler must
    // run again nor into the colouring chain, and 0 unless the panes still
    // hold what the last pass left there. Starts the pass's own notes.
    int Conservar(int prefijo, int linAnt, const Compilador& c);
    // The code pane and the debug list hold what the last pass left (known after Conservar).
    bool Intactos() const { return v_Intactos; }
    int UltimaNoConservable() const { return v_UltimaNoConservable; }
    // The state a pass that starts at line `desde` (> 0) takes over: noted after the line before.
    const Recuerdo& TrasDe(int desde) const { return v_Recuerdos[desde - 1]; }

    // Read a line's record: what its handler did, when the pass repeats it
    // instead of running the handler (nullptr: run it).
    const Recuerdo* Repetir(int i);
    // The handler of line i (of `largo` characters) runs now and is recorded.
    void Grabar(int i, qsizetype largo);
    // The one recording hook: the compiler reports here everything a handler does.
    void Hecho(Efecto&& efecto);
    // The handler has ended: the record takes the line's text and the line's state.
    void Guardar(int i, const QString& texto, const Compilador& c);
    // A command line rewritten in normal form: the next pass finds it so.
    void Reescrita(int i, QString&& normal);
    // Whether the chain wrote line i as the pane shows it now.
    bool Pintada(int i) const { return v_Recordar && v_Recuerdos[i].pintada; }
    // The chain has written line i, or found it already written so.
    void MarcarPintada(int i) {
        if (v_Recordar && v_Recuerdos[i].TieneClave()) v_Recuerdos[i].pintada = true;
    }
    // An action line that this pass removed from the pane.
    void Quitada(int i) { v_Quitadas.push_back(i); }

    // How the state after a line compares with the one the last pass noted
    // there: the same caption and arguments (mismo), and by how many code
    // lines and debug entries it is ahead.
    struct Comparacion {
        bool mismo = false;
        int codigos = 0;
        int errores = 0;
    };
    // Note: after line i, the pass's state, for a later pass that keeps this line.
    Comparacion Anotar(int i, bool vacia, const Compilador& c);
    // The states noted after lines `desde` on move by so many code lines and debug entries.
    void Desplazar(int desde, int codigos, int errores);
    // Whether no line from i on must run its handler again: a pass may then
    // stop there when its state matches the last pass's.
    bool SinManejadoresDesde(int i) const { return v_Recordar && i > v_UltimaNoConservable; }
    // The colouring chain from line i on, over lines it would leave untouched:
    // the first line where it ends (an empty line or the end), -1 when it
    // would write line `bloqueo` before it ends. conCmd: a command line among those passed.
    int FinCadena(int i, bool& conCmd, int& bloqueo) const;
    // The last line's record, as the last pass left it.
    const Recuerdo& Ultimo() const { return v_Recuerdos.back(); }
    // Close the pass, compiled from `desde` to `hasta` (the rest kept): lines
    // removed, where the next pass may start; marks the pane unchanged.
    void Cerrar(int desde, int hasta, Compilador& c);

private:
    static bool Repetible(const Recuerdo& r);
    bool LeerCambios(const PanelTexto& tx_Cmd, Lectura& l) const;
    void Comparar(QStringList&& lineas, Lectura& l) const;
    void Seguir(const Lectura& l);

    bool v_Recordar = false;
    std::vector<Recuerdo> v_Recuerdos;   // by line, as the last pass left the pane
    int v_PrimeraNoConservable = 0;      // first and last lines whose handler must run again
    int v_UltimaNoConservable = INT_MAX;
    int v_SinClave = 0;   // lines kept without their text
    bool v_Intactos = false;
    int v_CodigosTotal = 0;   // code lines and debug entries the last pass left
    int v_ErroresTotal = 0;
    std::vector<int> v_Quitadas;   // action lines this pass removed
    bool v_InfoFijada = false;     // this pass has set a caption so far
    bool v_ArgsFijados = false;    // and filled v_Arg
    int v_Grabando = -1;           // the line whose handler is being recorded
};
