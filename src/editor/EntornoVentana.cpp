#include "EntornoVentana.h"
#include "Herramientas.h"
#include "Module1.h"
#include "Transmision.h"
#include "fr_Principal.h"
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>

EntornoVentana::EntornoVentana(fr_Principal& ventana) : v_(ventana) { reloj_.start(); }

bool EntornoVentana::RebanadaCumplida() {
    if (reloj_.elapsed() < kRebanadaMs) return false;
    reloj_.restart();
    return true;
}

void EntornoVentana::Ceder() {
    // A repaint per line would cost more than the line itself: yield on a time slice.
    if (!RebanadaCumplida()) return;
    // Now and then the command pane lays out what the pass rewrote so far, so
    // that a long pass does not end in one long layout. Not at every slice:
    // each layout walks the whole text.
    // A file being loaded is written apart from the widget and laid out once, at its end.
    if (volcado_.elapsed() >= kVolcadoMs && !v_.Cmd().Aparte()) {
        v_.VolcarLote();
        volcado_.restart();
    }
    v_.lbl_Info->repaint();
    QApplication::processEvents();
}

void EntornoVentana::MostrarInfo(const QString& texto) {
    v_.lbl_Info->setText(texto);
    if (RebanadaCumplida()) {
        v_.lbl_Info->repaint();
        QApplication::processEvents();
    }
}

void EntornoVentana::DebugLimpiado() { entradas_.clear(); }

void EntornoVentana::DebugAgregado(const QString& entrada) { entradas_.append(entrada); }

void EntornoVentana::VolcarDebug() {
    QListWidget* lista = v_.lst_Debug;
    const int viejas = lista->count();
    const int nuevas = static_cast<int>(entradas_.size());
    int p = 0;
    while (p < viejas && p < nuevas && lista->item(p)->text() == entradas_[p]) ++p;
    for (int i = p; i < std::min(viejas, nuevas); ++i) lista->item(i)->setText(entradas_[i]);
    while (lista->count() > nuevas) delete lista->takeItem(lista->count() - 1);
    if (nuevas > viejas) lista->addItems(entradas_.mid(viejas));
}

namespace {
// The command pane is shown as it stands while another window is up.
struct Suspension {
    fr_Principal& v;
    explicit Suspension(fr_Principal& ventana) : v(ventana) { v.SuspenderLote(); }
    ~Suspension() { v.ReanudarLote(); }
};
}  // namespace

void EntornoVentana::MostrarAyuda() {
    Suspension s(v_);
    ::MostrarAyuda(Module1::v_ArchAyuda, QStringLiteral("principal"));
}

void EntornoVentana::MostrarHerramientas() {
    Suspension s(v_);
    ::MostrarHerramientas(&v_);
}

void EntornoVentana::AvisarErrores(const QString& titulo, const QString& texto) {
    Suspension s(v_);
    v_.Avisar(QMessageBox::Critical, titulo, texto);
}

void EntornoVentana::AvisarFalloTemporales(const QString& texto) {
    Suspension s(v_);
    v_.Avisar(QMessageBox::Critical, QStringLiteral("Error"), texto);
}

void EntornoVentana::MostrarTransmision() {
    Suspension s(v_);
    v_.MostrarTransmision();
}

void EntornoVentana::SincronizaTxt() { v_.SincronizaTxt(); }
