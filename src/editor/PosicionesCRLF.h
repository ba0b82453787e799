#pragma once

class QTextDocument;

// Qt counts a line break as one position; the program, as a rich text box
// does, counts two (CR LF). This translates between the two over a
// document: a CR LF index is the Qt position plus the number of the block
// that holds it. An index between a CR and its LF has no Qt position of its
// own: it is answered as the end of its line, marked as lying in the break.
class PosicionesCRLF {
public:
    struct Punto {
        int qt;         // Qt position
        bool enSalto;   // the index lay between CR and LF
    };
    // CR LF index -> Qt position. Walks from the line found last time: the
    // compile pass looks up lines in order.
    Punto AQt(const QTextDocument* doc, int indice) const;
    // Qt position -> CR LF index.
    static int DesdeQt(const QTextDocument* doc, int posicion);
    // CR LF index where a block starts.
    static int InicioBloque(const QTextDocument* doc, int linea);
    // Character count of the whole text, line breaks counting two.
    static int Largo(const QTextDocument* doc);

private:
    mutable int v_Pista = 0;   // line of the last index looked up
};
