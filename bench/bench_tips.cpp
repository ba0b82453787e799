// ProponerArgs runs twice per keystroke. On a long script it must cost the
// same as on a short one: it reads the caret's line, not the whole text.
// Prints the median time per call, with the line read through TextoLinea and
// through the whole text (what a pane without TextoLinea gives).
#include "PanelMemoria.h"
#include "Tips.h"
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Forwards everything but TextoLinea, so the interface's fallback (the whole
// text, then one line of it) is what the tip gets.
class SinTextoLinea : public PanelTexto {
public:
    explicit SinTextoLinea(PanelMemoria& p) : v_P(p) {}
    QString Text() const override { return v_P.Text(); }
    void SetText(const QString& t) override { v_P.SetText(t); }
    int SelStart() const override { return v_P.SelStart(); }
    void SetSelStart(int v) override { v_P.SetSelStart(v); }
    int SelLength() const override { return v_P.SelLength(); }
    void SetSelLength(int v) override { v_P.SetSelLength(v); }
    QString SelText() const override { return v_P.SelText(); }
    void SetSelText(const QString& t) override { v_P.SetSelText(t); }
    void SetSelColor(ColorRGB c) override { v_P.SetSelColor(c); }
    void SetSelBold(bool on) override { v_P.SetSelBold(on); }
    void SetSelItalic(bool on) override { v_P.SetSelItalic(on); }
    int LineFromChar(int i) const override { return v_P.LineFromChar(i); }
    int LineIndex(int l) const override { return v_P.LineIndex(l); }
    int LineLength(int i) const override { return v_P.LineLength(i); }
    int FirstVisibleLine() const override { return v_P.FirstVisibleLine(); }
    void LineScroll(int n) override { v_P.LineScroll(n); }
    bool Visible() const override { return v_P.Visible(); }
    void SetVisible(bool v) override { v_P.SetVisible(v); }
    int LineCount() const override { return v_P.LineCount(); }
    int Length() const override { return v_P.Length(); }

private:
    PanelMemoria& v_P;
};

double MedianaMicros(PanelTexto& tx_Cmd, int repeticiones) {
    PanelMemoria tx_Tip;
    EstadoTip estado;
    estado.v_ChangeText = true;
    estado.LinActCmd = tx_Cmd.LineFromChar(-1);
    estado.PriCarCmd = tx_Cmd.LineIndex(estado.LinActCmd);
    int contexto = 1;
    std::vector<double> tiempos;
    QElapsedTimer reloj;
    for (int i = 0; i < repeticiones; ++i) {
        reloj.start();
        ProponerArgs(tx_Tip, tx_Cmd, estado, contexto);
        tiempos.push_back(reloj.nsecsElapsed() / 1000.0);
    }
    std::nth_element(tiempos.begin(), tiempos.begin() + repeticiones / 2, tiempos.end());
    return tiempos[repeticiones / 2];
}

}   // namespace

int main() {
    std::printf("%-10s %18s %18s %8s\n", "lineas", "TextoLinea [us]", "texto entero [us]", "razon");
    for (int lineas : {100, 10000, 100000}) {
        QStringList texto;
        for (int i = 0; i < lineas; ++i) texto << QStringLiteral("APER 1, 2, LMXJV, 08:00, 17:30");
        PanelMemoria tx_Cmd(texto.join(QStringLiteral("\r\n")));
        const int medio = lineas / 2;
        tx_Cmd.SetSelStart(tx_Cmd.LineIndex(medio) + 18);   // inside hDesde
        SinTextoLinea entero(tx_Cmd);
        const double rapido = MedianaMicros(tx_Cmd, 2001);
        const double lento = MedianaMicros(entero, lineas >= 100000 ? 51 : 501);
        std::printf("%-10d %18.2f %18.2f %8.1f\n", lineas, rapido, lento, lento / rapido);
    }
    return 0;
}
