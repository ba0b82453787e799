#pragma once
#include "ColorRGB.h"
#include "RecuerdosPasada.h"
#include "TipoLinea.h"
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>
#include <vector>

class PanelTexto;
class EntornoCompilador;

// The compile pass over the command pane and its form variables. One object
// per main window (or per orvoc run); the handlers of the command table work
// on its per-line state.
class Compilador {
public:
    Compilador(PanelTexto& tx_Cmd, PanelTexto& tx_Cod, EntornoCompilador& entorno);

    // Rebuilds tx_Cod and lst_Debug from tx_Cmd, one code line per command
    // line (with the memory on, unchanged lines are not compiled again but
    // leave the same); colours and normalises the chain that starts at
    // LinAntCmd; runs the action words.
    // A call while a pass runs (input handled during a yield) is not nested:
    // one more pass runs when the current one ends, from the LinAntCmd and
    // the loading flag that the caller had set. While v_Cargando is true (a
    // file being opened) an empty line does not end the colouring chain.
    void CompilarLineas(bool v_Cargando);
    bool Compilando() const { return v_Compilando; }
    // Keeps what each line's handler did from one pass to the next
    // (RecuerdosPasada). Off for a single pass over a file.
    void SetRecordar(bool recordar) { v_Memoria.SetRecordar(recordar); }

    // Form variables (read and written by the keyboard handling too).
    int LinAntCmd = 0;
    int LinActCmd = 0;
    int PriCarCmd = -1;
    int LonLinCmd = -1;
    bool v_ChangeText = false;

    // Results of the last pass.
    QStringList lst_Debug;   // "Linea N - message"
    QString lbl_Info;        // last caption set by the pass

    // For each line of tx_Cod, the command-pane line that produced it, as the
    // pane stands when the pass reaches a transmission (-1: none).
    std::vector<int> v_OrigenCodigo;

    // ---- Per-line state, for the handlers ----
    TipoDeLinea TipoLinea = TipoDeLinea::Cmd;
    QStringList v_Cmd;   // [word, argument text?]
    QStringList v_Arg;
    QString v_CodLin;
    int v_ChkArgs = 0;          // -1 (true) after a help request
    int v_LineaCompilada = 0;   // index of the line being compiled

    // What an action line does once the pass stands on it (set by its handler).
    void (*v_Accion)(Compilador&) = nullptr;

    void InsertaCodigo(const QString& v_CodLin, TipoDeLinea v_Tipo);
    // A debug entry: "Linea N - " and the error line; the same entry for a
    // line moved by `lineas`.
    static QString EntradaDebug(int linea, QStringView codLin);
    static QString EntradaMovida(const QString& entrada, int lineas);
    // Code lines and debug entries this pass has written so far.
    int CodigosHechos() const { return v_Cola.activa ? v_Cola.codigo : static_cast<int>(v_OrigenCodigo.size()); }
    int ErroresHechos() const { return v_Cola.activa ? v_Cola.error : static_cast<int>(lst_Debug.size()); }
    int ChkArgs(int v_NArg);
    bool ChkReloj(const QString& arg, const QString& msgFormato, const QString& msgNumero);
    bool ChkFecha(QString& arg);
    bool ChkHora(QString& arg, const QString& mensaje);
    void MostrarInfo(const QString& texto);

    PanelTexto& tx_Cmd;
    PanelTexto& tx_Cod;
    EntornoCompilador& entorno;

private:
    static QStringList PartirLinea(const QString& linea);
    QString Manejar(int i, QString&& texto);
    void Repetir(const RecuerdosPasada::Recuerdo& r);
    // sinCola: the panes are emptied below the kept lines (a file being
    // loaded, an empty pane).
    int Conservar(int prefijo, const RecuerdosPasada::Lectura& l, bool sinCola);

    // The last pass's code lines and debug entries below those written so
    // far, left in place while the pass may still stop early: when the
    // caption and arguments after a line are those the last pass noted
    // there and nothing below must run again, every line below would leave
    // what it left, moved by the lines added or removed (ColaPasada.cpp).
    struct Cola {
        bool activa = false;
        int codigo = 0, error = 0;     // where the next code line and debug entry go
        int codigo0 = 0, error0 = 0;   // where this pass began writing
        int lineas = 0;                // lines compiled with the tail in place
        int bloqueo = -1;              // a line below that the chain would write
    };
    bool TomarCola(int desde, int codigos, int errores, const RecuerdosPasada::Lectura& l);
    void PonerEnCola(const QString& codLin, const ColorRGB* color, const QString* entrada);
    // Drops the old tail: the panes hold what a pass that compiles on leaves.
    void SoltarCola();
    // After line i, whose state compares with the last pass's as `k`: stops
    // the pass (true) with the panes, the chain and the form variables as a
    // pass over every line below would leave them.
    bool Atajar(int i, const RecuerdosPasada::Comparacion& k, const RecuerdosPasada::Lectura& l);
    void Atajo(int i, int finCadena, bool conCmd, const RecuerdosPasada::Comparacion& k,
               const RecuerdosPasada::Lectura& l);
    void QuitarLineasCodigo(int desde, int cuantas);

    void Pasada(bool cargando);
    void TerminarCmd(int i, QStringView linea);
    void TerminarColoreada(int i, QStringView linea);
    void TerminarAyuda(int i, QStringView linea);
    void TerminarAccion(int i, QStringView linea);
    bool SeleccionarLinea(QStringView linea);
    // Gives back the user's selection after line PriCarCmd's text went from
    // viejo to nuevo characters; an empty one gets the typing colour.
    void DevolverSeleccion(int viejo, int nuevo);
    void AvanzarCadena();
    // The chain on a line the pane already shows as it would write it:
    // nothing is written (on a long list the chain runs through every line,
    // and a rewrite costs a layout and an undo step). tramos: the colour of
    // each part of the text, in order.
    bool Intacta(int i, QStringView linea, QStringView escrita,
                 std::initializer_list<std::pair<qsizetype, ColorRGB>> tramos);
    // After lines left untouched: the caret and the form variables as a
    // rewrite of the last of them would have left them.
    void CerrarIntactas();

    bool v_Compilando = false;
    bool v_Pendiente = false;    // a call arrived during the pass
    int v_PendienteLinAnt = 0;   // LinAntCmd as that caller had set it
    bool v_PendienteCargando = false;
    int v_LinAnt = 0;   // the pass's own LinAntCmd (callers may write the member mid-pass)
    // The user's selection (anchor and caret) while a line is rewritten or
    // coloured: given back as found, moved only by the rewrite's change of length.
    int v_Ancla = 0;
    int v_Caret = 0;
    int v_LinPedida = 0;         // the line the caller named: the one the user just left
    int v_UltimaIntacta = -1;    // the chain's last line, if left untouched
    bool v_IntactaCmd = false;   // a command line among those left untouched

    RecuerdosPasada v_Memoria;
    Cola v_Cola;
};
