// Keyboard handling of the command pane: when to compile, and the code pane,
// the gutter and the tip kept beside the command pane.
#include "CajaRica.h"
#include "EtiquetaLineas.h"
#include "Lineas.h"
#include "Module1.h"
#include "Tips.h"
#include "fr_Principal.h"
#include <QAction>

namespace {
constexpr int kBackspace = 8;
constexpr int kDelete = 46;
constexpr int kFilasGutter = 18;
}   // namespace

void fr_Principal::CompilarLineas(bool v_Cargando) {
    if (v_Compilador->Compilando()) return;
    const bool bloqueada = tx_Cmd->Bloqueada();
    tx_Cmd->SetBloqueada(true);
    v_Entorno->Empezar();
    ++v_Pasadas;
    Cmd().EmpezarLote();
    v_Compilador->CompilarLineas(v_Cargando);
    v_Entorno->Volcar();
    if (!Cod().Visible()) Cod().SetVisible(true);
    // The caret set at the end of the batch is the pass's own move, not the user's.
    const bool cambio = v_Compilador->v_ChangeText;
    Cmd().TerminarLote();
    v_Compilador->v_ChangeText = cambio;
    // Laid out only now: scroll the code pane again by the final layout.
    SincronizaTxt();
    tx_Cmd->SetBloqueada(bloqueada);
}

void fr_Principal::SuspenderLote(bool tomaTeclado) {
    // A window or message box opens mid-pass: show the panes as they stand.
    // Keys typed before a window that takes the keyboard were meant for the
    // pane as it was: dropped.
    if (tomaTeclado) tx_Cmd->DescartarTeclas();
    v_Entorno->Volcar();
    int niveles = 0;
    while (Cmd().EnLote()) {
        Cmd().TerminarLote();
        ++niveles;
    }
    v_Suspendidos.push_back(niveles);
}

void fr_Principal::VolcarLote() {
    if (!Cmd().EnLote()) return;
    const bool cambio = v_Compilador->v_ChangeText;
    int niveles = 0;
    while (Cmd().EnLote()) {
        Cmd().TerminarLote();
        ++niveles;
    }
    for (; niveles > 0; --niveles) Cmd().EmpezarLote();
    v_Compilador->v_ChangeText = cambio;
}

void fr_Principal::ReanudarLote() {
    if (v_Suspendidos.empty()) return;
    for (int n = v_Suspendidos.back(); n > 0; --n) Cmd().EmpezarLote();
    v_Suspendidos.pop_back();
}

void fr_Principal::ProponerArgs() {
    // The tip belongs to the caret's line. After a click on another line the
    // line measured at the last key is not the caret's: no tip until a key
    // release has measured the new one.
    const bool enSuLinea = LineaActual(Cmd()) == Comp().LinActCmd;
    const EstadoTip estado{Comp().v_ChangeText && enSuLinea, Comp().PriCarCmd, Comp().LinActCmd, PriLinCmd,
                           Cmd().Top()};
    ::ProponerArgs(Tip(), Cmd(), estado, HelpContextID);
}

void fr_Principal::tx_Cmd_KeyDown(int, int) {
    if (v_PrimerUso) {
        // The welcome text goes before the key lands, so the key types into an empty pane.
        Cmd().SetText(QString());
        v_PrimerUso = false;
        mn_Guardar->setEnabled(true);
    }
    HelpContextID = 1;
    ProponerArgs();
    if (Cmd().SelLength() < 1) Cmd().SetSelColor(Colores::Negro);
    SincronizaTxt();
    ActualizaNumerosLinea();
}

void fr_Principal::tx_Cmd_KeyUp(int codigo, int shift) {
    Compilador& c = Comp();
    c.LinActCmd = LineaActual(Cmd());
    c.PriCarCmd = InicioLinea(Cmd(), c.LinAntCmd);
    c.LonLinCmd = LargoLinea(Cmd(), c.PriCarCmd);
    const bool borrado = codigo == kBackspace || codigo == kDelete;
    if (borrado && LastSelLen >= 1) {   // a selection has just been deleted
        c.LinAntCmd = LineaActual(Cmd());
        CompilarLineas();
    }
    if (borrado && c.LinActCmd != c.LinAntCmd) {   // two lines joined
        c.LinAntCmd = LineaActual(Cmd());
        CompilarLineas();
    }
    if (c.LinActCmd != c.LinAntCmd && c.v_ChangeText && LastSelLen == 0) CompilarLineas();
    LastSelLen = Cmd().SelLength();
    tx_Cmd_KeyDown(codigo, shift);
    c.LinAntCmd = c.LinActCmd;
}

void fr_Principal::tx_Cmd_MouseDown() { Comp().LinAntCmd = Comp().LinActCmd; }

void fr_Principal::tx_Cmd_MouseUp() { LastSelLen = Cmd().SelLength(); }

void fr_Principal::tx_Cmd_SelChange() {
    Comp().v_ChangeText = true;
    Module1::v_Modificado = true;
}

void fr_Principal::tx_Tip_GotFocus() { tx_Cmd->setFocus(); }

int fr_Principal::FilasGutter() const {
    // One number for every row the command pane shows (18 at the design size).
    const int filas = v_PCmd->FilasEnVista();
    return filas > 0 ? filas : kFilasGutter;
}

void fr_Principal::SincronizaTxt() {
    // Inside a batch the command pane is not laid out yet: measuring it would
    // lay out the whole text. The batch's end calls this again.
    if (Cmd().EnLote()) return;
    PriLinCmd = Cmd().FirstVisibleLine();
    PriLinCod = Cod().FirstVisibleLine();
    if (PriLinCmd != PriLinCod) Cod().LineScroll(PriLinCmd - PriLinCod);
}

void fr_Principal::ActualizaNumerosLinea() {
    QString numeros;
    const int filas = FilasGutter();
    for (int n = PriLinCmd + 1; n <= PriLinCmd + filas; ++n) {
        numeros += QString::number(n);
        numeros += QStringLiteral(" \r\n");
    }
    tx_NroLin->setText(numeros);
    // The accessible name stays "Línea"; screen readers get the rows shown here.
    tx_NroLin->setAccessibleDescription(
        QStringLiteral("Líneas %1 a %2").arg(PriLinCmd + 1).arg(PriLinCmd + filas));
    tx_NroLin->repaint();
}
