#pragma once
#include <QTextCursor>

class QTextEdit;

// A batch of changes to a pane, laid out and shown once, at its end:
// QTextEdit lays out every block after a change, so line-by-line edits of a
// long text would cost the square of its length. During a batch the
// selection lives in a cursor of the batch's own, inside one edit block
// (one undo step), and the widget does not repaint. Batches nest.
//
// Outside a batch the selection is the widget's cursor; setting it keeps a
// pane the user scrolled away from the caret where the user put it.
class LoteCursor {
public:
    explicit LoteCursor(QTextEdit* caja) : v_Caja(caja) {}

    bool Activo() const { return v_Nivel > 0; }
    // True when this call opened the outermost batch.
    bool Empezar();
    // True when this call closes the outermost batch: the caller reads the
    // batch's cursor (Propio), closes its edit block, hands the text back and
    // takes the cursor (Soltar) to put it in the widget.
    bool Terminar();
    const QTextCursor& Propio() const { return v_Cursor; }
    void CerrarBloque() { v_Cursor.endEditBlock(); }
    QTextCursor Soltar();

    // The selection: the widget's, or the batch's.
    QTextCursor Cursor() const;
    void Poner(const QTextCursor& c);
    // The batch's cursor moves to another document (the text apart, or back):
    // its edit block is closed on the old one and opened on the new one.
    void Cambiar(const QTextCursor& c);
    // Around a swap of the widget's document during a batch.
    void Pausar();
    void Reanudar();

private:
    QTextEdit* v_Caja;
    int v_Nivel = 0;
    QTextCursor v_Cursor;
};
