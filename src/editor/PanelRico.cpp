// The command pane: its place, its rows, and the batches in which the
// compile pass writes it, with the text held apart meanwhile.
#include "PanelRico.h"
#include "DiagramaFilas.h"
#include "PanelMemoria.h"
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <cmath>

PanelRico::PanelRico(QTextEdit* caja, double pxPorTwip)
    : v_Caja(caja), v_PxPorTwip(pxPorTwip), v_Lote(caja), v_Aparte(
                                                              caja, [this](QTextDocument* doc) { Preparar(doc); }, [this](QTextCursor& c) { AplicarFila(c); }),
      v_Filas(caja),
      v_Cambios(caja, [this] { return v_Lote.Activo(); }) {
    const QRect g = v_Caja->geometry();
    v_Left = static_cast<int>(std::lround(g.x() / v_PxPorTwip));
    v_Top = static_cast<int>(std::lround(g.y() / v_PxPorTwip));
    v_Width = static_cast<int>(std::lround(g.width() / v_PxPorTwip));
    v_Alto = static_cast<int>(std::lround(g.height() / v_PxPorTwip));
}

PanelRico::~PanelRico() = default;

QTextDocument* PanelRico::Doc() const { return v_Aparte.Documento() ? v_Aparte.Documento() : v_Caja->document(); }

// ---- Changes since a mark ----

void PanelRico::MarcarSinCambios() { v_Cambios.Marcar(Aparte()); }

std::pair<int, int> PanelRico::LineasSinCambios() const { return v_Cambios.SinCambios(Aparte()); }

// ---- Rows and place ----

void PanelRico::SetAlturaFila(int px) {
    v_Filas.SetAltura(px);
    Preparar(Doc());
    QTextCursor c(Doc());
    c.select(QTextCursor::Document);
    AplicarFila(c);
}

void PanelRico::Preparar(QTextDocument* doc) const {
    if (v_Filas.Altura() <= 0) return;
    if (auto* capa = qobject_cast<DiagramaFilas*>(doc->documentLayout()))
        capa->SetAlturaFila(v_Filas.Altura());
    else
        doc->setDocumentLayout(new DiagramaFilas(doc, v_Filas.Altura()));
}

void PanelRico::AplicarFila(QTextCursor& c) const {
    if (v_Filas.Altura() <= 0) return;
    QTextBlockFormat b;
    b.setLineHeight(v_Filas.Altura(), QTextBlockFormat::FixedHeight);
    c.mergeBlockFormat(b);
}

void PanelRico::Colocar(int left, int top, int width, int height) {
    v_Left = left;
    v_Top = top;
    v_Width = width;
    v_Alto = height;
    Movido();
}

void PanelRico::Movido() {
    auto px = [this](int t) { return static_cast<int>(std::lround(t * v_PxPorTwip)); };
    v_Caja->setGeometry(px(v_Left), px(v_Top), px(v_Width), px(v_Alto));
}


// ---- Scrolling ----

void PanelRico::AjustarAFilas() { v_Filas.Ajustar(); }

int PanelRico::FirstVisibleLine() const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->FirstVisibleLine();
    return v_Filas.PrimeraVisible(Doc());
}

int PanelRico::FilasEnVista() const { return v_Filas.EnVista(Doc()); }

void PanelRico::LineScroll(int lineas) {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->LineScroll(lineas);
    v_Filas.Desplazar(Doc(), lineas);
}

// ---- Formats read back ----

QTextCursor PanelRico::CursorEn(int indice) const {
    QTextCursor c(Doc());
    const Punto p = AQt(indice);
    c.setPosition(p.qt);
    c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    return c;
}

ColorRGB PanelRico::ColorEn(int indice) const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->FormatoEn(indice).color;
    const QTextCharFormat f = CursorEn(indice).charFormat();
    if (!f.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor c = v_Caja->palette().color(QPalette::Text);
        return {c.red(), c.green(), c.blue()};
    }
    const QColor c = f.foreground().color();
    return {c.red(), c.green(), c.blue()};
}

bool PanelRico::BoldEn(int indice) const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->FormatoEn(indice).bold;
    return CursorEn(indice).charFormat().fontWeight() >= QFont::Bold;
}

bool PanelRico::ItalicEn(int indice) const {
    if (PanelMemoria* m = v_Aparte.Modelo()) return m->FormatoEn(indice).italic;
    return CursorEn(indice).charFormat().fontItalic();
}

// ---- Batches and the text apart ----

void PanelRico::EmpezarLote() { v_Lote.Empezar(); }

void PanelRico::TerminarLote() {
    if (!v_Lote.Terminar()) return;
    PanelMemoria* m = v_Aparte.Modelo();
    const int inicio = m ? m->SelStart() : v_SelInicio;
    const int largo = m ? m->SelLength() : v_SelLargo;
    // The batch's cursor: the widget's own has not followed the batch.
    const bool exacto = m || CursorExacto(v_Lote.Propio(), Doc());
    v_Lote.CerrarBloque();
    Devolver();
    PonerCursor(v_Lote.Soltar());
    if (exacto) Recordar(inicio, largo);
    v_Caja->viewport()->update();
}

void PanelRico::EmpezarAparte() {
    if (!v_Lote.Activo() || Aparte()) return;
    const QTextCharFormat escritura = v_Lote.Propio().charFormat();
    if (Length() == 0 && !escritura.hasProperty(QTextFormat::ForegroundBrush) &&
        escritura.fontWeight() < QFont::Bold && !escritura.fontItalic()) {
        // The model starts as this pane stands: empty, caret at 0, plain typing format.
        v_Aparte.EmpezarModelo();
        return;
    }
    const int inicio = v_SelInicio, largo = v_SelLargo;
    const bool exacto = CursorExacto();
    QTextCursor c(v_Aparte.EmpezarCopia());
    c.setPosition(v_Lote.Propio().anchor());
    c.setPosition(v_Lote.Propio().position(), QTextCursor::KeepAnchor);
    v_Lote.Cambiar(c);
    if (exacto) Recordar(inicio, largo);
}

void PanelRico::Devolver(const std::function<void()>& ceder) {
    if (!Aparte()) return;
    QTextDocument* viejo = v_Caja->document();
    if (v_Aparte.Modelo()) {
        const std::unique_ptr<PanelMemoria> m = v_Aparte.EscribirModelo(ceder);
        // The model's selection and typing format, on the new document.
        const int inicio = m->SelStart(), largo = m->SelLength();
        QTextCursor c(v_Aparte.Documento());
        c.setPosition(AQt(inicio).qt);
        if (largo > 0) {
            const Punto b = AQt(inicio + largo);
            int fin = b.qt;
            if (b.enSalto && fin < v_Aparte.Documento()->characterCount() - 1) ++fin;
            c.setPosition(fin, QTextCursor::KeepAnchor);
        } else if (inicio > 0) {
            c.setCharFormat(TextoAparte::FormatoQt(m->FormatoEscritura()));
        }
        v_Lote.Cambiar(c);
        v_SelInicio = inicio;
        v_SelLargo = largo;
        v_QtAncla = c.anchor();
        v_QtPos = c.position();
        v_Revision = v_Aparte.Documento()->revision();
    }
    QTextDocument* nuevo = v_Aparte.SoltarDocumento();
    const bool deshacer = viejo->isUndoRedoEnabled();
    const int inicio = v_SelInicio, largo = v_SelLargo;
    const bool exacto = CursorExacto(v_Lote.Propio(), nuevo);
    v_Lote.Pausar();
    // The widget deletes the document it created itself; one handed over by
    // an earlier load is deleted here.
    const bool deUnaCarga = viejo->parent() == v_Caja;
    v_Caja->setDocument(nuevo);
    v_Cambios.Seguir();
    v_Cambios.Devuelto();
    if (deUnaCarga) delete viejo;
    nuevo->setUndoRedoEnabled(deshacer);
    v_Lote.Reanudar();
    if (exacto) Recordar(inicio, largo);
}

void PanelRico::DevolverPorPartes(const std::function<void()>& ceder) {
    if (!Aparte()) return;
    Devolver(ceder);
    // The widget shows the new text from its top; its rows are laid out as they are shown.
    v_Caja->verticalScrollBar()->setValue(0);
    v_Caja->viewport()->update();
}

// ---- Control ----

bool PanelRico::Visible() const { return !v_Caja->isHidden(); }

void PanelRico::SetVisible(bool visible) { v_Caja->setVisible(visible); }

void PanelRico::Refresh() {
    if (!v_Caja->isHidden()) v_Caja->repaint();
}
