#pragma once
#include <QKeyEvent>
#include <QTextEdit>
#include <memory>
#include <vector>

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

    // While a compile pass or a file load runs, the pass works on the text
    // as it found it: keys typed meanwhile are kept (up to kTeclasGuardadas)
    // and typed, in order, once the pane is free again; mouse, paste and
    // input-method events are dropped.
    void SetBloqueada(bool bloqueada);
    bool Bloqueada() const { return v_Bloqueada; }
    // A window opened in the middle of a pass takes the keyboard: the keys
    // kept so far, and any that still reach the pane, are dropped.
    void DescartarTeclas();
    static constexpr size_t kTeclasGuardadas = 256;
    // Blank strip at the bottom of the visible area (keeps scrolling on whole rows).
    void SetMargenInferior(int px) { setViewportMargins(0, 0, 0, px); }

Q_SIGNALS:
    void TeclaAbajo(int codigo, int shift);
    void TeclaArriba(int codigo, int shift);
    void RatonAbajo();
    void RatonArriba();
    void FocoRecibido();
    // Undo and redo (Ctrl+Z; Ctrl+Y or Ctrl+Shift+Z; the context menu) are
    // the window's: the pane's document alone does not know what a step is.
    void Deshacer();
    void Rehacer();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* origen) const override;
    void insertFromMimeData(const QMimeData* origen) override;

private:
    void Guardar(const QKeyEvent* e);
    // Undo or redo asked for by a key: the signal sent, true.
    bool DeshacerORehacer(QKeyEvent* e);
    bool EnterEnFilaVacia(QKeyEvent* e);

    bool v_Bloqueada = false;
    bool v_Descartando = false;
    std::vector<std::unique_ptr<QKeyEvent>> v_Teclas;
};
