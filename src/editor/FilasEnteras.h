#pragma once
#include <QMetaObject>

class QTextDocument;
class QTextEdit;

// Keeps a pane's vertical scroll on whole rows, so that its rows stay level
// with the gutter and the other pane beside it whatever moved it (the caret,
// the wheel, the scroll bar), and answers which row is at the top.
//
// Guarantees (with fixed rows): the scroll value is a multiple of the row
// height; a strip under the text makes the scroll range end on a whole row;
// FirstVisibleLine is the row whose top is at the top of the view.
class FilasEnteras {
public:
    explicit FilasEnteras(QTextEdit* caja) : v_Caja(caja) {}
    ~FilasEnteras();
    FilasEnteras(const FilasEnteras&) = delete;
    FilasEnteras& operator=(const FilasEnteras&) = delete;

    // Row height in pixels; 0: the font's own line height (nothing kept level).
    void SetAltura(int px);
    int Altura() const { return v_Altura; }
    // From now on, every scroll of the widget is brought to a whole row.
    void Ajustar();

    // The rule, for any pane with rows of one height (the code pane's view too):
    // a scroll value brought to a whole row, onwards in the direction it
    // moved; the strip under the text that makes the range end on a whole row.
    static int ValorEntero(int valor, int anterior, int altura, int maximo);
    static int Franja(int libre, int margenes, int altura) { return ((libre - margenes) % altura + altura) % altura; }

    int PrimeraVisible(const QTextDocument* doc) const;
    int EnVista(const QTextDocument* doc) const;
    void Desplazar(const QTextDocument* doc, int lineas);

private:
    void AjustarMargen();
    void AjustarScroll(int valor);

    QTextEdit* v_Caja;
    int v_Altura = 0;
    QMetaObject::Connection v_Barra[2];   // the vertical scroll bar's value and range
    int v_ScrollAnterior = 0;
    bool v_Ajustando = false;
    int v_Franja = 0;   // blank strip under the text, pixels
};
