#include "CajaRica.h"
#include "AccesibleCaja.h"
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

CajaRica::CajaRica(QWidget* padre) : QTextEdit(padre) {
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setTabChangesFocus(false);
    AccesibleCaja::Instalar();
}

int CajaRica::CodigoTecla(int teclaQt) {
    switch (teclaQt) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: break;
    }
    if (teclaQt >= Qt::Key_F1 && teclaQt <= Qt::Key_F24) return 112 + (teclaQt - Qt::Key_F1);
    if (teclaQt >= Qt::Key_A && teclaQt <= Qt::Key_Z) return teclaQt;   // same codes as upper-case ASCII
    if (teclaQt >= Qt::Key_0 && teclaQt <= Qt::Key_9) return teclaQt;
    return teclaQt & 0xFFFF;
}

static int Shift(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

void CajaRica::SetBloqueada(bool bloqueada) {
    const bool libre = v_Bloqueada && !bloqueada;
    v_Bloqueada = bloqueada;
    if (!libre) return;
    v_Descartando = false;
    // Typed as they came, after what is already waiting in the event queue.
    for (auto& tecla : v_Teclas) QCoreApplication::postEvent(this, tecla.release());
    v_Teclas.clear();
}

void CajaRica::DescartarTeclas() {
    v_Teclas.clear();
    v_Descartando = v_Bloqueada;
}

void CajaRica::Guardar(const QKeyEvent* e) {
    if (v_Descartando || v_Teclas.size() >= kTeclasGuardadas) return;
    v_Teclas.push_back(std::make_unique<QKeyEvent>(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(),
                                                   e->count()));
}

void CajaRica::keyPressEvent(QKeyEvent* e) {
    if (v_Bloqueada) {
        Guardar(e);
        e->accept();
        return;
    }
    Q_EMIT TeclaAbajo(CodigoTecla(e->key()), Shift(e->modifiers()));
    if (DeshacerORehacer(e)) return;
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && EnterEnFilaVacia(e)) return;
    if (enter && (e->modifiers() & Qt::ShiftModifier)) {
        // Shift+Enter would insert a soft break inside the line: make it a plain Enter.
        QKeyEvent simple(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text(), e->isAutoRepeat(),
                         e->count());
        QTextEdit::keyPressEvent(&simple);
        e->setAccepted(simple.isAccepted());
        return;
    }
    QTextEdit::keyPressEvent(e);
}

bool CajaRica::EnterEnFilaVacia(QKeyEvent* e) {
    // On an empty line that carries a paragraph format (every row here has its
    // fixed height) Qt takes Enter as "end this formatting" and drops the line
    // break: the first Enter in an emptied pane was lost. Insert it ourselves.
    const Qt::KeyboardModifiers m = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    QTextCursor c = textCursor();
    if (m != Qt::NoModifier || isReadOnly() || c.hasSelection() || c.block().length() > 1 ||
        c.blockFormat().properties().isEmpty())
        return false;
    c.insertBlock();
    setTextCursor(c);
    ensureCursorVisible();
    e->accept();
    return true;
}

bool CajaRica::DeshacerORehacer(QKeyEvent* e) {
    // The same keys on every desktop: Ctrl+Y as well as Ctrl+Shift+Z, the
    // habit of those who come from Windows.
    const Qt::KeyboardModifiers m = e->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = m == Qt::ControlModifier;
    const bool ctrlY = e->key() == Qt::Key_Y && ctrl;
    const bool ctrlZ = e->key() == Qt::Key_Z && ctrl;
    const bool ctrlShiftZ = e->key() == Qt::Key_Z && m == (Qt::ControlModifier | Qt::ShiftModifier);
    if (e->matches(QKeySequence::Undo) || ctrlZ) {
        e->accept();
        Q_EMIT Deshacer();
        return true;
    }
    if (e->matches(QKeySequence::Redo) || ctrlY || ctrlShiftZ) {
        e->accept();
        Q_EMIT Rehacer();
        return true;
    }
    return false;
}

void CajaRica::contextMenuEvent(QContextMenuEvent* e) {
    if (v_Bloqueada) return;
    std::unique_ptr<QMenu> menu(createStandardContextMenu(e->pos()));
    for (QAction* a : menu->actions()) {
        auto desviar = [this, a](void (CajaRica::*senal)()) {
            disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, this, senal);
        };
        if (a->objectName() == QLatin1String("edit-undo")) desviar(&CajaRica::Deshacer);
        else if (a->objectName() == QLatin1String("edit-redo"))
            desviar(&CajaRica::Rehacer);
    }
    menu->exec(e->globalPos());
}

void CajaRica::keyReleaseEvent(QKeyEvent* e) {
    if (v_Bloqueada) {
        if (!e->isAutoRepeat()) Guardar(e);
        e->accept();
        return;
    }
    QTextEdit::keyReleaseEvent(e);
    // A held key repeats its press only; the release comes once, when it is let go.
    if (e->isAutoRepeat()) return;
    Q_EMIT TeclaArriba(CodigoTecla(e->key()), Shift(e->modifiers()));
}

void CajaRica::mousePressEvent(QMouseEvent* e) {
    if (v_Bloqueada) return;
    Q_EMIT RatonAbajo();
    QTextEdit::mousePressEvent(e);
}

void CajaRica::mouseReleaseEvent(QMouseEvent* e) {
    if (v_Bloqueada) return;
    QTextEdit::mouseReleaseEvent(e);
    Q_EMIT RatonArriba();
}

void CajaRica::mouseDoubleClickEvent(QMouseEvent* e) {
    if (v_Bloqueada) return;
    QTextEdit::mouseDoubleClickEvent(e);
}

void CajaRica::focusInEvent(QFocusEvent* e) {
    QTextEdit::focusInEvent(e);
    Q_EMIT FocoRecibido();
}

void CajaRica::inputMethodEvent(QInputMethodEvent* e) {
    if (v_Bloqueada) return;
    QTextEdit::inputMethodEvent(e);
}

bool CajaRica::canInsertFromMimeData(const QMimeData* origen) const {
    return !v_Bloqueada && origen->hasText();
}

void CajaRica::insertFromMimeData(const QMimeData* origen) {
    if (v_Bloqueada || !origen->hasText()) return;
    // Pasted text comes in as plain lines: every kind of line end becomes a line break.
    QString t = origen->text();
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar(u'\r'), QChar(u'\n'));
    t.replace(QChar::LineSeparator, QChar(u'\n'));
    t.replace(QChar::ParagraphSeparator, QChar(u'\n'));
    insertPlainText(t);
    ensureCursorVisible();
}
