#pragma once
#include "ColorRGB.h"
#include "TipoLinea.h"
#include <initializer_list>
#include <utility>
#include <QString>
#include <QStringList>
#include <vector>

class PanelTexto;
class EntornoCompilador;

// The compile pass over the command pane and its form variables. One object
// per main window (or per orvoc run); the handlers of the command table work
// on its per-line state.
class Compilador {
public:
    Compilador(PanelTexto& tx_Cmd, PanelTexto& tx_Cod, EntornoCompilador& entorno);

    // Recompiles every line of tx_Cmd into tx_Cod and lst_Debug; colours and
    // normalises the chain that starts at LinAntCmd; runs the action words.
    // A call while a pass runs (input handled during a yield) is not nested:
    // one more pass runs when the current one ends, from the LinAntCmd and
    // the loading flag that the caller had set. While v_Cargando is true (a
    // file being opened) an empty line does not end the colouring chain.
    void CompilarLineas(bool v_Cargando);
    bool Compilando() const { return v_Compilando; }
    // Keeps what each line's handler did from one pass to the next (a window
    // compiles at every line left): a pass then keeps the code lines and
    // debug entries of the unchanged lines above the first changed one and
    // runs the handlers of the changed lines only. Off for a single pass
    // over a file.
    void SetRecordar(bool recordar);

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
    int ChkArgs(int v_NArg);
    bool ChkReloj(const QString& arg, const QString& msgFormato, const QString& msgNumero);
    bool ChkFecha(QString& arg);
    bool ChkHora(QString& arg, const QString& mensaje);
    void MostrarInfo(const QString& texto);

    PanelTexto& tx_Cmd;
    PanelTexto& tx_Cod;
    EntornoCompilador& entorno;

private:
    // What the handler of a line did: enough to do it again without it.
    struct Efecto {
        bool esInfo;   // MostrarInfo, else InsertaCodigo
        TipoDeLinea tipo;
        QString texto;
    };
    struct Recuerdo {
        QString linea;   // the line's text: the key ("" and sinClave for a line too long to keep)
        bool sinClave = false;
        bool valido = false;        // what the handler did can be repeated
        bool conservable = false;   // a later pass starting below may keep what it left
        TipoDeLinea tipo = TipoDeLinea::Cmd;
        QStringList cmd;       // v_Cmd, for a command line
        bool conChk = false;   // ChkArgs ran: v_ChkArgs as it left it
        int chkArgs = 0;
        bool conArgs = false;   // ChkArgs filled v_Arg (a line without arguments leaves it)
        QStringList arg;
        QString codLin;
        std::vector<Efecto> efectos;
        // The pass's state after this line: code lines and debug entries so
        // far, the caption and v_Arg (when the pass had set them).
        int codigosTras = 0;
        int erroresTras = 0;
        bool conInfo = false;
        QString infoTras;
        bool conArgsTras = false;
        QStringList argTras;
        // The pane shows the line as the chain writes it, text and colours,
        // and has not changed it since: the chain passes it untouched.
        bool pintada = false;
    };
    // The lines to compile: how many at the start and at the end are as the
    // last pass left them, and the texts of those between.
    struct Lectura {
        int lineas = 0;
        int prefijo = 0;
        int sufijo = 0;
        QStringList medio;
    };
    Lectura LeerLineas();
    // Keeps what the lines above the first one to compile left in the code
    // pane and the debug list (or empties them); gives that first line.
    int Conservar(int prefijo);
    // After line i: the pass's state, for a later pass that keeps this line.
    void Anotar(int i, bool vacia);
    // After the pass: lines removed, where the next pass may start.
    void CerrarRecuerdos(int desde);
    // Runs the handler of line i, or repeats what it did in an earlier pass
    // on the same text; gives back the line's text, kept for the pass.
    const QString& Manejar(int i, QString&& texto);
    static bool Repetible(const Recuerdo& r);

    void Pasada(bool cargando);
    void TerminarCmd(int i, QStringView linea);
    void TerminarColoreada(int i, QStringView linea);
    void TerminarAyuda(int i, QStringView linea);
    void TerminarAccion(int i, QStringView linea);
    bool SeleccionarLinea(QStringView linea);
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
    void Pintada(int i);

    bool v_Compilando = false;
    bool v_Pendiente = false;    // a call arrived during the pass
    int v_PendienteLinAnt = 0;   // LinAntCmd as that caller had set it
    bool v_PendienteCargando = false;
    int v_LinAnt = 0;            // the pass's own LinAntCmd (callers may write the member mid-pass)
    int v_Caret = 0;             // caret remembered while a line is rewritten or coloured
    int v_UltimaIntacta = -1;    // the chain's last line, if left untouched
    bool v_IntactaCmd = false;   // and it was a command line

    bool v_Recordar = false;
    std::vector<Recuerdo> v_Recuerdos;   // by line, as the last pass left the pane
    int v_PrimeraNoConservable = 0;      // first line whose handler must run again
    int v_SinClave = 0;                  // lines kept without their text
    int v_CodigosTotal = 0;              // code lines and debug entries the last pass left
    int v_ErroresTotal = 0;
    std::vector<int> v_Quitadas;   // action lines this pass removed
    bool v_InfoFijada = false;     // this pass has set a caption / v_Arg so far
    bool v_ArgsTras = false;
    Recuerdo* v_Grabando = nullptr;   // the handler running now, if it is being recorded
    QString v_Linea;                  // the line being compiled, when not recorded
    bool v_ChkLlamado = false;        // ChkArgs ran for this line
    bool v_ArgsFijados = false;       // and filled v_Arg
};
