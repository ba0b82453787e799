#pragma once
#include "PanelMemoria.h"
#include "PanelRico.h"
#include <functional>
#include <vector>

// The code pane: the text lives in an in-memory model that the compile pass
// rebuilds from empty at every pass; the widget shows it. When the pane is
// shown or refreshed, only the lines that differ from what the widget holds
// are rewritten in it, so a pass that changes one line of 10,000 lays out
// one line, not 10,000.
class PanelEspejo : public PanelTexto {
public:
    explicit PanelEspejo(PanelRico& vista);

    PanelMemoria& Modelo() { return modelo_; }
    PanelRico& Vista() { return vista_; }
    QTextEdit* Caja() const { return vista_.Caja(); }
    // Brings the widget up to date with the model (cheap when nothing changed).
    void Sincronizar();
    // Called between slices of a long update, so the window keeps answering.
    void SetCeder(std::function<void()> ceder) { ceder_ = std::move(ceder); }

    QString Text() const override { return modelo_.Text(); }
    void SetText(const QString& texto) override;
    int SelStart() const override { return modelo_.SelStart(); }
    void SetSelStart(int pos) override { modelo_.SetSelStart(pos); }
    int SelLength() const override { return modelo_.SelLength(); }
    void SetSelLength(int largo) override { modelo_.SetSelLength(largo); }
    QString SelText() const override { return modelo_.SelText(); }
    void SetSelText(const QString& texto) override;
    void SetSelColor(ColorRGB color) override;
    void SetSelBold(bool on) override;
    void SetSelItalic(bool on) override;

    int LineFromChar(int indice) const override { return modelo_.LineFromChar(indice); }
    int LineIndex(int linea) const override { return modelo_.LineIndex(linea); }
    int LineLength(int indice) const override { return modelo_.LineLength(indice); }
    QString TextoLinea(int linea) const override { return modelo_.TextoLinea(linea); }
    int FirstVisibleLine() const override;
    void LineScroll(int lineas) override;

    bool Visible() const override { return vista_.Visible(); }
    void SetVisible(bool visible) override;
    void Refresh() override;
    int Left() const override { return vista_.Left(); }
    int Top() const override { return vista_.Top(); }
    int Width() const override { return vista_.Width(); }
    void SetLeft(int twips) override { vista_.SetLeft(twips); }
    void SetTop(int twips) override { vista_.SetTop(twips); }
    void SetWidth(int twips) override { vista_.SetWidth(twips); }

    int LineCount() const override { return modelo_.LineCount(); }
    int Length() const override { return modelo_.Length(); }

private:
    struct Fila {
        QString texto;
        std::vector<PanelMemoria::Tramo> tramos;
    };
    Fila FilaModelo(int n) const;

    PanelRico& vista_;
    PanelMemoria modelo_;
    std::vector<Fila> filas_;   // what the widget shows
    bool sucio_ = false;
    bool sincronizando_ = false;
    std::function<void()> ceder_;
};
