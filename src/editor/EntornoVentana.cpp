#include "EntornoVentana.h"
#include "Herramientas.h"
#include "Module1.h"
#include "TextoDeUnaFila.h"
#include "Transmision.h"
#include "fr_Principal.h"
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>

EntornoVentana::EntornoVentana(fr_Principal& ventana) : v_Ventana(ventana) { v_Reloj.start(); }

bool EntornoVentana::RebanadaCumplida() {
    if (++v_Llamadas % kLlamadasPorLectura != 0 || v_Reloj.elapsed() < kRebanadaMs) return false;
    v_Reloj.restart();
    return true;
}

void EntornoVentana::Ceder() {
    // A repaint per line would cost more than the line itself: yield on a time slice.
    if (!RebanadaCumplida()) return;
    // Now and then the command pane lays out what the pass rewrote so far, so
    // that a long pass does not end in one long layout. Not at every slice:
    // each layout walks the whole text.
    // A file being loaded is written apart from the widget and laid out once, at its end.
    if (v_Volcado.elapsed() >= kVolcadoMs && !v_Ventana.Cmd().Aparte()) {
        v_Ventana.VolcarLote();
        v_Volcado.restart();
    }
    VolcarInfo();
    v_Ventana.lbl_Info->repaint();
    QApplication::processEvents();
}

void EntornoVentana::MostrarInfo(const QString& texto) {
    // Set on the label when it is next painted: a caption per line of a long
    // pass would cost more than the line.
    v_Info = texto;
    v_InfoPendiente = true;
    if (RebanadaCumplida()) {
        VolcarInfo();
        v_Ventana.lbl_Info->repaint();
        QApplication::processEvents();
    }
}

void EntornoVentana::VolcarInfo() {
    if (!v_InfoPendiente) return;
    v_InfoPendiente = false;
    v_Ventana.lbl_Info->setText(v_Info);
}

void EntornoVentana::DebugLimpiado() { v_Entradas.clear(); }

void EntornoVentana::DebugAgregado(const QString& entrada) { v_Entradas.append(entrada); }

void EntornoVentana::Volcar() {
    VolcarInfo();
    QListWidget* lista = v_Ventana.lst_Debug;
    const int viejas = lista->count();
    const int nuevas = static_cast<int>(v_Entradas.size());
    // An entry quoting a huge line is cut: the list measures every row it paints.
    auto fila = [this](int i) { return f_TextoDeUnaFila(v_Entradas[i], kMaximoEntrada); };
    int p = 0;
    while (p < viejas && p < nuevas && lista->item(p)->text() == fila(p)) ++p;
    for (int i = p; i < std::min(viejas, nuevas); ++i) lista->item(i)->setText(fila(i));
    while (lista->count() > nuevas) delete lista->takeItem(lista->count() - 1);
    if (nuevas > viejas) {
        QStringList filas;
        filas.reserve(nuevas - viejas);
        for (int i = viejas; i < nuevas; ++i) filas.append(fila(i));
        lista->addItems(filas);
    }
}

namespace {
// The command pane is shown as it stands while another window is up.
struct Suspension {
    fr_Principal& v;
    explicit Suspension(fr_Principal& ventana, bool tomaTeclado = true) : v(ventana) { v.SuspenderLote(tomaTeclado); }
    ~Suspension() { v.ReanudarLote(); }
};
}   // namespace

void EntornoVentana::MostrarAyuda() {
    // The help window does not take the keyboard: keys typed meanwhile are
    // still the command pane's.
    Suspension s(v_Ventana, false);
    MostrarAyudaSinFoco();
    if (v_Ventana.isVisible()) v_Ventana.activateWindow();
}

void EntornoVentana::MostrarHerramientas() {
    Suspension s(v_Ventana);
    ::MostrarHerramientas(&v_Ventana);
}

void EntornoVentana::AvisarErrores(const QString& titulo, const QString& texto) {
    Suspension s(v_Ventana);
    v_Ventana.Avisar(QMessageBox::Critical, titulo, texto);
}

void EntornoVentana::AvisarFalloTemporales(const QString& texto) {
    Suspension s(v_Ventana);
    v_Ventana.Avisar(QMessageBox::Critical, QStringLiteral("Error"), texto);
}

void EntornoVentana::MostrarTransmision() {
    Suspension s(v_Ventana);
    v_Ventana.MostrarTransmision();
}

void EntornoVentana::SincronizaTxt() { v_Ventana.SincronizaTxt(); }
