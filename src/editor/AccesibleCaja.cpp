#include "AccesibleCaja.h"
#include "CajaRica.h"
#include <QAccessible>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>
#include <algorithm>

namespace {
QAccessibleInterface* Fabrica(const QString& clase, QObject* objeto) {
    if (clase == QLatin1String("CajaRica") && objeto && objeto->isWidgetType())
        return new AccesibleCaja(static_cast<QTextEdit*>(objeto));
    return nullptr;
}

QString Atributos(const QTextCharFormat& f, const QColor& porOmision) {
    const QColor c = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : porOmision;
    const QStringList familias = f.fontFamilies().toStringList();
    QString t;
    if (!familias.isEmpty()) t += QStringLiteral("font-family:\"%1\";").arg(familias.first());
    if (f.fontPointSize() > 0) t += QStringLiteral("font-size:%1pt;").arg(f.fontPointSize());
    t += QStringLiteral("font-weight:%1;").arg(f.fontWeight() >= QFont::Bold ? u"bold" : u"normal");
    t += QStringLiteral("font-style:%1;").arg(f.fontItalic() ? u"italic" : u"normal");
    t += QStringLiteral("color:rgb(%1,%2,%3);").arg(c.red()).arg(c.green()).arg(c.blue());
    return t;
}
}   // namespace

AccesibleCaja::AccesibleCaja(QTextEdit* caja) : QAccessibleWidget(caja, QAccessible::EditableText) {}

void AccesibleCaja::Instalar() {
    static const bool instalada = (QAccessible::installFactory(Fabrica), true);
    (void)instalada;
}

QTextEdit* AccesibleCaja::Caja() const { return static_cast<QTextEdit*>(widget()); }

void* AccesibleCaja::interface_cast(QAccessible::InterfaceType tipo) {
    if (tipo == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (tipo == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(tipo);
}

QString AccesibleCaja::text(QAccessible::Text tipo) const {
    if (tipo == QAccessible::Value) return Caja()->toPlainText();
    return QAccessibleWidget::text(tipo);
}

void AccesibleCaja::setText(QAccessible::Text tipo, const QString& texto) {
    if (tipo != QAccessible::Value) {
        QAccessibleWidget::setText(tipo, texto);
        return;
    }
    if (Editable()) Caja()->setPlainText(texto);
}

QAccessible::State AccesibleCaja::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.selectableText = true;
    s.multiLine = true;
    if (Caja()->isReadOnly())
        s.readOnly = true;
    else
        s.editable = true;
    return s;
}

bool AccesibleCaja::Editable() const {
    // A pane that a compile pass or a load is writing takes no input from a reader either.
    const auto* rica = qobject_cast<const CajaRica*>(Caja());
    return !Caja()->isReadOnly() && !(rica && rica->Bloqueada());
}

int AccesibleCaja::characterCount() const { return Caja()->document()->characterCount() - 1; }

int AccesibleCaja::Limite(int posicion) const { return std::clamp(posicion, 0, characterCount()); }

QTextCursor AccesibleCaja::Tramo(int inicio, int fin) const {
    QTextCursor c(Caja()->document());
    c.setPosition(Limite(inicio));
    c.setPosition(Limite(fin), QTextCursor::KeepAnchor);
    return c;
}

// ---- Caret and selection ----

void AccesibleCaja::selection(int indice, int* inicio, int* fin) const {
    *inicio = *fin = 0;
    const QTextCursor c = Caja()->textCursor();
    if (indice != 0 || !c.hasSelection()) return;
    *inicio = c.selectionStart();
    *fin = c.selectionEnd();
}

int AccesibleCaja::selectionCount() const { return Caja()->textCursor().hasSelection() ? 1 : 0; }

void AccesibleCaja::addSelection(int inicio, int fin) { setSelection(0, inicio, fin); }

void AccesibleCaja::removeSelection(int indice) {
    if (indice != 0) return;
    QTextCursor c = Caja()->textCursor();
    c.clearSelection();
    Caja()->setTextCursor(c);
}

void AccesibleCaja::setSelection(int indice, int inicio, int fin) {
    if (indice == 0) Caja()->setTextCursor(Tramo(inicio, fin));
}

int AccesibleCaja::cursorPosition() const { return Caja()->textCursor().position(); }

void AccesibleCaja::setCursorPosition(int posicion) { Caja()->setTextCursor(Tramo(posicion, posicion)); }

// ---- Text ----

QString AccesibleCaja::text(int inicio, int fin) const {
    QString t = Tramo(inicio, fin).selectedText();
    t.replace(QChar::ParagraphSeparator, u'\n');
    t.replace(QChar::LineSeparator, u'\n');
    return t;
}

QString AccesibleCaja::textAtOffset(int posicion, QAccessible::TextBoundaryType limite, int* inicio,
                                    int* fin) const {
    if (posicion == -2) posicion = cursorPosition();   // -2: the caret
    if (posicion == -1) posicion = characterCount();   // -1: the end
    const QTextCursor c = Tramo(posicion, posicion);
    const QPair<int, int> tramo = QAccessible::qAccessibleTextBoundaryHelper(c, limite);
    *inicio = tramo.first;
    *fin = tramo.second;
    return text(tramo.first, tramo.second);
}

QRect AccesibleCaja::characterRect(int posicion) const {
    const int p = Limite(posicion);
    QRect r = Caja()->cursorRect(Tramo(p, p));
    const QRect siguiente = Caja()->cursorRect(Tramo(p + 1, p + 1));
    if (siguiente.top() == r.top() && siguiente.x() > r.x()) r.setRight(siguiente.x() - 1);
    return r.translated(Caja()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int AccesibleCaja::offsetAtPoint(const QPoint& punto) const {
    const QPoint local = Caja()->viewport()->mapFromGlobal(punto);
    if (!Caja()->viewport()->rect().contains(local)) return -1;
    return Caja()->cursorForPosition(local).position();
}

void AccesibleCaja::scrollToSubstring(int inicio, int fin) {
    const QRect desde = Caja()->cursorRect(Tramo(inicio, inicio));
    const QRect hasta = Caja()->cursorRect(Tramo(fin, fin));
    const QRect vista = Caja()->viewport()->rect();
    QScrollBar* v = Caja()->verticalScrollBar();
    if (desde.top() < vista.top())
        v->setValue(v->value() + desde.top() - vista.top());
    else if (hasta.bottom() > vista.bottom())
        v->setValue(v->value() + std::min(hasta.bottom() - vista.bottom(), desde.top() - vista.top()));
}

QString AccesibleCaja::attributes(int posicion, int* inicio, int* fin) const {
    if (posicion == -2) posicion = cursorPosition();
    const int p = Limite(posicion);
    const QColor porOmision = Caja()->palette().color(QPalette::Text);
    *inicio = *fin = p;
    if (p >= characterCount()) return {};
    const QTextBlock b = Caja()->document()->findBlock(p);
    for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (!f.contains(p)) continue;
        *inicio = f.position();
        *fin = f.position() + f.length();
        return Atributos(f.charFormat(), porOmision);
    }
    // The line break at the end of a line.
    *fin = p + 1;
    return Atributos(b.charFormat(), porOmision);
}

// ---- Editing ----

void AccesibleCaja::deleteText(int inicio, int fin) {
    if (Editable()) Tramo(inicio, fin).removeSelectedText();
}

void AccesibleCaja::insertText(int posicion, const QString& texto) {
    if (Editable()) Tramo(posicion, posicion).insertText(texto);
}

void AccesibleCaja::replaceText(int inicio, int fin, const QString& texto) {
    if (Editable()) Tramo(inicio, fin).insertText(texto);
}
