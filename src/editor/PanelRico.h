#pragma once
#include "CambiosPanel.h"
#include "FilasEnteras.h"
#include "LoteCursor.h"
#include "PanelTexto.h"
#include "PosicionesCRLF.h"
#include "TextoAparte.h"
#include <QTextCursor>
#include <functional>

class QTextEdit;
class QTextDocument;
class QTextBlock;

// The text-pane interface over a QTextEdit: the command pane. Every index is
// translated between CR LF and Qt positions (PosicionesCRLF). The selection
// is the widget's own cursor, so SelStart/SelLength are what the user sees,
// or the batch's while one runs (LoteCursor); the text may be held apart
// while a file is written (TextoAparte); the scroll stays on whole rows
// (FilasEnteras); changes since the last pass are counted (CambiosPanel).
// Left/Top/Width are twips relative to the parent widget.
class PanelRico : public PanelTexto {
public:
    // pxPorTwip: pixels per twip on this screen (1/15 at 96 dpi).
    explicit PanelRico(QTextEdit* caja, double pxPorTwip = 1.0 / 15.0);
    ~PanelRico() override;

    QTextEdit* Caja() const { return v_Caja; }

    // Every row the same height (pixels), so that the gutter, the code pane
    // and the tip can be placed by rows. 0: the font's own line height.
    void SetAlturaFila(int px);
    // Keeps the vertical scroll on whole rows (caret moves, wheel, scroll bar),
    // so that the rows stay level with the gutter and the code pane.
    void AjustarAFilas();
    // A batch of changes laid out and shown once, at its end: QTextEdit lays
    // out every block after a change, so line-by-line edits of a long text
    // would cost the square of its length. During a batch the selection lives
    // in a cursor of the adapter's own and the pane does not repaint.
    // Batches nest.
    void EmpezarLote();
    void TerminarLote();
    bool EnLote() const { return v_Lote.Activo(); }
    // Inside a batch: the text goes on away from the widget, so that no
    // layout runs while a whole file is written and coloured line by line.
    // The widget gets it back when the batch ends, or earlier if the pane has
    // to be shown as it stands. An empty pane with a plain typing format
    // keeps the text meanwhile in a plain in-memory model, written into a
    // document in one go when handed back (cursor edits of a rich document
    // cost far more); otherwise a copy of the document takes the edits.
    void EmpezarAparte();
    bool Aparte() const { return v_Aparte.Activo(); }
    // Hands the document back (if it was apart), calling ceder between the
    // slices of a long write, and shows it from its top.
    void DevolverPorPartes(const std::function<void()>& ceder);
    // Design position and size in twips; moves the widget.
    void Colocar(int left, int top, int width, int height);

    QString Text() const override;
    void SetText(const QString& texto) override;

    int SelStart() const override;
    void SetSelStart(int pos) override;
    int SelLength() const override;
    void SetSelLength(int largo) override;
    QString SelText() const override;
    int SelAncla() const override;
    int SelCaret() const override;
    void SetSeleccion(int ancla, int caret) override;
    void SetSelText(const QString& texto) override;
    void SetSelColor(ColorRGB color) override;
    void SetSelBold(bool on) override;
    void SetSelItalic(bool on) override;

    int LineFromChar(int indice) const override;
    int LineIndex(int linea) const override;
    int LineLength(int indice) const override;
    QString TextoLinea(int linea) const override;
    QStringList Lineas() const override;
    int FirstVisibleLine() const override;
    // Whole rows the pane shows (fixed rows only; 0 otherwise).
    int FilasEnVista() const;
    void LineScroll(int lineas) override;

    bool Visible() const override;
    void SetVisible(bool visible) override;
    void Refresh() override;

    int LineCount() const override;
    int Length() const override;
    bool YaEscrito(int inicio, QStringView texto, ColorRGB color) const override;

    // Counted from the widget's document (not while the text is apart).
    std::pair<int, int> LineasSinCambios() const override;
    void MarcarSinCambios() override;

    // Edits made outside a batch that touched more than one line (a cut or a
    // paste over several lines, a drop): the first line they touched, -1 when
    // there were none since OlvidarVarias. alCambiar is told at each one.
    int PrimeraDeVarias() const { return v_Cambios.PrimeraDeVarias(); }
    void OlvidarVarias() { v_Cambios.OlvidarVarias(); }
    void SetAlCambiarVarias(std::function<void()> alCambiar) { v_Cambios.SetAlCambiarVarias(std::move(alCambiar)); }

    // Read-back, for tests and checks: colour, bold and italic at an index.
    ColorRGB ColorEn(int indice) const;
    bool BoldEn(int indice) const;
    bool ItalicEn(int indice) const;

private:
    using Punto = PosicionesCRLF::Punto;
    QTextDocument* Doc() const;
    Punto AQt(int indice) const { return v_Posiciones.AQt(Doc(), indice); }
    int DesdeQt(int posicion) const { return PosicionesCRLF::DesdeQt(Doc(), posicion); }
    QTextCursor CursorEn(int indice) const;   // character at a CR LF index, selected
    void Movido() override;                   // widget geometry from v_Left/v_Top/v_Width
    void MezclarFormato(const class QTextCharFormat& f);
    void AplicarFila(QTextCursor& c) const;
    // Fixed rows: the document gets the layout that lays out only what is shown.
    void Preparar(QTextDocument* doc) const;
    void Recordar(int inicio, int largo);   // keeps indices that Qt cannot hold
    // The text apart becomes the widget's again; ceder, if given, is called
    // between slices of a long write.
    void Devolver(const std::function<void()>& ceder = {});
    // Each line of the document's text, without its break, in order.
    void PorLinea(const std::function<void(QStringView)>& hacer) const;

    QTextCursor Cursor() const { return v_Lote.Cursor(); }
    bool CursorExacto() const;   // the cursor is where this interface last put it
    bool CursorExacto(const QTextCursor& c, const QTextDocument* doc) const;
    void PonerCursor(const QTextCursor& c) { v_Lote.Poner(c); }

    QTextEdit* v_Caja;
    double v_PxPorTwip;
    int v_Alto = 0;   // twips
    PosicionesCRLF v_Posiciones;
    LoteCursor v_Lote;
    TextoAparte v_Aparte;
    FilasEnteras v_Filas;
    CambiosPanel v_Cambios;
    // Last selection set through this interface, with the widget's cursor as
    // it stood then: while the cursor has not moved, these are the answer
    // (they may lie between a CR and its LF, which Qt cannot represent).
    int v_SelInicio = 0, v_SelLargo = 0;
    int v_QtAncla = -1, v_QtPos = -1;
    int v_Revision = -1;
};
