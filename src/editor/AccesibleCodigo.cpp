#include "AccesibleCodigo.h"
#include "PanelMemoria.h"
#include "VistaCodigo.h"
#include <QAccessible>
#include <algorithm>

namespace {
QAccessibleInterface* Fabrica(const QString& clase, QObject* objeto) {
    if (clase == QLatin1String("VistaCodigo") && objeto && objeto->isWidgetType())
        return new AccesibleCodigo(static_cast<VistaCodigo*>(objeto));
    return nullptr;
}

QString Atributos(bool bold, bool italic, const QColor& c) {
    return QStringLiteral("font-weight:%1;font-style:%2;color:rgb(%3,%4,%5);")
        .arg(bold ? u"bold" : u"normal", italic ? u"italic" : u"normal")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue());
}

bool DePalabra(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
}   // namespace

AccesibleCodigo::AccesibleCodigo(VistaCodigo* vista) : QAccessibleWidget(vista, QAccessible::EditableText) {}

void AccesibleCodigo::Instalar() {
    static const bool instalada = (QAccessible::installFactory(Fabrica), true);
    (void)instalada;
}

VistaCodigo* AccesibleCodigo::Vista() const { return static_cast<VistaCodigo*>(widget()); }

void* AccesibleCodigo::interface_cast(QAccessible::InterfaceType tipo) {
    if (tipo == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(tipo);
}

QString AccesibleCodigo::text(QAccessible::Text tipo) const {
    if (tipo == QAccessible::Value) return Vista()->Texto(0, characterCount());
    return QAccessibleWidget::text(tipo);
}

QAccessible::State AccesibleCodigo::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.selectableText = true;
    s.multiLine = true;
    s.readOnly = true;
    return s;
}

int AccesibleCodigo::characterCount() const { return Vista()->Caracteres(); }

int AccesibleCodigo::Limite(int posicion) const { return std::clamp(posicion, 0, characterCount()); }

// ---- Caret and selection ----

void AccesibleCodigo::selection(int indice, int* inicio, int* fin) const {
    *inicio = *fin = 0;
    if (indice != 0 || selectionCount() == 0) return;
    *inicio = std::min(Vista()->Ancla(), Vista()->Caret());
    *fin = std::max(Vista()->Ancla(), Vista()->Caret());
}

int AccesibleCodigo::selectionCount() const { return Vista()->Ancla() != Vista()->Caret() ? 1 : 0; }

void AccesibleCodigo::addSelection(int inicio, int fin) { setSelection(0, inicio, fin); }

void AccesibleCodigo::removeSelection(int indice) {
    if (indice == 0) Vista()->SetSeleccion(Vista()->Caret(), Vista()->Caret());
}

void AccesibleCodigo::setSelection(int indice, int inicio, int fin) {
    if (indice == 0) Vista()->SetSeleccion(Limite(inicio), Limite(fin));
}

int AccesibleCodigo::cursorPosition() const { return Vista()->Caret(); }

void AccesibleCodigo::setCursorPosition(int posicion) { Vista()->SetSeleccion(Limite(posicion), Limite(posicion)); }

// ---- Text ----

QString AccesibleCodigo::text(int inicio, int fin) const { return Vista()->Texto(Limite(inicio), Limite(fin)); }

QString AccesibleCodigo::textAtOffset(int posicion, QAccessible::TextBoundaryType limite, int* inicio,
                                      int* fin) const {
    if (posicion == -2) posicion = cursorPosition();   // -2: the caret
    if (posicion == -1) posicion = characterCount();   // -1: the end
    const int p = Limite(posicion);
    const VistaCodigo::Punto punto = Vista()->Ubicar(p);
    const QString linea = Vista()->Linea(punto.linea);
    const int base = p - punto.columna;
    switch (limite) {
    case QAccessible::CharBoundary:
        *inicio = p;
        *fin = std::min(p + 1, characterCount());
        break;
    case QAccessible::WordBoundary: {
        int desde = punto.columna, hasta = punto.columna;
        while (desde > 0 && DePalabra(linea[desde - 1])) --desde;
        while (hasta < linea.size() && DePalabra(linea[hasta])) ++hasta;
        *inicio = base + desde;
        *fin = base + hasta;
        break;
    }
    case QAccessible::NoBoundary:
        *inicio = 0;
        *fin = characterCount();
        break;
    default:   // a sentence, a line or a paragraph: the line, without its break
        *inicio = base;
        *fin = base + static_cast<int>(linea.size());
        break;
    }
    return text(*inicio, *fin);
}

QRect AccesibleCodigo::characterRect(int posicion) const {
    return Vista()->RectCaracter(Limite(posicion)).translated(Vista()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int AccesibleCodigo::offsetAtPoint(const QPoint& punto) const {
    const QPoint local = Vista()->viewport()->mapFromGlobal(punto);
    if (!Vista()->viewport()->rect().contains(local)) return -1;
    return Vista()->PosicionEn(local);
}

void AccesibleCodigo::scrollToSubstring(int inicio, int fin) {
    Vista()->MostrarPosicion(Limite(fin));
    Vista()->MostrarPosicion(Limite(inicio));
}

QString AccesibleCodigo::attributes(int posicion, int* inicio, int* fin) const {
    if (posicion == -2) posicion = cursorPosition();
    const int p = Limite(posicion);
    *inicio = *fin = p;
    if (p >= characterCount()) return {};
    const QColor porOmision = Vista()->palette().color(QPalette::Text);
    const VistaCodigo::Punto punto = Vista()->Ubicar(p);
    const int base = p - punto.columna;
    const int largo = Vista()->Largo(punto.linea);
    int desde = 0;
    if (const PanelMemoria* m = Vista()->Modelo(); m && punto.columna < largo) {
        for (const PanelMemoria::Tramo& t : m->TramosDe(punto.linea)) {
            if (punto.columna < desde + t.largo) {
                *inicio = base + desde;
                *fin = base + desde + t.largo;
                const ColorRGB c = t.formato.color;
                return Atributos(t.formato.bold, t.formato.italic, QColor(c.r, c.g, c.b));
            }
            desde += t.largo;
        }
    }
    // Past the runs: the rest of the line in the pane's own format; the line break alone.
    *inicio = base + (punto.columna < largo ? desde : largo);
    *fin = punto.columna < largo ? base + largo : p + 1;
    return Atributos(false, false, porOmision);
}
