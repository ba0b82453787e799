#pragma once
#include "PanelMemoria.h"
#include "PanelRico.h"
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

// The code pane: the text lives in an in-memory model that the compile pass
// rebuilds from empty at every pass; the widget shows it. When the pane is
// shown or refreshed, only the lines that differ from what the widget holds
// are rewritten in it, so a pass that changes one line of 10,000 lays out
// one line, not 10,000. Whatever changes the model, a visible widget is
// brought up to date before it is next painted and at the next turn of the
// event loop: it never shows lines the model no longer holds.
class PanelEspejo : public PanelTexto {
public:
    explicit PanelEspejo(PanelRico& vista);
    ~PanelEspejo() override;

    const PanelMemoria& Modelo() const { return v_Modelo; }
    PanelRico& Vista() { return v_Vista; }
    QTextEdit* Caja() const { return v_Vista.Caja(); }
    // Brings the widget up to date with the model (cheap when nothing changed);
    // without ceder, no yield in between (while the widget paints).
    void Sincronizar(bool ceder = true);
    // Called between slices of a long update, so the window keeps answering.
    void SetCeder(std::function<void()> ceder) { v_Ceder = std::move(ceder); }

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
    int FirstVisibleLine() const override;
    void LineScroll(int lineas) override;

    bool Visible() const override { return v_Vista.Visible(); }
    void SetVisible(bool visible) override;
    void Refresh() override;
    int Left() const override { return v_Vista.Left(); }
    int Top() const override { return v_Vista.Top(); }
    int Width() const override { return v_Vista.Width(); }
    void SetLeft(int twips) override { v_Vista.SetLeft(twips); }
    void SetTop(int twips) override { v_Vista.SetTop(twips); }
    void SetWidth(int twips) override { v_Vista.SetWidth(twips); }

    int LineCount() const override { return v_Modelo.LineCount(); }
    int Length() const override { return v_Modelo.Length(); }

private:
    struct Fila {
        QString texto;
        std::vector<PanelMemoria::Tramo> tramos;
    };
    Fila FilaModelo(int n) const;
    // The model changed: the widget follows at the next turn of the event loop.
    void Ensuciar();

    PanelRico& v_Vista;
    PanelMemoria v_Modelo;
    std::vector<Fila> v_Filas;   // what the widget shows
    bool v_Sucio = false;
    bool v_Sincronizando = false;
    bool v_Pedida = false;   // an update is waiting in the event queue
    std::function<void()> v_Ceder;
    std::shared_ptr<int> v_Vida = std::make_shared<int>(0);   // queued updates outlived by nothing
    std::unique_ptr<QObject> v_Vigia;                         // updates the widget before it paints
};
