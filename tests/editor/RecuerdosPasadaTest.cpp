#include "PanelRico.h"
#include "CajaRica.h"
#include "PruebaRecuerdos.h"

// The window's command pane counts its own changes: a pass reads only the
// lines changed since the last one, and must leave what a full pass leaves.
TEST(Recuerdos, PassesOnTheWindowsPaneLeaveWhatAFullPassLeaves) {
    CajaRica caja, cajaSin;
    PanelRico cmd(&caja), cmdSin(&cajaSin);
    cmd.SetAlturaFila(15);
    cmdSin.SetAlturaFila(15);
    PruebaRecuerdos prueba{cmd, cmdSin, [](const PanelTexto& p, int k) { return static_cast<const PanelRico&>(p).ColorEn(k); },
                           [](PanelTexto& p) { static_cast<PanelRico&>(p).EmpezarLote(); },
                           [](PanelTexto& p) { static_cast<PanelRico&>(p).TerminarLote(); }};
    prueba.Correr(6, 80, 25);
}
