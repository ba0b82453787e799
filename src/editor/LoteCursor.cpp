#include "LoteCursor.h"
#include <QScrollBar>
#include <QTextEdit>

bool LoteCursor::Empezar() {
    if (v_Nivel++ > 0) return false;
    v_Cursor = v_Caja->textCursor();
    v_Caja->viewport()->setUpdatesEnabled(false);
    v_Cursor.beginEditBlock();
    return true;
}

bool LoteCursor::Terminar() {
    return v_Nivel > 0 && --v_Nivel == 0;
}

QTextCursor LoteCursor::Soltar() {
    QTextCursor c = v_Cursor;
    v_Cursor = QTextCursor();
    v_Caja->viewport()->setUpdatesEnabled(true);
    return c;
}

QTextCursor LoteCursor::Cursor() const { return v_Nivel > 0 ? v_Cursor : v_Caja->textCursor(); }

void LoteCursor::Poner(const QTextCursor& c) {
    if (v_Nivel > 0) {
        v_Cursor = c;
        return;
    }
    // The widget scrolls to the caret. The program sets the selection at
    // every key (the typing colour) and after every pass: a pane the user
    // scrolled away from the caret stays where the user put it.
    const bool aLaVista = v_Caja->viewport()->rect().intersects(v_Caja->cursorRect());
    QScrollBar* vertical = v_Caja->verticalScrollBar();
    QScrollBar* horizontal = v_Caja->horizontalScrollBar();
    const int arriba = vertical->value(), izquierda = horizontal->value();
    v_Caja->setTextCursor(c);
    if (aLaVista) return;
    vertical->setValue(arriba);
    horizontal->setValue(izquierda);
}

void LoteCursor::Cambiar(const QTextCursor& c) {
    if (v_Nivel > 0) v_Cursor.endEditBlock();
    v_Cursor = c;
    if (v_Nivel > 0) v_Cursor.beginEditBlock();
}

void LoteCursor::Pausar() {
    if (v_Nivel > 0) v_Cursor.endEditBlock();
}

void LoteCursor::Reanudar() {
    if (v_Nivel > 0) v_Cursor.beginEditBlock();
}
