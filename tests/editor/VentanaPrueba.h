#pragma once
// The main window with its dialogs answered from queues: tests never block on one.
#include "CajaRica.h"
#include "CarpetaPrueba.h"
#include "Herramientas.h"
#include "fr_Ayuda.h"
#include "fr_Principal.h"
#include <QAccessible>
#include <QApplication>
#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <functional>
#include <ostream>

class VentanaPrueba : public fr_Principal {
public:
    VentanaPrueba() {
        show();
        activateWindow();
        (void)QTest::qWaitForWindowExposed(this);
        tx_Cmd->setFocus();
    }

    QStringList archivos;                         // answers of the file dialog, in order
    QList<QMessageBox::StandardButton> botones;   // answers of the questions, in order
    QStringList preguntas, avisos;
    int dialogosArchivo = 0;
    int transmisiones = 0;

    QString PedirArchivo(bool) override {
        ++dialogosArchivo;
        return archivos.isEmpty() ? QString() : archivos.takeFirst();
    }
    QMessageBox::StandardButton Preguntar(QMessageBox::Icon, const QString& titulo, const QString& texto,
                                          QMessageBox::StandardButtons, QMessageBox::StandardButton) override {
        preguntas << titulo + QStringLiteral("|") + texto;
        return botones.isEmpty() ? QMessageBox::Cancel : botones.takeFirst();
    }
    void Avisar(QMessageBox::Icon, const QString& titulo, const QString& texto) override {
        avisos << titulo + QStringLiteral("|") + texto;
    }
    std::function<void()> alTransmitir;   // runs while the pass stands on the action line
    void MostrarTransmision() override {
        ++transmisiones;
        if (alTransmitir) alTransmitir();
    }

    // Archivo > Abrir, the file dialog answering `ruta`.
    void AbrirPorMenu(const QString& ruta) {
        archivos << ruta;
        mn_Abrir_Click();
    }
    // Types into the command pane as a user would (press and release per key).
    void Escribir(const QString& texto) { QTest::keyClicks(tx_Cmd, texto); }
    void Tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(tx_Cmd, k, m); }
    // Each line typed and ended with Enter.
    void EscribirLineas(const QStringList& lineas) {
        for (const QString& l : lineas) {
            Escribir(l);
            Tecla(Qt::Key_Return);
        }
    }
    void Lineas(const QStringList& lineas) {
        // A text already in the pane, as after typing it, without compiling.
        Cmd().SetText(lineas.join(QStringLiteral("\r\n")));
        v_PrimerUso = false;
        Comp().LinActCmd = Comp().LinAntCmd = 0;
        Comp().v_ChangeText = false;
        LastSelLen = 0;
    }
    void Caret(int linea, int columna = 0) {
        Cmd().SetSelStart(Cmd().LineIndex(linea) + columna);
        Comp().LinActCmd = Comp().LinAntCmd = linea;
    }
    QString Linea(int n) const { return const_cast<VentanaPrueba*>(this)->Cmd().TextoLinea(n); }
};

// Closes the help window that a test opened, so the next test starts without one.
inline void CerrarAyuda() {
    if (VentanaAyuda()) VentanaAyuda()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A pane as the user meets it once the event loop has run: its text as a
// screen reader reads it (lines joined by '\n') and, for each line, the
// colours of its characters as runs ("INIA:rgb(0,0,128)| 1:rgb(255,0,255)").
struct Pantalla {
    QString texto;
    QStringList colores;
    bool operator==(const Pantalla&) const = default;
};

inline void PrintTo(const Pantalla& p, std::ostream* os) {
    *os << '"' << p.texto.toStdString() << "\" [" << p.colores.join(QStringLiteral(" | ")).toStdString() << ']';
}

inline Pantalla Mostrada(QWidget* caja) {
    QApplication::processEvents();
    Pantalla p;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(caja);
    QAccessibleTextInterface* t = a ? a->textInterface() : nullptr;
    if (!t) return p;
    const int n = t->characterCount();
    p.texto = t->text(0, n);
    static const QRegularExpression color(QStringLiteral("color:(rgb\\([0-9,]+\\))"));
    QString linea, tramo, anterior;
    auto cerrar = [&] {
        if (!tramo.isEmpty()) linea += (linea.isEmpty() ? QString() : QStringLiteral("|")) + tramo + u':' + anterior;
        tramo.clear();
    };
    for (int k = 0; k < n; ++k) {
        const QChar ch = p.texto[k];
        if (ch == u'\n') {
            cerrar();
            p.colores << linea;
            linea.clear();
            continue;
        }
        int i = 0, f = 0;
        const QString c = color.match(t->attributes(k, &i, &f)).captured(1);
        if (c != anterior) cerrar();
        anterior = c;
        tramo += ch;
    }
    cerrar();
    p.colores << linea;
    return p;
}
