#pragma once
#include "RecuerdosPasada.h"
#include "TipoLinea.h"
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
    int ChkArgs(int v_NArg);
    bool ChkReloj(const QString& arg, const QString& msgFormato, const QString& msgNumero);
    bool ChkFecha(QString& arg);
    bool ChkHora(QString& arg, const QString& mensaje);
    void MostrarInfo(const QString& texto);

    PanelTexto& tx_Cmd;
    PanelTexto& tx_Cod;
    EntornoCompilador& entorno;

private:
    QString Manejar(int i, QString&& texto);
    void Repetir(const RecuerdosPasada::Recuerdo& r);
    int Conservar(int prefijo);

    void Pasada(bool cargando);
    void TerminarCmd(int i, QStringView linea);
    void TerminarColoreada(int i, QStringView linea);
    void TerminarAyuda(int i, QStringView linea);
    void TerminarAccion(int i, QStringView linea);
    bool SeleccionarLinea(QStringView linea);
    void AvanzarCadena();

    bool v_Compilando = false;
    bool v_Pendiente = false;    // a call arrived during the pass
    int v_PendienteLinAnt = 0;   // LinAntCmd as that caller had set it
    bool v_PendienteCargando = false;
    int v_LinAnt = 0;   // the pass's own LinAntCmd (callers may write the member mid-pass)
    int v_Caret = 0;    // caret remembered while a line is rewritten or coloured

    RecuerdosPasada v_Memoria;
};
