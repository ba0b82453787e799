#pragma once
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <compare>

class PanelMemoria;
class QTextLayout;

// The code pane as the user sees it: the rows it shows are painted straight
// from the code pane's model, so the text and its colours are held once, in
// the model, and not again in a text document. Read-only; its text can be
// selected with the mouse or the keyboard and copied. Rows have one fixed
// height and the vertical scroll stays on whole rows, so they stay level with
// the command pane and the gutter beside it.
//
// Positions (selection, caret, what a screen reader asks for) count a line
// break as one character, as Qt's text boxes do.
class VistaCodigo : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit VistaCodigo(QWidget* padre = nullptr);
    ~VistaCodigo() override;

    // The model whose lines are shown; it must outlive the view or be unset.
    void SetModelo(const PanelMemoria* modelo);
    const PanelMemoria* Modelo() const { return v_Modelo; }
    // The model changed: the view follows before it next paints.
    void Cambiado();

    // Blank space around the text, pixels.
    static constexpr int kMargen = 2;
    void SetAlturaFila(int px);
    int AlturaFila() const { return v_Altura; }
    int PrimeraVisible() const;
    int FilasEnVista() const;
    void Desplazar(int lineas);

    struct Punto {
        int linea = 0;
        int columna = 0;
        auto operator<=>(const Punto&) const = default;
    };
    int Filas() const;
    QString Linea(int n) const;
    int Largo(int n) const;   // Linea(n).size(), without building it
    int Caracteres() const;   // line breaks count one
    int Posicion(Punto p) const;
    Punto Ubicar(int posicion) const;
    // Text between two positions, line breaks as '\n'.
    QString Texto(int desde, int hasta) const;

    int Ancla() const { return Posicion(Dentro(v_Ancla)); }
    int Caret() const { return Posicion(Dentro(v_Caret)); }
    void SetSeleccion(int ancla, int caret);
    QString TextoSeleccionado() const;
    void Copiar() const;
    void SeleccionarTodo();

    // Where a character is drawn, in viewport coordinates; the position under
    // a viewport point.
    QRect RectCaracter(int posicion) const;
    int PosicionEn(const QPoint& punto) const;
    void MostrarPosicion(int posicion);

Q_SIGNALS:
    void SeleccionCambiada();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

private:
    // The row laid out as the command pane lays out its rows, with its runs' formats.
    void Diagramar(QTextLayout& capa, int fila) const;
    // Scroll ranges from the model's size; the strip under the text that
    // makes the range end on a whole row.
    void AjustarBarras();
    void AjustarScroll(int valor);
    int Columnas(const QString& linea) const;
    Punto Dentro(Punto p) const;   // clamped to the text as it stands
    Punto PuntoEn(const QPoint& punto) const;
    void MoverCaret(Punto destino, bool extender);
    Punto Palabra(Punto p, int sentido) const;
    // The selection with its colours, for pasting into a document.
    QString HtmlSeleccionado() const;
    void MostrarCaret();
    void Parpadear(bool encendido);

    const PanelMemoria* v_Modelo = nullptr;
    int v_Altura = 15;
    bool v_Medir = true;     // scroll ranges wait for the model's size
    bool v_Pedida = false;   // a follow-up is waiting in the event queue
    int v_Columnas = 0;      // the widest line, in characters
    int v_Franja = 0;        // blank strip under the text, pixels
    int v_ScrollAnterior = 0;
    bool v_Ajustando = false;
    Punto v_Ancla, v_Caret;
    int v_ColumnaDeseada = -1;   // Up and Down keep the column the caret left
    bool v_Arrastrando = false;
    bool v_CaretEncendido = false;
    QBasicTimer v_Parpadeo;
};
