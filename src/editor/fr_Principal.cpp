#include "fr_Principal.h"
#include "CajaRica.h"
#include "DialogoArchivo.h"
#include "EtiquetaLineas.h"
#include "EtiquetaRuta.h"
#include "Fuentes.h"
#include "GlobosLlanos.h"
#include "Herramientas.h"
#include "Icono.h"
#include "Lineas.h"
#include "Module1.h"
#include "TablaComandos.h"
#include "Transmision.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

namespace {
const QString kCRLF = QStringLiteral("\r\n");
const QColor kAmarilloClaro(255, 255, 192);
const QColor kVerdeOscuro(0, 128, 0);

QLabel* Etiqueta(QWidget* padre, const QString& texto, const QRect& r, Qt::Alignment alineacion = Qt::AlignLeft) {
    auto* l = new QLabel(texto, padre);
    l->setGeometry(r);
    l->setFont(FuenteEtiqueta(8.25));
    l->setAlignment(alineacion | Qt::AlignVCenter);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// Message boxes show their text as written: file names and lines quoted in
// them are never read as markup.
void TextoLlano(QMessageBox& caja) { caja.setTextFormat(Qt::PlainText); }
}   // namespace

fr_Principal::fr_Principal(QWidget* padre)
    : QMainWindow(padre, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    v_Twips = Twips(this);
    GlobosLlanos::Instalar();
    setWindowIcon(IconoOrvo());
    v_AlturaFila = v_Twips.Px(225);
    CrearControles();
    CrearMenus();
    v_Entorno = std::make_unique<EntornoVentana>(*this);
    v_Compilador = std::make_unique<Compilador>(*v_PCmd, *v_PCod, *v_Entorno);
    v_Compilador->SetRecordar(true);
    v_Historia = std::make_unique<HistoriaEdiciones>(tx_Cmd);
    Form_Load();
}

fr_Principal::~fr_Principal() = default;

void fr_Principal::CrearControles() {
    auto* cliente = new QWidget(this);
    cliente->setFixedSize(v_Twips.Px(10695), v_Twips.Px(6795));
    setCentralWidget(cliente);

    frm_Tab = new QFrame(cliente);
    frm_Tab->setFrameShape(QFrame::NoFrame);
    frm_Tab->setGeometry(v_Twips.Rect(120, 0, 10455, 6375));

    CrearGutter();
    CrearPaneles();
    CrearTip();
    CrearDebug();
    CrearFilaEstado(cliente);

    connect(tx_Cmd, &CajaRica::TeclaAbajo, this, &fr_Principal::tx_Cmd_KeyDown);
    connect(tx_Cmd, &CajaRica::TeclaArriba, this, &fr_Principal::tx_Cmd_KeyUp);
    connect(tx_Cmd, &CajaRica::RatonAbajo, this, &fr_Principal::tx_Cmd_MouseDown);
    connect(tx_Cmd, &CajaRica::RatonArriba, this, &fr_Principal::tx_Cmd_MouseUp);
    connect(tx_Cmd, &QTextEdit::cursorPositionChanged, this, &fr_Principal::tx_Cmd_SelChange);
    connect(tx_Cmd, &QTextEdit::selectionChanged, this, &fr_Principal::tx_Cmd_SelChange);
    connect(tx_Cmd, &QTextEdit::textChanged, this, &fr_Principal::tx_Cmd_SelChange);
    connect(tx_Tip, &CajaRica::FocoRecibido, this, &fr_Principal::tx_Tip_GotFocus);
    connect(tx_Cmd, &CajaRica::Deshacer, this, &fr_Principal::Deshacer);
    connect(tx_Cmd, &CajaRica::Rehacer, this, &fr_Principal::Rehacer);
    // Checked once the event that made the edit is over, whatever it was.
    v_PCmd->SetAlCambiarVarias([this] {
        if (v_RevisionPedida) return;
        v_RevisionPedida = true;
        QMetaObject::invokeMethod(
            this, [this] {
                v_RevisionPedida = false;
                RevisarCambio();
            },
            Qt::QueuedConnection);
    });
}

void fr_Principal::CrearGutter() {
    Label8 = Etiqueta(frm_Tab, QStringLiteral("Línea"), v_Twips.Rect(120, 360, 495, 255), Qt::AlignRight);

    tx_NroLin = new EtiquetaLineas(frm_Tab);
    tx_NroLin->setGeometry(v_Twips.Rect(120, 600, 615, 4150));
    tx_NroLin->setFont(FuenteCourier(9));
    tx_NroLin->setAlignment(Qt::AlignRight | Qt::AlignTop);
    QPalette pg = tx_NroLin->palette();
    pg.setColor(QPalette::Window, kAmarilloClaro);
    pg.setColor(QPalette::WindowText, kVerdeOscuro);
    tx_NroLin->setPalette(pg);
    tx_NroLin->setAccessibleName(QStringLiteral("Línea"));
}

void fr_Principal::CrearPaneles() {
    Label5 = Etiqueta(frm_Tab, QStringLiteral("Comandos"), v_Twips.Rect(840, 360, 1575, 255));
    Label6 = Etiqueta(frm_Tab, QStringLiteral("Código"), v_Twips.Rect(4680, 360, 1575, 255));

    // Lies under the code pane; seen while the pass hides the pane.
    Label7 = new QLabel(QStringLiteral("                         Actualizando ..."), frm_Tab);
    Label7->setGeometry(v_Twips.Rect(4560, 600, 5535, 4335));
    Label7->setFont(FuenteEtiqueta(12, true));
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label7->setTextFormat(Qt::PlainText);

    const double ppt = v_Twips.pxPorTwip;
    // The command and code panes: their font, one background for the text
    // and the strip under it, black text, rows of one height.
    auto panel = [&](CajaRica* caja, const QString& nombre, const QColor& fondo, int l, int t, int w, int h) {
        // Both panes always keep room for a horizontal scroll bar, so that
        // they show the same rows whether or not a line is wider than its
        // pane: every command row shown has its code line beside it.
        caja->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        caja->setFont(FuenteCourier(9));
        caja->document()->setDefaultFont(FuenteCourier(9));
        caja->document()->setDocumentMargin(2);
        QPalette paleta = caja->palette();
        paleta.setColor(QPalette::Base, fondo);
        paleta.setColor(QPalette::Window, fondo);   // the strip under the text
        paleta.setColor(QPalette::Text, Qt::black);
        caja->setPalette(paleta);
        caja->setAccessibleName(nombre);
        auto p = std::make_unique<PanelRico>(caja, ppt);
        p->Colocar(l, t, w, h);
        p->SetAlturaFila(v_AlturaFila);
        p->AjustarAFilas();
        caja->setAutoFillBackground(true);
        return p;
    };

    tx_Cmd = new CajaRica(frm_Tab);
    v_PCmd = panel(tx_Cmd, QStringLiteral("Comandos"), Qt::white, 720, 600, 3855, 4400);

    // The code pane paints its rows from its model; it looks as the command pane does.
    tx_Cod = new VistaCodigo(frm_Tab);
    tx_Cod->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tx_Cod->setFont(FuenteCourier(9));
    QPalette paleta = tx_Cod->palette();
    const QColor fondo = paleta.color(QPalette::Button);
    paleta.setColor(QPalette::Base, fondo);
    paleta.setColor(QPalette::Window, fondo);   // the strip under the text
    paleta.setColor(QPalette::Text, Qt::black);
    tx_Cod->setPalette(paleta);
    tx_Cod->setAccessibleName(QStringLiteral("Código"));
    tx_Cod->setAutoFillBackground(true);
    v_PCod = std::make_unique<PanelEspejo>(*tx_Cod, ppt);
    v_PCod->Colocar(4560, 600, 5655, 4400);
    tx_Cod->SetAlturaFila(v_AlturaFila);

    // The gutter's rows start where the command pane's first row does, and
    // it is tall enough to number every row the pane shows.
    const int desplazamiento = tx_Cmd->frameWidth() + static_cast<int>(tx_Cmd->document()->documentMargin());
    tx_NroLin->SetFilas(v_AlturaFila, desplazamiento);
    const int alto = desplazamiento + FilasGutter() * v_AlturaFila;
    if (tx_NroLin->height() < alto) tx_NroLin->resize(tx_NroLin->width(), alto);
}

void fr_Principal::CrearTip() {
    tx_Tip = new CajaRica(frm_Tab);
    tx_Tip->setReadOnly(true);
    tx_Tip->setFrameShape(QFrame::Box);
    tx_Tip->setLineWidth(1);
    tx_Tip->document()->setDocumentMargin(0);
    tx_Tip->document()->setUndoRedoEnabled(false);
    tx_Tip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tx_Tip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette pt = tx_Tip->palette();
    pt.setColor(QPalette::Base, kAmarilloClaro);
    pt.setColor(QPalette::Text, Qt::black);
    tx_Tip->setPalette(pt);
    tx_Tip->setAccessibleName(QStringLiteral("Tips"));
    // It floats over the command pane's rows: a click there goes through to
    // the row beneath, and its text is never selected (nor made the X
    // selection that a middle click would paste into the script).
    tx_Tip->setAttribute(Qt::WA_TransparentForMouseEvents);
    tx_Tip->setTextInteractionFlags(Qt::NoTextInteraction);
    tx_Tip->setFocusPolicy(Qt::NoFocus);
    tx_Tip->setFont(FuenteCourier(9));
    tx_Tip->document()->setDefaultFont(FuenteCourier(9));
    v_PTip = std::make_unique<PanelRico>(tx_Tip, v_Twips.pxPorTwip);
    v_PTip->Colocar(840, 1320, 3615, 255);
    tx_Tip->setFont(FuenteAngosta());
    tx_Tip->document()->setDefaultFont(FuenteAngosta());
    v_PTip->SetText(QStringLiteral("Tips"));
    tx_Tip->hide();
}

void fr_Principal::CrearDebug() {
    Label4 = Etiqueta(frm_Tab, QStringLiteral("Debug"), v_Twips.Rect(720, 5160, 1335, 255));

    lst_Debug = new QListWidget(frm_Tab);
    lst_Debug->setGeometry(v_Twips.Rect(720, 5400, 9495, 780));
    // One row height for all: thousands of entries are not measured one by one.
    lst_Debug->setUniformItemSizes(true);
    QFont fd = FuenteCourier(9);
    fd.setItalic(true);
    lst_Debug->setFont(fd);
    QPalette pd = lst_Debug->palette();
    pd.setColor(QPalette::Text, QColor(255, 0, 0));
    lst_Debug->setPalette(pd);
    lst_Debug->setAccessibleName(QStringLiteral("Debug"));
}

void fr_Principal::CrearFilaEstado(QWidget* cliente) {
    // The two labels share the row; each paints its own background, so the
    // progress line covers the part of the file name under it.
    tx_Arch = new EtiquetaRuta(cliente);
    tx_Arch->setGeometry(v_Twips.Rect(120, 6480, 10335, 255));
    tx_Arch->setFont(FuenteEtiqueta(8.25));
    tx_Arch->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lbl_Info = new EtiquetaInfo(cliente);
    lbl_Info->setGeometry(v_Twips.Rect(6480, 6480, 4095, 255));
    lbl_Info->setFont(FuenteEtiqueta(8.25));
    lbl_Info->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbl_Info->setText(QStringLiteral("Info"));
    lbl_Info->setAutoFillBackground(true);
    tx_Arch->SetAnchoLibre(lbl_Info->x() - tx_Arch->x());
}

void fr_Principal::VaciarPaneles() {
    Cmd().SetText(QString());
    Cod().SetText(QString());
    // Its entries name lines that are gone.
    v_Entorno->DebugLimpiado();
    lst_Debug->clear();
    HistoriaNueva();
}

void fr_Principal::HistoriaNueva() {
    v_Historia->Reiniciar();
    Cmd().OlvidarVarias();
}

void fr_Principal::CrearMenus() {
    QStyle* s = style();
    mn_Archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    mn_Nuevo = mn_Archivo->addAction(s->standardIcon(QStyle::SP_FileIcon), QStringLiteral("&Nuevo"));
    mn_Abrir = mn_Archivo->addAction(s->standardIcon(QStyle::SP_DialogOpenButton), QStringLiteral("&Abrir"));
    mn_Guardar = mn_Archivo->addAction(s->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("&Guardar"));
    mn_Archivo->addSeparator();
    mn_Salir = mn_Archivo->addAction(QStringLiteral("&Salir"));
    mn_Ayuda = menuBar()->addMenu(QStringLiteral("Ay&uda"));
    mn_Contenido = mn_Ayuda->addAction(s->standardIcon(QStyle::SP_DialogHelpButton), QStringLiteral("&Contenido"));
    mn_Ayuda->addSeparator();
    mn_Acerca = mn_Ayuda->addAction(QStringLiteral("Ace&rca de ..."));

    connect(mn_Nuevo, &QAction::triggered, this, &fr_Principal::mn_Nuevo_Click);
    connect(mn_Abrir, &QAction::triggered, this, &fr_Principal::mn_Abrir_Click);
    connect(mn_Guardar, &QAction::triggered, this, [this] { mn_Guardar_Click(); });
    connect(mn_Salir, &QAction::triggered, this, &fr_Principal::mn_Salir_Click);
    connect(mn_Contenido, &QAction::triggered, this,
            [] { MostrarAyuda(Module1::v_ArchAyuda, QStringLiteral("principal")); });
    connect(mn_Acerca, &QAction::triggered, this, [this] { MostrarAcerca(this); });

    // F1: the help page of the command being typed (the help context number).
    auto* f1 = new QAction(this);
    f1->setShortcut(QKeySequence(Qt::Key_F1));
    f1->setShortcutContext(Qt::WindowShortcut);
    addAction(f1);
    connect(f1, &QAction::triggered, this, [this] { MostrarAyudaEnPagina(PaginaDeTopico(HelpContextID)); });
}

void fr_Principal::Form_Load() {
    setWindowTitle(QStringLiteral("Orvo - Interfaz de Comandos v") + Module1::Version());

    tx_Arch->setText(QStringLiteral("[Archivo nuevo]"));
    Comp().v_ChangeText = false;
    Comp().PriCarCmd = -1;
    Comp().LonLinCmd = -1;

    PriLinCmd = 0;
    ActualizaNumerosLinea();

    Cmd().SetText(QStringLiteral("Escriba aqui los comandos ...") + kCRLF + kCRLF +
                  QStringLiteral("Presione F1 o escriba '?' [Enter]") + kCRLF + QStringLiteral("para ver la ayuda"));
    Cmd().SetSelStart(0);
    Cmd().SetSelLength(Cmd().Length());
    Cmd().SetSelColor(Colores::Gris);
    Cmd().SetSelStart(0);
    HistoriaNueva();
    v_PrimerUso = true;
    Comp().v_ChangeText = false;

    Module1::v_Modificado = false;
    Module1::v_TipoCom = QStringLiteral("RS232");
    mn_Guardar->setEnabled(false);

    // Fixed size, centred on the screen.
    setFixedSize(centralWidget()->width(), centralWidget()->height() + menuBar()->sizeHint().height());
    if (QScreen* pantalla = screen()) move(pantalla->availableGeometry().center() - rect().center());
    tx_Cmd->setFocus();
}

bool fr_Principal::AbrirAlInicio(const QString& ruta) {
    if (Ocupado() || !PreguntarGuardar()) return false;
    // As the dialog would give it: a full path, shown as such in tx_Arch.
    return AbrirArchivo(QFileInfo(ruta).absoluteFilePath());
}

// ---- Dialogs ----

QString fr_Principal::PedirArchivo(bool guardar) {
    const QString carpeta = Module1::CarpetaDatos();
    const QString filtro = QStringLiteral("Archivos de texto (*.txt)");
    QFileDialog dialogo(this, guardar ? QStringLiteral("Guardar como") : QStringLiteral("Abrir"), carpeta, filtro);
    PrepararDialogoArchivo(dialogo, guardar);
    if (dialogo.exec() != QDialog::Accepted) return {};
    return dialogo.selectedFiles().value(0);
}

QMessageBox::StandardButton fr_Principal::Preguntar(QMessageBox::Icon icono, const QString& titulo,
                                                    const QString& texto, QMessageBox::StandardButtons botones,
                                                    QMessageBox::StandardButton porDefecto) {
    QMessageBox caja(icono, titulo, texto, botones, this);
    TextoLlano(caja);
    caja.setDefaultButton(porDefecto);
    caja.setEscapeButton(botones & QMessageBox::Cancel ? QMessageBox::Cancel : QMessageBox::No);
    return static_cast<QMessageBox::StandardButton>(caja.exec());
}

void fr_Principal::Avisar(QMessageBox::Icon icono, const QString& titulo, const QString& texto) {
    QMessageBox caja(icono, titulo, texto, QMessageBox::Ok, this);
    TextoLlano(caja);
    caja.exec();
}

void fr_Principal::MostrarTransmision() { MostrarTransmitir(this); }

// ---- Closing ----

void fr_Principal::closeEvent(QCloseEvent* e) {
    // Closing mid-pass would pull the window from under it; closing with
    // unsaved changes asks first, as the exit command does.
    if (Ocupado() || !PreguntarGuardar()) {
        e->ignore();
        return;
    }
    e->accept();
    QCoreApplication::quit();
}
