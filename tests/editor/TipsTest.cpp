// The tip pane, headless: both panes are in-memory models.
#include "Herramientas.h"
#include "PanelMemoria.h"
#include "Tips.h"
#include "VentanaPrueba.h"
#include "fr_Ayuda.h"
#include "fr_Herramientas.h"
#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// "4 1I 6BI 13I": runs of the tip's line as length + format letters
// (R red, G green, P violet, B bold, I italic; no letter: plain black).
template <typename Tramos>
QString Describir(const Tramos& tramos) {
    QStringList r;
    for (const auto& t : tramos) {
        QString s = QString::number(t.largo);
        if (t.formato.color == Colores::Rojo) s += 'R';
        if (t.formato.color == Colores::Verde) s += 'G';
        if (t.formato.color == Colores::Violeta) s += 'P';
        if (t.formato.bold) s += 'B';
        if (t.formato.italic) s += 'I';
        r << s;
    }
    return r.join(' ');
}

// Caret marked by '|' (at the end when absent); the caret's line is the one edited.
struct Escena {
    PanelMemoria tx_Cmd;
    PanelMemoria tx_Tip{QStringLiteral("Tips")};
    EstadoTip estado;
    int contexto = 1;

    explicit Escena(const QString& texto) {
        Texto(texto);
        tx_Tip.SetVisible(false);
    }
    // The command pane's text as just typed, the caret at '|'.
    void Texto(QString texto) {
        int caret = static_cast<int>(texto.indexOf(QLatin1Char('|')));
        texto.remove(QLatin1Char('|'));
        if (caret < 0) caret = static_cast<int>(texto.size());
        tx_Cmd.SetText(texto);
        tx_Cmd.SetSelStart(caret);
        estado.v_ChangeText = true;
        estado.LinActCmd = tx_Cmd.LineFromChar(-1);
        estado.PriCarCmd = tx_Cmd.LineIndex(estado.LinActCmd);
    }
    void Proponer() {
        contexto = 1;   // the key-press handler does this first
        ProponerArgs(tx_Tip, tx_Cmd, estado, contexto);
    }
};

struct CasoTip {
    const char* linea;
    const char* texto;   // the tip's text
    bool visible;
    int ancho;
    int topico;
    const char* tramos;
};

void PrintTo(const CasoTip& c, std::ostream* os) { *os << '"' << c.linea << '"'; }

class TipDeLinea : public ::testing::TestWithParam<CasoTip> {};

TEST_P(TipDeLinea, ShowsTemplateWidthTopicAndHighlight) {
    const CasoTip& caso = GetParam();
    Escena e(QString::fromUtf8(caso.linea));
    e.Proponer();
    EXPECT_EQ(e.tx_Tip.Text(), QString::fromUtf8(caso.texto));
    EXPECT_EQ(e.tx_Tip.Visible(), caso.visible);
    EXPECT_EQ(e.tx_Tip.Width(), caso.ancho);
    EXPECT_EQ(e.contexto, caso.topico);
    EXPECT_EQ(Describir(e.tx_Tip.TramosDe(0)), QString::fromLatin1(caso.tramos));
}

INSTANTIATE_TEST_SUITE_P(
    Tips, TipDeLinea,
    ::testing::Values(
        // The word alone: hidden, but F1 already knows the command.
        CasoTip{"FECH", "FECH nReloj, Fecha, Hora", false, 2100, 105, "4 1I 6BI 13I"},
        CasoTip{"FECH ", "FECH nReloj, Fecha, Hora", true, 2100, 105, "4 1I 6BI 13I"},
        CasoTip{"FECH 1,", "FECH nReloj, Fecha, Hora", true, 2100, 105, "4 9I 5BI 6I"},
        CasoTip{"FECH 1, 01/01/2011,", "FECH nReloj, Fecha, Hora", true, 2100, 105, "4 16I 4BI"},
        CasoTip{"FECH 1,2,3,", "FECH nReloj, Fecha, Hora", true, 2300, 105, "4R 1RI 19RBI"},
        // Only the text left of the caret counts.
        CasoTip{"FECH 1|, 01/01/2011, 10:00", "FECH nReloj, Fecha, Hora", true, 2100, 105, "4 1I 6BI 13I"},
        CasoTip{"fech 1", "FECH nReloj, Fecha, Hora", true, 2100, 105, "4 1I 6BI 13I"},
        CasoTip{"FECH 1 , 2", "FECH nReloj, Fecha, Hora", true, 2100, 105, "4 9I 5BI 6I"},
        CasoTip{"FECH  1", "FECH nReloj, Fecha, Hora", true, 2100, 105, "4 1I 6BI 13I"},
        CasoTip{"ACK ", "ACK [sin argumentos]", true, 1650, 104, "4 16I"},
        CasoTip{"ACK 1", "ACK [sin argumentos]", true, 1900, 104, "4R 16RBI"},
        CasoTip{"INIA ", "INIA nReloj", true, 1000, 101, "5 6BI"},
        CasoTip{"INIA 1,2", "INIA nReloj", true, 1000, 101, "5R 6RBI"},
        CasoTip{"rset a", "RSET nReloj", true, 1200, 112, "5 6BI"},
        CasoTip{"BING 1,", "BING nReloj, nTarjeta", true, 1850, 110, "4 9I 8BI"},
        CasoTip{"BING 1,2,", "BING nReloj, nTarjeta", true, 1950, 110, "4R 1RI 16RBI"},
        CasoTip{"AING 1,2,A,", "AING nReloj, nTarjeta, cPerfil1, cPerfil2", true, 3100, 111, "4 29I 8BI"},
        CasoTip{"SPER 1,2", "SPER nReloj, nPerfiles", true, 1900, 113, "4 9I 9BI"},
        CasoTip{"APER 1,2,L,8:00,", "APER nReloj, cPerfil, xDias, hDesde, hHasta", true, 3450, 114, "4 33I 6BI"},
        CasoTip{"APER 1,2,3,4,5,6", "APER nReloj, cPerfil, xDias, hDesde, hHasta", true, 3900, 114, "4R 1RI 38RBI"},
        // The configuration commands share AING's topic.
        CasoTip{"SCFG ", "SCFG nRelojAct, nRelojSet, Modo, TiempoAp", true, 3500, 111, "4 1I 9BI 27I"},
        CasoTip{"SCF2 1,s,5,10,n,", "SCF2 nReloj, Sel, AnRTE, TpoRTE, DebW, TpoW", true, 4000, 111, "4 35I 4BI"},
        CasoTip{"SCF2 1,s,5,10,n,200,", "SCF2 nReloj, Sel, AnRTE, TpoRTE, DebW, TpoW", true, 3500, 111,
                "4R 1RI 38RBI"},
        // CMD has no topic; its names start after three letters.
        CasoTip{"cmd 0252", "CMD comando", true, 1900, 1, "4 7BI"},
        CasoTip{"CMD 02,52", "CMD comando", true, 3000, 1, "4R 7RBI"},
        CasoTip{"-- texto", "Escriba un comentario ...", true, 1900, 1, "25GI"},
        CasoTip{"TRANS 5", "Comienza la transmisión de comandos", true, 2800, 1, "35PI"},
        CasoTip{"? INIA", "Muestra la ayuda", true, 1400, 1, "16PI"},
        CasoTip{"--texto más", "--TEXTO no es un comando válido", true, 2750, 1, "31RI"},
        CasoTip{"HOLA 1", "HOLA no es un comando válido", true, 2450, 1, "28RI"},
        CasoTip{"HOLA", "HOLA no es un comando válido", false, 2450, 1, "28RI"},
        // The compiler knows T and TOOLS; the tips do not.
        CasoTip{"T 1", "T no es un comando válido", true, 2150, 1, "25RI"},
        CasoTip{"tools 1", "TOOLS no es un comando válido", true, 2550, 1, "29RI"},
        // Only the caret's line is read.
        CasoTip{"INIA 1\r\nFECH 1,|\r\nACK", "FECH nReloj, Fecha, Hora", true, 2100, 105, "4 9I 5BI 6I"},
        // Caret at the start of a line, or an empty pane.
        CasoTip{"INIA 1\r\n", "Tips", false, 0, 1, "4"},
        CasoTip{"", "Tips", false, 0, 1, "4"}));

TEST(ProponerArgs, PlacesTipBelowCaretRowCountedFromFirstVisibleLine) {
    Escena e(QStringLiteral("INIA 1\r\nINIB 1\r\nLREG 1\r\nFECH "));
    e.estado.PriLinCmd = 1;
    e.estado.topCmd = 600;
    e.Proponer();
    EXPECT_EQ(e.tx_Tip.Left(), 840);
    EXPECT_EQ(e.tx_Tip.Top(), 600 + 280 + 225 * (3 - 1));
}

TEST(ProponerArgs, HiddenWithTopicAndTextUntouchedWhenThereIsNothingToPropose) {
    const struct {
        const char* caso;
        const char* texto;
        void (*cambiar)(Escena&);
    } casos[] = {
        {"nothing changed since the pass", "FECH 1,", [](Escena& e) { e.estado.v_ChangeText = false; }},
        {"line start unknown", "FECH 1,", [](Escena& e) { e.estado.PriCarCmd = -1; }},
        {"caret on the line above the one measured", "INIA 1\r\nFECH 1,", [](Escena& e) { e.tx_Cmd.SetSelStart(2); }},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.caso);
        Escena e(QString::fromLatin1(k.texto));
        e.tx_Tip.SetVisible(true);
        k.cambiar(e);
        e.Proponer();
        EXPECT_FALSE(e.tx_Tip.Visible());
        EXPECT_EQ(e.contexto, 1);
        EXPECT_EQ(e.tx_Tip.Text(), QStringLiteral("Tips"));
    }
}

TEST(ProponerArgs, WordCKeepsPreviousTextPlainAndShowsIt) {
    Escena e(QStringLiteral("FECH 1,2,3,"));
    e.Proponer();
    e.Texto(QStringLiteral("C 1"));
    e.tx_Tip.SetVisible(false);
    e.Proponer();
    EXPECT_EQ(e.tx_Tip.Text(), QStringLiteral("FECH nReloj, Fecha, Hora"));
    EXPECT_TRUE(e.tx_Tip.Visible());
    EXPECT_EQ(Describir(e.tx_Tip.TramosDe(0)), QStringLiteral("24"));
    EXPECT_EQ(e.contexto, 1);
}

TEST(ProponerArgs, LeadingBlankLeavesTextAndVisibilityButResetsFormat) {
    for (bool visible : {false, true}) {
        Escena e(QStringLiteral("ACK 1"));
        e.Proponer();
        e.Texto(QStringLiteral(" INIA 1"));
        e.tx_Tip.SetVisible(visible);
        e.Proponer();
        EXPECT_EQ(e.tx_Tip.Text(), QStringLiteral("ACK [sin argumentos]"));
        EXPECT_EQ(e.tx_Tip.Visible(), visible);
        EXPECT_EQ(Describir(e.tx_Tip.TramosDe(0)), QStringLiteral("20"));
    }
}

// Typed key by key on one tip: no format of an earlier tip leaks into the next.
TEST(ProponerArgs, FollowsEveryKeystrokeWithoutLeakingFormats) {
    const QString linea = QStringLiteral("ack 1\r\nxx 1\r\nfech 1, 5/12/26,");
    Escena e(QString{});
    for (int largo = 1; largo <= linea.size(); ++largo) {
        e.Texto(linea.left(largo));
        e.Proponer();
    }
    EXPECT_EQ(e.tx_Tip.Text(), QStringLiteral("FECH nReloj, Fecha, Hora"));
    EXPECT_EQ(Describir(e.tx_Tip.TramosDe(0)), QStringLiteral("4 16I 4BI"));
    EXPECT_EQ(e.contexto, 105);
}

// ---- In the main window, with simulated keys ----

// Format of the tip's character at index i, as the widget shows it.
Formato FormatoVisto(const fr_Principal& w, int i) {
    QTextCursor c(w.tx_Tip->document());
    c.setPosition(i + 1);
    const QTextCharFormat f = c.charFormat();
    const QColor col = f.foreground().color();
    return {ColorRGB{col.red(), col.green(), col.blue()}, f.fontWeight() >= QFont::Bold, f.fontItalic()};
}

QString DescribirVisto(const fr_Principal& w) {
    std::vector<PanelMemoria::Tramo> tramos;
    const int n = static_cast<int>(w.tx_Tip->toPlainText().size());
    for (int i = 0; i < n; ++i) {
        const Formato f = FormatoVisto(w, i);
        if (!tramos.empty() && tramos.back().formato == f)
            ++tramos.back().largo;
        else
            tramos.push_back({1, f});
    }
    return Describir(tramos);
}

// (Its place and width as the model works them out: ProponerArgs and TipDeLinea;
// where it is drawn: Pantalla.TheTipBelongsToTheCaretsLineAndLetsClicksThrough.)
TEST(TipEnVentana, FollowsTypingWithTheArgumentInBoldAndHidesOnTheNextLine) {
    VentanaPrueba w;
    w.EscribirLineas({"inia 1"});
    w.Escribir(QStringLiteral("fech 1,"));
    EXPECT_TRUE(w.tx_Tip->isVisible());
    EXPECT_EQ(w.Tip().Text(), QStringLiteral("FECH nReloj, Fecha, Hora"));
    EXPECT_EQ(DescribirVisto(w), QStringLiteral("4 9I 5BI 6I"));
    EXPECT_EQ(w.HelpContextID, 105);
    // No selection left to highlight in the tip, and the text shown from its start.
    EXPECT_FALSE(w.tx_Tip->textCursor().hasSelection());
    w.Escribir(QStringLiteral("2,3,"));
    EXPECT_EQ(DescribirVisto(w), QStringLiteral("4R 1RI 19RBI"));
    // Hidden again, its topic forgotten, on the next line.
    w.Tecla(Qt::Key_Return);
    w.Tecla(Qt::Key_Shift);
    EXPECT_FALSE(w.tx_Tip->isVisible());
    EXPECT_EQ(w.HelpContextID, 1);
}

TEST(TipEnVentana, F1OpensTheHelpPageOfTheCommandBeingTyped) {
    VentanaPrueba w;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Escribir(QStringLiteral("aper 1,"));
    w.Tecla(Qt::Key_F1);
    ASSERT_NE(VentanaAyuda(), nullptr);
    EXPECT_EQ(VentanaAyuda()->Browser->source().fileName(), QStringLiteral("aper.htm"));
    CerrarAyuda();
}

TEST(TipEnVentana, QuestionMarkLineOpensHelpAtEntryPageAndVanishes) {
    VentanaPrueba w;
    w.EscribirLineas({"INIA 1", "?"});
    ASSERT_NE(VentanaAyuda(), nullptr);
    EXPECT_EQ(VentanaAyuda()->Browser->source().fileName(), QStringLiteral("principal.htm"));
    EXPECT_EQ(w.Linea(0), QStringLiteral("INIA 1"));
    EXPECT_FALSE(w.Cmd().Text().contains(QLatin1Char('?')));
    CerrarAyuda();
}

TEST(TipEnVentana, ToolsLineOpensTheCheckByteToolModallyAndVanishes) {
    VentanaPrueba w;
    QString visto;
    QTimer::singleShot(0, [&visto] {
        auto* h = qobject_cast<fr_Herramientas*>(QApplication::activeModalWidget());
        if (!h) return;
        // Typed, the check byte comes only with Enter, either one.
        QTest::keyClicks(h->tx_String, QStringLiteral("02 52 31 41 03"));
        visto = h->tx_String->text() + u'|' + h->tx_XOR->text();
        QTest::keyClick(h->tx_String, Qt::Key_Return);
        visto += u'|' + h->tx_XOR->text();
        h->tx_XOR->clear();
        QTest::keyClick(h->tx_String, Qt::Key_Enter, Qt::KeypadModifier);
        visto += u'|' + h->tx_XOR->text();
        h->close();
    });
    w.EscribirLineas({"tools"});
    EXPECT_EQ(visto, QStringLiteral("02 52 31 41 03||23|23"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(w.Cmd().Text().contains(QStringLiteral("tools"), Qt::CaseInsensitive));
}

}   // namespace
