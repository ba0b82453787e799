#pragma once
class PanelTexto;

// Editor state the tip reads (see the keyboard handling).
struct EstadoTip {
    bool v_ChangeText = false;
    int PriCarCmd = -1;   // start of the caret's line
    int LinActCmd = 0;    // caret's line at the last key release
    int PriLinCmd = 0;    // first visible line of the command pane
    int topCmd = 600;     // Top of tx_Cmd, twips
};

// Places, fills, formats and shows or hides the tip pane for the line being
// typed; may set the help context number to the command's topic.
void ProponerArgs(PanelTexto& tx_Tip, const PanelTexto& tx_Cmd, const EstadoTip& estado, int& contextoAyuda);
