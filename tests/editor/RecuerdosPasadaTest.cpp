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

// On the window's pane the chain knows the lines it wrote: a pass that stops
// early below a card changed in place takes the chain to its end untouched,
// and must still leave what a full pass leaves.
TEST(Recuerdos, PassesThatStopEarlyOnTheWindowsPaneLeaveWhatAFullPassLeaves) {
    CajaRica caja, cajaSin;
    PanelRico cmd(&caja), cmdSin(&cajaSin);
    PruebaRecuerdos prueba{cmd, cmdSin, [](const PanelTexto& p, int k) { return static_cast<const PanelRico&>(p).ColorEn(k); },
                           [](PanelTexto& p) { static_cast<PanelRico&>(p).EmpezarLote(); },
                           [](PanelTexto& p) { static_cast<PanelRico&>(p).TerminarLote(); }};
    prueba.tarjetas = true;
    prueba.Correr(6, 100, 30);
}
