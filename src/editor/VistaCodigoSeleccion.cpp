// The code pane's caret and selection: keys, mouse, copy and its context menu.
#include "VistaCodigo.h"
#include "PanelMemoria.h"
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextLayout>
#include <QTimerEvent>

namespace {
bool DePalabra(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
}   // namespace

void VistaCodigo::SetSeleccion(int ancla, int caret) {
    v_Ancla = Ubicar(ancla);
    v_Caret = Ubicar(caret);
    v_ColumnaDeseada = -1;
    MostrarCaret();
}

QString VistaCodigo::TextoSeleccionado() const { return Texto(Ancla(), Caret()); }

void VistaCodigo::Copiar() const {
    const QString t = TextoSeleccionado();
    if (t.isEmpty()) return;
    auto* datos = new QMimeData;
    datos->setText(t);
    datos->setHtml(HtmlSeleccionado());
    QApplication::clipboard()->setMimeData(datos);
}

QString VistaCodigo::HtmlSeleccionado() const {
    const Punto a = Dentro(std::min(v_Ancla, v_Caret)), b = Dentro(std::max(v_Ancla, v_Caret));
    auto tramo = [](QStringView texto, const Formato& f) {
        return QStringLiteral("<span style=\"color:%1;font-weight:%2;font-style:%3\">%4</span>")
            .arg(QColor(f.color.r, f.color.g, f.color.b).name(), f.bold ? u"700" : u"400", f.italic ? u"italic" : u"normal",
                 texto.toString().toHtmlEscaped());
    };
    static const PanelMemoria::Tramos kSinTramos;
    QString html = QStringLiteral("<pre style=\"font-family:'%1'\">").arg(font().family());
    for (int n = a.linea; n <= b.linea; ++n) {
        const QString linea = Linea(n);
        const int desde = n == a.linea ? a.columna : 0;
        const int hasta = n == b.linea ? b.columna : static_cast<int>(linea.size());
        int inicio = 0;
        for (const PanelMemoria::Tramo& t : v_Modelo ? v_Modelo->TramosDe(n) : kSinTramos) {
            const int d = std::max(desde, inicio), h = std::min(hasta, inicio + t.largo);
            if (h > d) html += tramo(QStringView(linea).mid(d, h - d), t.formato);
            inicio += t.largo;
        }
        // Past the runs, the pane's own format.
        const int d = std::max(desde, inicio);
        if (hasta > d) html += tramo(QStringView(linea).mid(d, hasta - d), Formato{});
        if (n < b.linea) html += u'\n';
    }
    return html + QStringLiteral("</pre>");
}

void VistaCodigo::SeleccionarTodo() {
    v_Ancla = {};
    v_Caret = Dentro({Filas() - 1, INT_MAX});
    MostrarCaret();
}

void VistaCodigo::MostrarCaret() {
    Parpadear(hasFocus());
    viewport()->update();
    Q_EMIT SeleccionCambiada();
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent cursor(this, Caret());
        QAccessible::updateAccessibility(&cursor);
        QAccessibleTextSelectionEvent seleccion(this, std::min(Ancla(), Caret()), std::max(Ancla(), Caret()));
        seleccion.setCursorPosition(Caret());
        QAccessible::updateAccessibility(&seleccion);
    }
}

void VistaCodigo::MoverCaret(Punto destino, bool extender) {
    v_Caret = Dentro(destino);
    if (!extender) v_Ancla = v_Caret;
    MostrarPosicion(Caret());
    MostrarCaret();
}

VistaCodigo::Punto VistaCodigo::Palabra(Punto p, int sentido) const {
    QTextLayout capa(Linea(p.linea), font());
    capa.beginLayout();
    capa.endLayout();
    if (sentido < 0) {
        if (p.columna == 0) return p.linea > 0 ? Punto{p.linea - 1, INT_MAX} : p;
        return {p.linea, capa.previousCursorPosition(p.columna, QTextLayout::SkipWords)};
    }
    if (p.columna >= Largo(p.linea)) return p.linea + 1 < Filas() ? Punto{p.linea + 1, 0} : p;
    return {p.linea, capa.nextCursorPosition(p.columna, QTextLayout::SkipWords)};
}

void VistaCodigo::keyPressEvent(QKeyEvent* e) {
    if (e == QKeySequence::Copy) {
        Copiar();
        return;
    }
    if (e == QKeySequence::SelectAll) {
        SeleccionarTodo();
        return;
    }
    const bool extender = e->modifiers() & Qt::ShiftModifier;
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const Punto c = Dentro(v_Caret);
    const int ancho = Largo(c.linea);
    // Up and Down (and the page keys) go back to the column the caret had.
    const int columna = v_ColumnaDeseada >= 0 ? v_ColumnaDeseada : c.columna;
    const int pagina = std::max(1, FilasEnVista());
    Punto destino = c;
    bool vertical = false;
    switch (e->key()) {
    case Qt::Key_Left:
        destino = ctrl ? Palabra(c, -1) : c.columna > 0 ? Punto{c.linea, c.columna - 1}
                                      : c.linea > 0     ? Punto{c.linea - 1, INT_MAX}
                                                        : c;
        break;
    case Qt::Key_Right:
        destino = ctrl ? Palabra(c, 1) : c.columna < ancho   ? Punto{c.linea, c.columna + 1}
                                     : c.linea + 1 < Filas() ? Punto{c.linea + 1, 0}
                                                             : c;
        break;
    case Qt::Key_Up: destino = {c.linea - 1, c.linea > 0 ? columna : 0}, vertical = c.linea > 0; break;
    case Qt::Key_Down: destino = {c.linea + 1, c.linea + 1 < Filas() ? columna : INT_MAX}, vertical = c.linea + 1 < Filas(); break;
    case Qt::Key_PageUp: destino = {c.linea - pagina, c.linea >= pagina ? columna : 0}, vertical = true; break;
    case Qt::Key_PageDown: destino = {c.linea + pagina, c.linea + pagina < Filas() ? columna : INT_MAX}, vertical = true; break;
    case Qt::Key_Home: destino = ctrl ? Punto{} : Punto{c.linea, 0}; break;
    case Qt::Key_End: destino = ctrl ? Punto{Filas() - 1, INT_MAX} : Punto{c.linea, INT_MAX}; break;
    default:
        // Read-only: any other key goes on to the window.
        e->ignore();
        return;
    }
    MoverCaret(destino, extender);
    v_ColumnaDeseada = vertical ? columna : -1;
}

void VistaCodigo::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    v_Arrastrando = true;
    v_ColumnaDeseada = -1;
    MoverCaret(PuntoEn(e->position().toPoint()), e->modifiers() & Qt::ShiftModifier);
}

void VistaCodigo::mouseMoveEvent(QMouseEvent* e) {
    if (!v_Arrastrando || !(e->buttons() & Qt::LeftButton)) return;
    MoverCaret(PuntoEn(e->position().toPoint()), true);
}

void VistaCodigo::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !v_Arrastrando) return;
    v_Arrastrando = false;
    // What the mouse selected is the X selection, as in any text box.
    QClipboard* portapapeles = QApplication::clipboard();
    if (portapapeles->supportsSelection() && Ancla() != Caret()) portapapeles->setText(TextoSeleccionado(), QClipboard::Selection);
}

void VistaCodigo::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const Punto p = PuntoEn(e->position().toPoint());
    const QString linea = Linea(p.linea);
    int desde = p.columna, hasta = p.columna;
    while (desde > 0 && DePalabra(linea[desde - 1])) --desde;
    while (hasta < linea.size() && DePalabra(linea[hasta])) ++hasta;
    v_Ancla = {p.linea, desde};
    v_Caret = {p.linea, hasta};
    v_Arrastrando = false;
    MostrarCaret();
}

void VistaCodigo::contextMenuEvent(QContextMenuEvent* e) {
    // The menu of Qt's read-only text boxes, in the same words.
    QMenu menu(this);
    QAction* copiar = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy") + u'\t' +
                                     QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText));
    copiar->setObjectName(QStringLiteral("edit-copy"));
    copiar->setEnabled(Ancla() != Caret());
    connect(copiar, &QAction::triggered, this, &VistaCodigo::Copiar);
    menu.addSeparator();
    QAction* todo = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All") + u'\t' +
                                   QKeySequence(QKeySequence::SelectAll).toString(QKeySequence::NativeText));
    todo->setObjectName(QStringLiteral("select-all"));
    todo->setEnabled(Caracteres() > 0);
    connect(todo, &QAction::triggered, this, &VistaCodigo::SeleccionarTodo);
    menu.exec(e->globalPos());
}

// ---- The caret blinks while the pane has the focus ----

void VistaCodigo::Parpadear(bool encendido) {
    v_CaretEncendido = encendido;
    const int periodo = QApplication::cursorFlashTime() / 2;
    if (encendido && periodo > 0)
        v_Parpadeo.start(periodo, this);
    else
        v_Parpadeo.stop();
}

void VistaCodigo::timerEvent(QTimerEvent* e) {
    if (e->timerId() != v_Parpadeo.timerId()) return QAbstractScrollArea::timerEvent(e);
    v_CaretEncendido = !v_CaretEncendido;
    viewport()->update(RectCaracter(Caret()).adjusted(-1, 0, 1, 0));
}

void VistaCodigo::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    Parpadear(true);
    viewport()->update();
}

void VistaCodigo::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    Parpadear(false);
    viewport()->update();
}
