#pragma once
#include "Codificacion.h"
#include "Compilador.h"
#include "EntornoVentana.h"
#include "EtiquetaInfo.h"
#include "EtiquetaRuta.h"
#include "HistoriaEdiciones.h"
#include "PanelEspejo.h"
#include "PanelRico.h"
#include "Twips.h"
#include <QMainWindow>
#include <QMessageBox>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class CajaRica;
class EtiquetaLineas;

// The main window: command pane, code pane, line-number gutter, tip pane and
// debug list; the file commands; the keyboard handling that decides when to
// compile and keeps the panes side by side.
class fr_Principal : public QMainWindow {
    Q_OBJECT
public:
    explicit fr_Principal(QWidget* padre = nullptr);
    ~fr_Principal() override;

    // ---- Controls ----
    QFrame* frm_Tab = nullptr;
    QLabel* Label8 = nullptr;
    EtiquetaLineas* tx_NroLin = nullptr;
    QLabel* Label5 = nullptr;
    CajaRica* tx_Cmd = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    VistaCodigo* tx_Cod = nullptr;
    CajaRica* tx_Tip = nullptr;
    QLabel* Label4 = nullptr;
    QListWidget* lst_Debug = nullptr;
    EtiquetaRuta* tx_Arch = nullptr;
    EtiquetaInfo* lbl_Info = nullptr;
    QMenu* mn_Archivo = nullptr;
    QAction* mn_Nuevo = nullptr;
    QAction* mn_Abrir = nullptr;
    QAction* mn_Guardar = nullptr;
    QAction* mn_Salir = nullptr;
    QMenu* mn_Ayuda = nullptr;
    QAction* mn_Contenido = nullptr;
    QAction* mn_Acerca = nullptr;

    // The panes as the compiler and the tips see them.
    PanelRico& Cmd() { return *v_PCmd; }
    PanelEspejo& Cod() { return *v_PCod; }
    PanelRico& Tip() { return *v_PTip; }
    Compilador& Comp() { return *v_Compilador; }

    // ---- Editor state (the rest lives in the Compilador) ----
    int PriLinCmd = 0;
    int PriLinCod = 0;
    int LastSelLen = 0;
    bool v_PrimerUso = true;
    int HelpContextID = 1;

    // ---- File commands ----
    void mn_Nuevo_Click();
    void mn_Abrir_Click();
    bool mn_Guardar_Click();   // true when the file was written
    void mn_Salir_Click();
    // Opens a command file (the open command after its dialog).
    bool AbrirArchivo(const QString& ruta);
    // "orvo ARCHIVO": the open command with the file already chosen.
    bool AbrirAlInicio(const QString& ruta);

    // ---- Keyboard handling ----
    void tx_Cmd_KeyDown(int codigo, int shift);
    void tx_Cmd_KeyUp(int codigo, int shift);
    void tx_Cmd_MouseDown();
    void tx_Cmd_MouseUp();
    void tx_Cmd_SelChange();
    void tx_Tip_GotFocus();
    // Undo and redo by the user's edits (see HistoriaEdiciones).
    void Deshacer();
    void Rehacer();
    // An edit that changed more than the caret's line (a cut, a paste over a
    // selection or with the mouse, a drop) runs a pass at once.
    void RevisarCambio();
    void SincronizaTxt();
    void ActualizaNumerosLinea();
    // The compile pass, never entered twice; input to the command pane waits.
    void CompilarLineas(bool v_Cargando = false);
    int Pasadas() const { return v_Pasadas; }   // passes run so far
    // Around the windows and boxes that the action words open mid-pass.
    // tomaTeclado: the window takes the keyboard, so keys typed before it
    // opened are dropped.
    void SuspenderLote(bool tomaTeclado = true);
    void ReanudarLote();
    // On each time slice of a long pass or load: lay out and show what the
    // batch holds so far, so that no single layout stalls the window.
    void VolcarLote();

    // ---- Dialogs, overridable so that tests never block on one ----
    virtual QString PedirArchivo(bool guardar);
    virtual QMessageBox::StandardButton Preguntar(QMessageBox::Icon icono, const QString& titulo,
                                                  const QString& texto, QMessageBox::StandardButtons botones,
                                                  QMessageBox::StandardButton porDefecto);
    virtual void Avisar(QMessageBox::Icon icono, const QString& titulo, const QString& texto);
    virtual void MostrarTransmision();

    Codificacion::Tipo CodificacionArchivo() const { return v_Codificacion; }
    const Twips& Escala() const { return v_Twips; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void CrearControles();
    void CrearGutter();
    void CrearPaneles();
    void CrearTip();
    void CrearDebug();
    void CrearFilaEstado(QWidget* cliente);
    void CrearMenus();
    void Form_Load();
    // Ask to save: false ends the command (Cancel, or Yes without a saved file).
    bool PreguntarGuardar();
    // The text as it stands starts the history: nothing before it is undone.
    void HistoriaNueva();
    // A pass that no key asked for (after an undo, a paste with the mouse):
    // the chain from linea (-1: none); the caret's line becomes the line of
    // the last key.
    void CompilarDesde(int linea);
    void CargarLineas(const QStringList& lineas);
    // New and open: command pane, code pane and debug list emptied.
    void VaciarPaneles();
    bool Ocupado() const;
    void ProponerArgs();
    int FilasGutter() const;   // rows the gutter numbers

    Twips v_Twips;
    int v_AlturaFila = 15;
    std::unique_ptr<PanelRico> v_PCmd, v_PTip;
    std::unique_ptr<PanelEspejo> v_PCod;
    std::unique_ptr<EntornoVentana> v_Entorno;
    std::unique_ptr<Compilador> v_Compilador;
    std::unique_ptr<HistoriaEdiciones> v_Historia;
    bool v_RevisionPedida = false;
    Codificacion::Tipo v_Codificacion = Codificacion::Tipo::Windows1252;
    bool v_ConBom = false;
    bool v_CargandoArchivo = false;
    int v_Pasadas = 0;
    std::vector<int> v_Suspendidos;   // batch levels ended while a window is up
};
