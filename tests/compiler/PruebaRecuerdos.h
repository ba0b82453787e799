#pragma once
// The window's compiler keeps what each line's handler did and, at the next
// pass, repeats it for the lines whose text is unchanged, and keeps what the
// unchanged lines above the first changed one left. Whatever the edits,
// every pass must leave exactly what a compiler without that memory leaves
// on the same text: code, colours, debug entries, caption, windows asked for.
//
// PruebaRecuerdos runs random edits and passes on both, each on a command
// pane of the kind the caller gives (the plain model, or the window's widget
// adapter that counts its own changes); the one without memory writes its
// code pane by the interface's own sequence of calls.
#include "BancoCompilador.h"
#include "GeneradorLineas.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

// A code pane written step by step: the model's one-step append must leave the same pane.
struct PanelPasoAPaso : PanelMemoria {
    void AgregarLinea(const QString& texto, const ColorRGB* color) override { PanelTexto::AgregarLinea(texto, color); }
};

inline void IgualesModelos(const PanelMemoria& a, const PanelMemoria& b, const char* panel) {
    SCOPED_TRACE(panel);
    ASSERT_EQ(a.Text(), b.Text());
    for (int n = 0; n < a.LineCount(); ++n) {
        const auto& ta = a.TramosDe(n);
        const auto& tb = b.TramosDe(n);
        ASSERT_EQ(ta.size(), tb.size()) << "line " << n;
        for (size_t k = 0; k < ta.size(); ++k) {
            EXPECT_EQ(ta[k].largo, tb[k].largo) << "line " << n;
            EXPECT_TRUE(ta[k].formato == tb[k].formato) << "line " << n;
        }
    }
    EXPECT_EQ(a.SelStart(), b.SelStart());
    EXPECT_EQ(a.SelLength(), b.SelLength());
    EXPECT_TRUE(a.FormatoEscritura() == b.FormatoEscritura());
}

// The same replacement on both command panes.
inline void ReemplazarEnAmbos(PanelTexto& a, PanelTexto& b, int desde, int largo, const QString& texto) {
    for (PanelTexto* p : {&a, &b}) {
        p->SetSelStart(desde);
        p->SetSelLength(largo);
        p->SetSelText(texto);
    }
}

// The same edit on both command panes: a line typed, deleted, rewritten, pasted, or Enter.
inline void EditarIgual(Generador& g, PanelTexto& a, PanelTexto& b) {
    const int lineas = a.LineCount();
    const int linea = g.Entre(0, lineas - 1);
    const int inicio = a.LineIndex(linea);
    int largo = 0;
    QString texto;
    switch (g.Entre(0, 4)) {
    case 0: texto = g.Linea() + QStringLiteral("\r\n"); break;
    case 1: largo = a.LineLength(inicio) + (linea + 1 < lineas ? 2 : 0); break;
    case 2:
        largo = a.LineLength(inicio);
        texto = g.Linea();
        break;
    case 3: texto = g.Linea() + QStringLiteral("\r\n") + g.Linea() + QStringLiteral("\r\n"); break;
    default: texto = QStringLiteral("\r\n"); break;
    }
    ReemplazarEnAmbos(a, b, inicio, largo, texto);
}

// A card list: one line rewritten in place (the same text, another card, a
// line written by hand), a card added below it (Enter) or the line deleted;
// gives the line left.
inline int EditarEnSitio(Generador& g, PanelTexto& a, PanelTexto& b) {
    const int lineas = a.LineCount();
    const int linea = g.Entre(0, lineas - 1);
    const int inicio = a.LineIndex(linea);
    int desde = inicio, largo = a.LineLength(inicio);
    QString texto;
    switch (g.Entre(0, 7)) {
    case 0:
        desde = inicio + largo;
        largo = 0;
        texto = QStringLiteral("\r\n") + g.Tarjeta(true);
        break;
    case 1:
        if (linea + 1 < lineas) largo += 2;
        break;
    case 2: texto = a.TextoLinea(linea); break;
    default: texto = g.Tarjeta(true); break;
    }
    ReemplazarEnAmbos(a, b, desde, largo, texto);
    return std::min(linea, a.LineCount() - 1);
}

struct PruebaRecuerdos {
    PanelTexto& cmd;      // the remembering compiler's command pane
    PanelTexto& cmdSin;   // the other's
    std::function<ColorRGB(const PanelTexto&, int)> colorEn;
    std::function<void(PanelTexto&)> antes, despues;   // around each pass (a batch, in the window)
    bool tarjetas = false;                             // a card list edited in place, line after line

    void Correr(unsigned semillas, int lineas, int pasos) {
        for (unsigned semilla = 1; semilla <= semillas; ++semilla) {
            SCOPED_TRACE(testing::Message() << "semilla " << semilla);
            Generador g(semilla);
            QStringList texto;
            for (int i = 0; i < lineas; ++i) texto.append(tarjetas ? g.Tarjeta(false) : g.Linea());
            texto.append(QString());
            PanelMemoria cod;
            EntornoGrabador entorno;
            Compilador con(cmd, cod, entorno);
            con.SetRecordar(true);
            PanelPasoAPaso codSin;
            EntornoGrabador entornoSin;
            Compilador sin(cmdSin, codSin, entornoSin);
            cmd.SetText(texto.join(QStringLiteral("\r\n")));
            cmdSin.SetText(texto.join(QStringLiteral("\r\n")));

            int editada = 0;
            for (int paso = 0; paso < pasos; ++paso) {
                SCOPED_TRACE(testing::Message() << "paso " << paso);
                const bool cargando = paso == 0;   // first as a file is opened, then line by line
                const int linAnt = cargando ? 0 : tarjetas ? editada
                                                           : g.Entre(-1, cmd.LineCount() - 1);
                con.LinAntCmd = sin.LinAntCmd = linAnt;
                for (auto [c, p] : {std::pair{&con, &cmd}, std::pair{&sin, &cmdSin}}) {
                    if (antes) antes(*p);
                    c->CompilarLineas(cargando);
                    if (despues) despues(*p);
                }

                ASSERT_EQ(cmd.Text(), cmdSin.Text());
                const QString t = cmdSin.Text();
                EXPECT_EQ(cmd.SelLength(), cmdSin.SelLength());
                for (int k = 0; k < t.size(); ++k) {   // the panes keep no colour of their own for a line break
                    if (t[k] == u'\r' || t[k] == u'\n') continue;
                    ASSERT_EQ(colorEn(cmd, k), colorEn(cmdSin, k)) << "index " << k;
                }
                EXPECT_EQ(cmd.SelStart(), cmdSin.SelStart());
                IgualesModelos(cod, codSin, "codigo");
                ASSERT_EQ(con.lst_Debug, sin.lst_Debug);
                EXPECT_EQ(entorno.debugEspejo, entornoSin.debugEspejo);
                EXPECT_EQ(con.v_OrigenCodigo, sin.v_OrigenCodigo);
                EXPECT_EQ(con.lbl_Info, sin.lbl_Info);
                EXPECT_EQ(con.LinAntCmd, sin.LinAntCmd);
                EXPECT_EQ(con.LinActCmd, sin.LinActCmd);
                EXPECT_EQ(con.PriCarCmd, sin.PriCarCmd);
                EXPECT_EQ(con.LonLinCmd, sin.LonLinCmd);
                // Help requests and action words reach the window at every pass.
                EXPECT_EQ(entorno.llamadas, entornoSin.llamadas);
                // Captions of lines kept are not shown again; the window ends on the same one.
                EXPECT_EQ(entorno.infos.value(entorno.infos.size() - 1), entornoSin.infos.value(entornoSin.infos.size() - 1));
                if (tarjetas)
                    editada = EditarEnSitio(g, cmd, cmdSin);
                else
                    EditarIgual(g, cmd, cmdSin);
            }
        }
    }
};
