// The window's compiler keeps what each line's handler did and, at the next
// pass, repeats it for the lines whose text is unchanged. Whatever the edits,
// every pass must leave exactly what a compiler without that memory leaves on
// the same panes: code, colours, debug entries, captions, windows asked for.
#include "BancoCompilador.h"
#include "GeneradorLineas.h"
#include <gtest/gtest.h>

namespace {

// A code pane written step by step, as the interface's own sequence of calls
// does it: the model's one-step append must leave the same pane.
struct PanelPasoAPaso : PanelMemoria {
    void AgregarLinea(const QString& texto, const ColorRGB* color) override { PanelTexto::AgregarLinea(texto, color); }
};

template <class Codigo>
struct Par {
    PanelMemoria cmd;
    Codigo cod;
    EntornoGrabador entorno;
    Compilador c{cmd, cod, entorno};
};

void Igual(const PanelMemoria& a, const PanelMemoria& b, const char* panel) {
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

// The same edit on both command panes: the text typed, pasted or deleted by the user.
void Editar(Generador& g, PanelTexto& a, PanelTexto& b) {
    const int lineas = a.LineCount();
    const int linea = g.Entre(0, lineas - 1);
    const int inicio = a.LineIndex(linea);
    int largo = 0;
    QString texto;
    switch (g.Entre(0, 4)) {
    case 0: texto = g.Linea() + QStringLiteral("\r\n"); break;                    // a line typed above
    case 1: largo = a.LineLength(inicio) + (linea + 1 < lineas ? 2 : 0); break;   // a line deleted
    case 2:                                                                       // a line rewritten
        largo = a.LineLength(inicio);
        texto = g.Linea();
        break;
    case 3: texto = g.Linea() + QStringLiteral("\r\n") + g.Linea() + QStringLiteral("\r\n"); break;   // pasted
    default: texto = QStringLiteral("\r\n"); break;                                                   // Enter
    }
    for (PanelTexto* p : {&a, &b}) {
        p->SetSelStart(inicio);
        p->SetSelLength(largo);
        p->SetSelText(texto);
    }
}

TEST(Recuerdos, EveryPassLeavesWhatACompilerWithoutMemoryLeaves) {
    for (unsigned semilla = 1; semilla <= 12; ++semilla) {
        SCOPED_TRACE(testing::Message() << "semilla " << semilla);
        Generador g(semilla);
        QStringList lineas;
        for (int i = 0; i < 120; ++i) lineas.append(g.Linea());
        lineas.append(QString());
        Par<PanelMemoria> con;
        Par<PanelPasoAPaso> sin;
        con.c.SetRecordar(true);
        for (auto* p : {static_cast<PanelTexto*>(&con.cmd), static_cast<PanelTexto*>(&sin.cmd)})
            p->SetText(lineas.join(QStringLiteral("\r\n")));

        for (int paso = 0; paso < 30; ++paso) {
            SCOPED_TRACE(testing::Message() << "paso " << paso);
            const bool cargando = paso == 0;   // first as a file is opened, then line by line
            const int linAnt = cargando ? 0 : g.Entre(0, con.cmd.LineCount() - 1);
            for (Compilador* c : {&con.c, &sin.c}) {
                c->LinAntCmd = linAnt;
                c->CompilarLineas(cargando);
            }
            Igual(con.cmd, sin.cmd, "comandos");
            Igual(con.cod, sin.cod, "codigo");
            ASSERT_EQ(con.c.lst_Debug, sin.c.lst_Debug);
            EXPECT_EQ(con.c.v_OrigenCodigo, sin.c.v_OrigenCodigo);
            EXPECT_EQ(con.c.lbl_Info, sin.c.lbl_Info);
            EXPECT_EQ(con.c.LinAntCmd, sin.c.LinAntCmd);
            EXPECT_EQ(con.c.LinActCmd, sin.c.LinActCmd);
            // Help requests and action words reach the window at every pass.
            EXPECT_EQ(con.entorno.llamadas, sin.entorno.llamadas);
            EXPECT_EQ(con.entorno.infos, sin.entorno.infos);
            Editar(g, con.cmd, sin.cmd);
        }
    }
}

}   // namespace
