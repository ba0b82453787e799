#pragma once
#include "ColorRGB.h"
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <utility>

// A text pane as the compiler and the editor see it: the operations of a rich
// text box. Lines are numbered from 0 and separated by CR LF; every character
// index counts a line break as its two characters.
//
// Two implementations: PanelMemoria (plain model, headless) and the Qt widget
// adapter of the editor. Both pass the same contract tests.
class PanelTexto {
public:
    virtual ~PanelTexto() = default;

    // Text
    virtual QString Text() const = 0;
    virtual void SetText(const QString& texto) = 0;

    // Selection. Setting SelStart empties the selection.
    virtual int SelStart() const = 0;
    virtual void SetSelStart(int pos) = 0;
    virtual int SelLength() const = 0;
    virtual void SetSelLength(int largo) = 0;
    virtual QString SelText() const = 0;
    // The selection with its direction: the anchor stays where the selection
    // began, the caret is the end that moves (Shift+Up leaves it before the
    // anchor). A pane without a direction has its caret at the end.
    virtual int SelAncla() const { return SelStart(); }
    virtual int SelCaret() const { return SelStart() + SelLength(); }
    virtual void SetSeleccion(int ancla, int caret) {
        SetSelStart(std::min(ancla, caret));
        SetSelLength(std::abs(caret - ancla));
    }
    // Replaces the selection (or inserts at the caret); the caret ends after it.
    virtual void SetSelText(const QString& texto) = 0;
    // Colour of the selection; with an empty selection, of the next typed text.
    virtual void SetSelColor(ColorRGB color) = 0;
    virtual void SetSelBold(bool on) = 0;
    virtual void SetSelItalic(bool on) = 0;
    // Appends a line and its break at the end, as typed there with the caret
    // put at the end, then coloured (no colour: as typed); the caret ends at
    // the end. The code pane is written this way, a line at a time; a model
    // may do it in one step.
    virtual void AgregarLinea(const QString& texto, const ColorRGB* color) {
        SetSelStart(Length());
        SetSelText(texto);
        SetSelText(QStringLiteral("\r\n"));
        const int largo = static_cast<int>(texto.size()) + 2;
        SetSelStart(Length() - largo);
        SetSelLength(largo);
        if (color) SetSelColor(*color);
        SetSelStart(Length());
    }

    // EM_LINEFROMCHAR: line holding a character index (-1: the caret).
    virtual int LineFromChar(int indice) const = 0;
    // EM_LINEINDEX: first character index of a line, -1 when it does not exist.
    virtual int LineIndex(int linea) const = 0;
    // EM_LINELENGTH: length of the line holding an index, without its break.
    virtual int LineLength(int indice) const = 0;
    // Text of one line without its break ("" when the line does not exist).
    // The tip reads the caret's line at every key: implementations should
    // answer without building the whole text; this default does not.
    virtual QString TextoLinea(int linea) const {
        const int inicio = LineIndex(linea);
        return inicio < 0 ? QString() : Text().mid(inicio, LineLength(inicio));
    }
    // Every line without its break, as Text() split at CR LF. The compile
    // pass works on this snapshot; a model that keeps its lines apart hands
    // them out shared, so a long text is not copied for it.
    virtual QStringList Lineas() const { return Text().split(QStringLiteral("\r\n")); }
    // Lines not changed since the last MarcarSinCambios(): how many at the
    // start and how many at the end of the text. A pane that keeps no count
    // answers (0, 0), and every line is read again.
    virtual std::pair<int, int> LineasSinCambios() const { return {0, 0}; }
    virtual void MarcarSinCambios() {}
    // Whether the text from inicio reads texto, all of it in color, neither
    // bold nor italic: the compile pass then leaves it as it is. A pane that
    // cannot tell answers false.
    virtual bool YaEscrito(int /*inicio*/, QStringView /*texto*/, ColorRGB /*color*/) const { return false; }
    // EM_GETFIRSTVISIBLELINE / EM_LINESCROLL
    virtual int FirstVisibleLine() const = 0;
    virtual void LineScroll(int lineas) = 0;

    // Control
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void Refresh() {}
    // Placement in twips (the tip pane moves; the other panes keep theirs).
    virtual int Left() const { return v_Left; }
    virtual int Top() const { return v_Top; }
    virtual int Width() const { return v_Width; }
    void SetLeft(int twips) {
        v_Left = twips;
        Movido();
    }
    void SetTop(int twips) {
        v_Top = twips;
        Movido();
    }
    void SetWidth(int twips) {
        v_Width = twips;
        Movido();
    }

    // Number of lines (a text with n line breaks has n + 1 lines).
    virtual int LineCount() const = 0;
    // Character count of the whole text (line breaks count two).
    virtual int Length() const = 0;

protected:
    // The placement changed: a pane on screen moves its widget.
    virtual void Movido() {}
    int v_Left = 0, v_Top = 0, v_Width = 0;
};
