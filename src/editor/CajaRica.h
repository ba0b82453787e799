#pragma once
#include <QTextEdit>

// Rich text box of the main window: a QTextEdit that reports its key, mouse
// and focus notifications as the keyboard handling expects them (KeyDown
// before the key takes effect, KeyUp and MouseUp after), and that only ever
// holds plain lines (one block per line, no soft breaks, no pasted markup).
class CajaRica : public QTextEdit {
    Q_OBJECT
public:
    explicit CajaRica(QWidget* padre = nullptr);

    // Key code as the handlers know it: 8 Backspace, 46 Delete, 13 Enter, ...
    static int CodigoTecla(int teclaQt);

    // While a compile pass or a file load runs, input to the pane is dropped:
    // the pass works on the text as it found it.
    void SetBloqueada(bool bloqueada) { v_Bloqueada = bloqueada; }
    bool Bloqueada() const { return v_Bloqueada; }
    // Blank strip at the bottom of the visible area (keeps scrolling on whole rows).
    void SetMargenInferior(int px) { setViewportMargins(0, 0, 0, px); }

Q_SIGNALS:
    void TeclaAbajo(int codigo, int shift);
    void TeclaArriba(int codigo, int shift);
    void RatonAbajo();
    void RatonArriba();
    void FocoRecibido();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* origen) const override;
    void insertFromMimeData(const QMimeData* origen) override;

private:
    bool v_Bloqueada = false;
};
