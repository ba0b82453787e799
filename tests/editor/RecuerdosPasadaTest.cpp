#include "PanelRico.h"
#include "CajaRica.h"
#include "PruebaRecuerdos.h"

// The window's command pane counts its own changes: a pass reads only the
// lines changed since the last one, and must leave what a full pass leaves.
// It knows the lines the chain wrote: on a card list a pass that stops early
// below a card changed in place takes the chain to its end untouched.
TEST(Recuerdos, PassesOnTheWindowsPaneLeaveWhatAFullPassLeavesAlsoWhenTheyStopEarly) {
    for (const bool tarjetas : {false, true}) {
        SCOPED_TRACE(tarjetas ? "card list" : "any lines");
        CajaRica caja, cajaSin;
        PanelRico cmd(&caja), cmdSin(&cajaSin);
        cmd.SetAlturaFila(15);
        cmdSin.SetAlturaFila(15);
        PruebaRecuerdos prueba{cmd, cmdSin, [](const PanelTexto& p, int k) { return static_cast<const PanelRico&>(p).ColorEn(k); },
                               [](PanelTexto& p) { static_cast<PanelRico&>(p).EmpezarLote(); },
                               [](PanelTexto& p) { static_cast<PanelRico&>(p).TerminarLote(); }, tarjetas};
        prueba.Correr(6, tarjetas ? 100 : 80, tarjetas ? 30 : 25);
    }
}
