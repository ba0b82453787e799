#pragma once
#include "Fenwick.h"
#include "PanelTexto.h"
#include <QStringList>
#include <vector>

// Character format of a run of text.
struct Formato {
    ColorRGB color = Colores::Negro;
    bool bold = false;
    bool italic = false;
    bool operator==(const Formato&) const = default;
};

// Plain in-memory text pane: the lines, their formats, a selection and a
// scroll position. Linear on large texts: the lines are kept apart and their
// offsets in a Fenwick tree, so rewriting a line in the middle of 100,000
// lines costs a logarithm, not a copy of the whole text.
//
// Only CR LF separates lines; callers normalise line ends before text gets here.
class PanelMemoria : public PanelTexto {
public:
    PanelMemoria();
    explicit PanelMemoria(const QString& texto);
    // Takes the text over: its lines are cut from it, never held twice.
    explicit PanelMemoria(QString&& texto);

    QString Text() const override;
    void SetText(const QString& texto) override;

    int SelStart() const override { return v_SelInicio; }
    void SetSelStart(int pos) override;
    int SelLength() const override { return v_SelLargo; }
    void SetSelLength(int largo) override;
    QString SelText() const override;
    void SetSelText(const QString& texto) override;
    void SetSelColor(ColorRGB color) override;
    void SetSelBold(bool on) override;
    void SetSelItalic(bool on) override;
    void AgregarLinea(const QString& texto, const ColorRGB* color) override;

    int LineFromChar(int indice) const override;
    int LineIndex(int linea) const override;
    int LineLength(int indice) const override;
    QString TextoLinea(int linea) const override;
    QStringList Lineas() const override;
    int FirstVisibleLine() const override { return v_PrimeraVisible; }
    void LineScroll(int lineas) override;

    bool Visible() const override { return v_Visible; }
    void SetVisible(bool visible) override { v_Visible = visible; }

    int LineCount() const override { return static_cast<int>(v_Lineas.size()); }
    int Length() const override;

    // Hands the whole text over and leaves the pane empty: a long text is
    // moved out, not copied.
    QString SoltarTexto();

    // Read-back for tests and for views that copy the model.
    const QString& Linea(int n) const { return v_Lineas[n].texto; }
    Formato FormatoEn(int indice) const;
    ColorRGB ColorEn(int indice) const { return FormatoEn(indice).color; }
    Formato FormatoEscritura() const { return v_Escritura; }
    // Runs of one line as (length, format), merged.
    struct Tramo {
        int largo;
        Formato formato;
    };
    const std::vector<Tramo>& TramosDe(int linea) const { return v_Lineas[linea].tramos; }

private:
    struct Linea_ {
        QString texto;
        std::vector<Tramo> tramos;   // empty: the whole line has formato base
    };
    struct Posicion {
        int linea;
        int columna;   // may be len + 1 (between CR and LF) or len + 2 at most
    };

    void Llenar(QString texto);
    Posicion Ubicar(int indice) const;
    void Normalizar();   // clamps the selection after a change
    void AplicarFormato(int desde, int largo, const auto& cambio);
    void ReemplazarLineas(int primera, int ultima, std::vector<Linea_>&& nuevas);
    void AgregarAlFinal(const QString& texto);
    void ReemplazarEnLinea(int linea, int desde, int hasta, const QString& texto, const Formato& nuevo);
    static std::vector<Tramo> Cortar(const Linea_& l, int desde, int hasta);
    static void Juntar(std::vector<Tramo>& destino, const std::vector<Tramo>& agregado);

    std::vector<Linea_> v_Lineas;
    Fenwick v_Offsets;   // len + 2 per line
    int v_Largo = 0;     // Length(), kept up to date
    // Last line found by Ubicar: the pass asks about the same line many times in a row.
    mutable int v_CacheLinea = -1;
    mutable int v_CacheInicio = 0;
    int v_SelInicio = 0;
    int v_SelLargo = 0;
    int v_PrimeraVisible = 0;
    bool v_Visible = true;
    Formato v_Escritura;
};
