#pragma once
#include "Fenwick.h"
#include "PaginasTexto.h"
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
// The text is packed in pages and a line's one run kept in its record (16
// bytes a line in all): the code pane of a 100,000-line list is held here.
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

    // Hands the whole text over and leaves the pane empty.
    QString SoltarTexto();

    // Read-back for tests and for the views that paint the model.
    QString Linea(int n) const { return v_Texto.Leer(v_Lineas[n].texto); }
    int LargoLinea(int n) const { return v_Lineas[n].texto.largo; }
    bool LineaContiene(int n, char16_t c) const { return v_Texto.Contiene(v_Lineas[n].texto, c); }
    Formato FormatoEn(int indice) const;
    ColorRGB ColorEn(int indice) const { return FormatoEn(indice).color; }
    Formato FormatoEscritura() const { return v_Escritura; }
    // Runs of one line as (length, format), merged.
    struct Tramo {
        int largo;
        Formato formato;
    };
    // A line's runs as a small value: the one run most lines have, or a view
    // of the model's list (valid until the model changes).
    class Tramos {
    public:
        const Tramo* begin() const { return v_Lista ? v_Lista : &v_Uno; }
        const Tramo* end() const { return begin() + v_Cuantos; }
        size_t size() const { return size_t(v_Cuantos); }
        bool empty() const { return v_Cuantos == 0; }
        const Tramo& operator[](size_t i) const { return begin()[i]; }

    private:
        friend class PanelMemoria;
        Tramo v_Uno{};
        const Tramo* v_Lista = nullptr;
        int v_Cuantos = 0;
    };
    Tramos TramosDe(int linea) const;

private:
    struct Linea_ {
        PaginasTexto::Trozo texto;
        quint32 formato = 0;   // the one run's format packed, or kLista and the index of a run list
    };
    // A line as an edit builds it, before it is stored.
    struct Nueva {
        QString texto;
        std::vector<Tramo> tramos;
    };
    struct Posicion {
        int linea;
        int columna;   // may be len + 1 (between CR and LF) or len + 2 at most
    };

    void Llenar(QString texto);
    Posicion Ubicar(int indice) const;
    void Normalizar();   // clamps the selection after a change
    void AplicarFormato(int desde, int largo, const auto& cambio);
    void ReemplazarLineas(int primera, int ultima, std::vector<Nueva>&& nuevas);
    void AgregarAlFinal(const QString& texto);
    void ReemplazarEnLinea(int linea, int desde, int hasta, const QString& texto, const Formato& nuevo);
    void AgregarTexto(QString& destino, int linea, int desde, int hasta) const {
        v_Texto.AgregarA(destino, v_Lineas[linea].texto, desde, hasta);
    }
    std::vector<Tramo> Cortar(int linea, int desde, int hasta) const;
    std::vector<Tramo> ListaDe(int linea) const;
    // Stores a line's runs: one inline when it can be packed, several in a list.
    void PonerTramos(Linea_& l, std::vector<Tramo>&& tramos);
    void PonerFormato(Linea_& l, const Formato& f);
    void SoltarTramos(Linea_& l);
    void SoltarLinea(Linea_& l);
    void Guardar(Linea_& l, Nueva&& n);
    void Ordenar();   // compacts the text once dead bytes outweigh it
    static void Juntar(std::vector<Tramo>& destino, const std::vector<Tramo>& agregado);

    std::vector<Linea_> v_Lineas;
    PaginasTexto v_Texto;
    std::vector<std::vector<Tramo>> v_Listas;   // lines with several runs
    std::vector<quint32> v_ListasLibres;
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
