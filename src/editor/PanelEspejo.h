#pragma once
#include "PanelMemoria.h"
#include "Twips.h"
#include "VistaCodigo.h"
#include <QPointer>

// The code pane: the text lives in an in-memory model that the compile pass
// writes; the view paints the rows it shows straight from it, so every line
// and its colours are held once. Whatever changes the model, the view
// follows before it next paints. Left/Top/Width are twips relative to the
// view's parent.
class PanelEspejo : public PanelTexto {
public:
    // pxPorTwip: pixels per twip on this screen (1/15 at 96 dpi).
    explicit PanelEspejo(VistaCodigo& vista, double pxPorTwip = 1.0 / 15.0);
    ~PanelEspejo() override;

    const PanelMemoria& Modelo() const { return v_Modelo; }
    VistaCodigo& Vista() { return *v_Vista; }
    // Design position and size in twips; moves the view.
    void Colocar(int left, int top, int width, int height);

    QString Text() const override { return v_Modelo.Text(); }
    void SetText(const QString& texto) override;
    int SelStart() const override { return v_Modelo.SelStart(); }
    void SetSelStart(int pos) override { v_Modelo.SetSelStart(pos); }
    int SelLength() const override { return v_Modelo.SelLength(); }
    void SetSelLength(int largo) override { v_Modelo.SetSelLength(largo); }
    QString SelText() const override { return v_Modelo.SelText(); }
    void SetSelText(const QString& texto) override;
    void SetSelColor(ColorRGB color) override;
    void SetSelBold(bool on) override;
    void SetSelItalic(bool on) override;
    void AgregarLinea(const QString& texto, const ColorRGB* color) override;

    int LineFromChar(int indice) const override { return v_Modelo.LineFromChar(indice); }
    int LineIndex(int linea) const override { return v_Modelo.LineIndex(linea); }
    int LineLength(int indice) const override { return v_Modelo.LineLength(indice); }
    QString TextoLinea(int linea) const override { return v_Modelo.TextoLinea(linea); }
    QStringList Lineas() const override { return v_Modelo.Lineas(); }
    int FirstVisibleLine() const override { return v_Vista->PrimeraVisible(); }
    void LineScroll(int lineas) override { v_Vista->Desplazar(lineas); }

    bool Visible() const override { return !v_Vista->isHidden(); }
    void SetVisible(bool visible) override { v_Vista->setVisible(visible); }
    void Refresh() override;

    int LineCount() const override { return v_Modelo.LineCount(); }
    int Length() const override { return v_Modelo.Length(); }

private:
    void Movido() override;   // view geometry from v_Left/v_Top/v_Width

    QPointer<VistaCodigo> v_Vista;
    Twips v_Escala;
    int v_Alto = 0;   // twips
    PanelMemoria v_Modelo;
};
