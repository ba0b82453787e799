#pragma once
// The main window with its dialogs answered from queues: tests never block on one.
#include "CajaRica.h"
#include "CarpetaPrueba.h"
#include "Herramientas.h"
#include "fr_Ayuda.h"
#include "fr_Principal.h"
#include <QList>
#include <QStringList>
#include <QTest>
#include <functional>

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

    // Types into the command pane as a user would (press and release per key).
    void Escribir(const QString& texto) { QTest::keyClicks(tx_Cmd, texto); }
    void Tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(tx_Cmd, k, m); }
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
