#include "fr_Transmitir.h"
#include "ComboPuertos.h"
#include "Configuracion.h"
#include "EnlaceSerie.h"
#include "EnlaceTCP.h"
#include "Fuentes.h"
#include "Icono.h"
#include "ListaEventos.h"
#include "Module1.h"
#include "PuertoSerie.h"
#include "Twips.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

namespace {
const QString kIniciar = QStringLiteral("&Iniciar");
const QString kDetener = QStringLiteral("&Detener");
const QString kIPInicial = QStringLiteral("192.168.1.100");

void ColorLista(QListWidget* l, const QColor& texto) {
    QPalette p = l->palette();
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, texto);
    l->setPalette(p);
}

bool EsEnteroSinSigno(const QString& t) {
    static const QRegularExpression re(QStringLiteral("^[0-9]+$"));
    return re.match(t).hasMatch();
}

// Places a control in twips; small check and option boxes keep at least the
// height their text needs.
void Ubicar(QWidget* w, int x, int y, int ancho, int alto) {
    const Twips tw(w);
    const int h = std::max(tw.Px(alto), qobject_cast<QAbstractButton*>(w) ? w->sizeHint().height() : 0);
    w->setGeometry(tw.Px(x), tw.Px(y), tw.Px(ancho), h);
}

QGroupBox* Grupo(QWidget* padre, const char* nombre, const QString& titulo) {
    auto* g = new QGroupBox(titulo, padre);
    g->setObjectName(QString::fromLatin1(nombre));
    return g;
}

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto, bool derecha) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setTextFormat(Qt::PlainText);
    if (derecha) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// A right-aligned caption wider than its box grows to the left.
void AjustarIzquierda(QLabel* l) {
    const int falta = l->sizeHint().width() - l->width();
    if (falta > 0) l->setGeometry(std::max(2, l->x() - falta), l->y(), l->width() + std::min(falta, l->x() - 2), l->height());
}

QLineEdit* Campo(QWidget* padre, const char* nombre, const QString& texto, int largo, QLabel* rotulo) {
    auto* e = new QLineEdit(texto, padre);
    e->setObjectName(QString::fromLatin1(nombre));
    e->setMaxLength(largo);
    e->setAccessibleName(rotulo->text());
    rotulo->setBuddy(e);
    return e;
}

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setAutoDefault(false);
    return b;
}
}   // namespace

fr_Transmitir::fr_Transmitir(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fr_Transmitir"));
    setWindowTitle(QStringLiteral("Transmitir comandos"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(IconoOrvo());
    CrearControles();

    v_Corrida.Preparar = [this](Corrida::Ajustes* a) { return PrepararInicio(a); };
    v_Corrida.Loop = [this] { return chk_Loop->isChecked(); };
    connect(&v_Lineas, &LineasCorrida::Loguear, this, &fr_Transmitir::Loguear);
    connect(&v_Lineas, &LineasCorrida::LoguearRespuesta, this, &fr_Transmitir::LoguearRespuesta);
    connect(&v_Lineas, &LineasCorrida::LogCmd, this, &fr_Transmitir::LogCmd);
    connect(&v_Corrida, &Corrida::CambioMarcha, this, &fr_Transmitir::AlCambiarMarcha);
    connect(&v_Corrida, &Corrida::Terminada, this, &fr_Transmitir::AlTerminar);
    connect(&v_Corrida, &Corrida::Avisar, this, &fr_Transmitir::AvisarLuego);
}

fr_Transmitir::~fr_Transmitir() = default;

void fr_Transmitir::CrearControles() {
    // The controls were laid out for an 8-point sans serif; a larger default
    // font would clip their captions.
    QFont fuente = font();
    fuente.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    fuente.setPointSize(8);
    setFont(fuente);

    const Twips tw(this);
    setFixedSize(tw.Px(13830), tw.Px(6510));
    frm_Tab = new QFrame(this);
    frm_Tab->setObjectName(QStringLiteral("frm_Tab"));
    Ubicar(frm_Tab, 120, 0, 13575, 6375);

    CrearGrupoEnlace();
    CrearGrupoGeneral();
    CrearBotones();
    CrearListas();
}

void fr_Transmitir::CrearGrupoEnlace() {
    Frame1 = Grupo(frm_Tab, "Frame1", QStringLiteral("Tipo Comunicación"));
    Ubicar(Frame1, 120, 240, 2415, 1095);
    opt_RS232 = new QRadioButton(QStringLiteral("RS232"), Frame1);
    opt_RS232->setObjectName(QStringLiteral("opt_RS232"));
    Ubicar(opt_RS232, 240, 360, 1575, 195);
    opt_TCP = new QRadioButton(QStringLiteral("TCP/IP"), Frame1);
    opt_TCP->setObjectName(QStringLiteral("opt_TCP"));
    Ubicar(opt_TCP, 240, 720, 1335, 195);
    opt_RS232->setChecked(true);
    Module1::v_TipoCom = QStringLiteral("RS232");

    frm_RS232 = Grupo(frm_Tab, "frm_RS232", QStringLiteral("Parámetros de Comunicación"));
    Ubicar(frm_RS232, 120, 1440, 2415, 1215);
    Label1 = Etiqueta(frm_RS232, "Label1", QStringLiteral("Puerto:"), true);
    Ubicar(Label1, 240, 360, 615, 255);
    AjustarIzquierda(Label1);
    cmb_Port = new ComboPuertos(frm_RS232);
    cmb_Port->setObjectName(QStringLiteral("cmb_Port"));
    cmb_Port->setAccessibleName(Label1->text());
    Label1->setBuddy(cmb_Port);
    Ubicar(cmb_Port, 960, 360, 855, 315);
    // Device names are longer than "COM1": the open list may be wider than the box.
    cmb_Port->view()->setMinimumWidth(Twips(this).Px(3600));

    frm_TCP = Grupo(frm_Tab, "frm_TCP", QStringLiteral("Parámetros de Comunicación"));
    Ubicar(frm_TCP, 120, 1440, 2415, 1215);
    Label4 = Etiqueta(frm_TCP, "Label4", QStringLiteral("IP:"), false);
    Ubicar(Label4, 240, 360, 255, 255);
    txt_IP = Campo(frm_TCP, "txt_IP", kIPInicial, 15, Label4);
    Ubicar(txt_IP, 600, 360, 1335, 285);
    Label5 = Etiqueta(frm_TCP, "Label5", QStringLiteral("Puerto:"), false);
    Ubicar(Label5, 240, 720, 615, 255);
    // Five characters, not four: serial-to-Ethernet converters often listen above 9999.
    txt_Port = Campo(frm_TCP, "txt_Port", QStringLiteral("7001"), 5, Label5);
    Ubicar(txt_Port, 1320, 720, 615, 285);
    frm_TCP->hide();

    connect(opt_RS232, &QRadioButton::toggled, this, &fr_Transmitir::opt_Click);
}

void fr_Transmitir::CrearGrupoGeneral() {
    frm_Gral = Grupo(frm_Tab, "frm_Gral", QStringLiteral("Parámetros Generales"));
    Ubicar(frm_Gral, 120, 2760, 2415, 1695);
    Label3 = Etiqueta(frm_Gral, "Label3", QStringLiteral("TimeOut [ms]:"), true);
    Ubicar(Label3, 240, 360, 975, 255);
    AjustarIzquierda(Label3);
    tx_TimeOut = Campo(frm_Gral, "tx_TimeOut", QStringLiteral("100"), 4, Label3);
    Ubicar(tx_TimeOut, 1320, 360, 615, 285);
    Label2 = Etiqueta(frm_Gral, "Label2", QStringLiteral("Delay [ms]:"), true);
    Ubicar(Label2, 240, 840, 975, 255);
    AjustarIzquierda(Label2);
    tx_Delay = Campo(frm_Gral, "tx_Delay", QStringLiteral("50"), 4, Label2);
    Ubicar(tx_Delay, 1320, 840, 615, 285);
    chk_Loop = new QCheckBox(QStringLiteral("Loop"), frm_Gral);
    chk_Loop->setObjectName(QStringLiteral("chk_Loop"));
    Ubicar(chk_Loop, 840, 1320, 735, 195);
}

void fr_Transmitir::CrearBotones() {
    Frame3 = Grupo(frm_Tab, "Frame3", QString());
    Ubicar(Frame3, 120, 4560, 2415, 1695);
    btn_IniDet = Boton(Frame3, "btn_IniDet", kIniciar);
    Ubicar(btn_IniDet, 600, 240, 1215, 375);
    btn_IniDet->setDefault(true);
    btn_Limpiar = Boton(Frame3, "btn_Limpiar", QStringLiteral("&Limpiar"));
    Ubicar(btn_Limpiar, 600, 720, 1215, 375);
    btn_Cerrar = Boton(Frame3, "btn_Cerrar", QStringLiteral("&Cerrar"));
    Ubicar(btn_Cerrar, 600, 1200, 1215, 375);

    connect(btn_IniDet, &QPushButton::clicked, this, &fr_Transmitir::btn_IniDet_Click);
    connect(btn_Limpiar, &QPushButton::clicked, this, &fr_Transmitir::btn_Limpiar_Click);
    connect(btn_Cerrar, &QPushButton::clicked, this, &fr_Transmitir::btn_Cerrar_Click);
}

void fr_Transmitir::CrearListas() {
    Frame2 = Grupo(frm_Tab, "Frame2", QStringLiteral("Eventos"));
    Ubicar(Frame2, 2640, 240, 10815, 6015);
    auto lista = [&](const char* nombre, const QString& accesible, const QColor& color) {
        auto* l = new ListaEventos(kMaxLineas, Frame2);
        l->setObjectName(QString::fromLatin1(nombre));
        l->setAccessibleName(accesible);
        l->setFont(FuenteCourier(9));
        l->setTextElideMode(Qt::ElideNone);   // long lines are cut at the edge, as typed
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        ColorLista(l, color);
        return l;
    };
    lst_Cmd = lista("lst_Cmd", QStringLiteral("Eventos - comandos"), QColor(255, 255, 0));
    Ubicar(lst_Cmd, 120, 360, 3495, 5430);
    lst_Log = lista("lst_Log", QStringLiteral("Eventos - log"), QColor(0, 255, 0));
    Ubicar(lst_Log, 3600, 360, 7095, 5430);
}

void fr_Transmitir::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!v_Centrada) {
        if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
        v_Centrada = true;
    }
    // Activation: port list rebuilt, settings loaded into the fields.
    cmb_Port->clear();
    cmb_Port->Llenar();
    LeerCFG();
    tx_TimeOut->setText(QString::number(Module1::v_TimeOut));
    tx_Delay->setText(QString::number(Module1::v_Delay));
    cmb_Port->setCurrentIndex(Module1::v_Puerto);
    // A device path used last time comes back; Orvo.cfg keeps only COMn.
    const QString ruta = PuertoSerie::RutaRecordada();
    if (!ruta.isEmpty()) cmb_Port->ElegirRuta(ruta);
}

void fr_Transmitir::opt_Click() {
    const bool serie = opt_RS232->isChecked();
    frm_RS232->setVisible(serie);
    frm_TCP->setVisible(!serie);
    Module1::v_TipoCom = serie ? QStringLiteral("RS232") : QStringLiteral("TCPIP");
}

void fr_Transmitir::Loguear(const QString& v_LinLog) {
    lst_Log->Agregar(v_LinLog);
    QString motivo;
    AvisarLog(v_ArchivoLog.Agregar(Module1::v_ArchLog, v_LinLog, &motivo), motivo);
}

void fr_Transmitir::LoguearRespuesta(const QByteArray& bytes) {
    lst_Log->Agregar(ListaEventos::f_Respuesta(bytes));
    QString motivo;
    AvisarLog(v_ArchivoLog.AgregarRespuesta(Module1::v_ArchLog, bytes, &motivo), motivo);
}

void fr_Transmitir::AvisarLog(bool escrito, const QString& motivo) {
    if (escrito) {
        v_AvisadoLog = false;
        return;
    }
    // Told once; the run goes on and the lists keep showing everything.
    if (v_AvisadoLog) return;
    v_AvisadoLog = true;
    const QString ruta = Module1::v_ArchLog;
    AvisarLuego({Avisos::Icono::Advertencia, QStringLiteral("Error de archivo"),
                 QStringLiteral("No se pudo escribir en %1:\r\n%2").arg(ruta, motivo) + QStringLiteral("\r\n\r\nLa transmisión sigue; las líneas siguientes no se guardan en el archivo.")});
}

void fr_Transmitir::LogCmd(const QString& v_LinCmd) { lst_Cmd->Agregar(v_LinCmd); }

void fr_Transmitir::LeerCFG() {
    QString problema;
    if (Configuracion::LeerCFG(&problema)) {
        v_AvisadoLeer.clear();
        return;
    }
    if (problema == v_AvisadoLeer) return;
    v_AvisadoLeer = problema;
    AvisarLuego({Avisos::Icono::Advertencia, QStringLiteral("Configuración"), problema});
}

void fr_Transmitir::GrabarCFG() {
    QString problema;
    if (Configuracion::GrabarCFG(&problema)) {
        v_AvisadoGrabar = false;
        return;
    }
    if (v_AvisadoGrabar) return;
    v_AvisadoGrabar = true;
    AvisarLuego({Avisos::Icono::Advertencia, QStringLiteral("Configuración"), problema});
}

void fr_Transmitir::AvisarLuego(const Avisos::Aviso& aviso) {
    // Boxes open from the event loop, never inside a run's step.
    QTimer::singleShot(0, this, [this, aviso] { Avisos::Mostrar(this, aviso); });
}

void fr_Transmitir::Error(const QString& titulo, const QString& texto) {
    AvisarLuego({Avisos::Icono::Critico, titulo, texto});
}

std::unique_ptr<Enlace> fr_Transmitir::PrepararInicio(Corrida::Ajustes* ajustes) {
    GrabarCFG();

    const QString timeOut = tx_TimeOut->text().trimmed();
    if (!EsEnteroSinSigno(timeOut) || timeOut.toInt() > 9999) {
        Error(QStringLiteral("TimeOut inválido"),
              QStringLiteral("El TimeOut debe ser un número entero de 0 a 9999 (milisegundos)."));
        return nullptr;
    }
    std::unique_ptr<Enlace> enlace;
    if (opt_TCP->isChecked()) {
        const QString puerto = txt_Port->text().trimmed();
        if (!EsEnteroSinSigno(puerto) || puerto.toInt() < 1 || puerto.toInt() > 65535) {
            Error(QStringLiteral("Puerto inválido"), QStringLiteral("El puerto TCP debe ser un número entero de 1 a 65535."));
            return nullptr;
        }
        enlace = std::make_unique<EnlaceTCP>(txt_IP->text(), txt_Port->text());
    } else {
        const QString texto = cmb_Port->TextoPuerto();
        QString dispositivo, error;
        if (!PuertoSerie::Dispositivo(texto, &dispositivo, &error)) {
            Error(QStringLiteral("Puerto inválido"), error);
            return nullptr;
        }
        RecordarPuerto();
        enlace = std::make_unique<EnlaceSerie>(texto, dispositivo);
    }

    Module1::v_TimeOut = timeOut.toInt();
    // A device path keeps the index of the COMn entry chosen before it.
    const int indice = cmb_Port->findText(cmb_Port->currentText().trimmed(), Qt::MatchFixedString);
    Module1::v_Puerto = indice >= 0 && indice < PuertoSerie::Lista().size() ? indice : cmb_Port->IndiceCom();
    ajustes->timeOut = Module1::v_TimeOut;
    bool esNumero = false;
    const int delay = tx_Delay->text().trimmed().toInt(&esNumero);
    if (!esNumero) tx_Delay->setText(QStringLiteral("0"));
    ajustes->delay = esNumero && delay > 0 ? delay : 0;
    Module1::v_Delay = esNumero ? delay : 0;
    return enlace;
}

void fr_Transmitir::RecordarPuerto() {
    QString dispositivo, error;
    const QString texto = cmb_Port->TextoPuerto().trimmed();
    if (!PuertoSerie::Dispositivo(texto, &dispositivo, &error)) return;
    PuertoSerie::RecordarRuta(PuertoSerie::FueraDeLista(texto) ? dispositivo : QString());
}

void fr_Transmitir::btn_IniDet_Click() {
    if (btn_IniDet->text() == kDetener) {
        GrabarCFG();
        v_Corrida.Detener();
        return;
    }
    v_CierrePendiente = false;
    // A stopped run still finishing its wait or pause closes its files and
    // link first; the new run starts when it has.
    if (v_Corrida.Activa()) {
        v_InicioPendiente = true;
        return;
    }
    v_Corrida.Iniciar();
}

void fr_Transmitir::btn_Limpiar_Click() {
    lst_Log->Limpiar();
    lst_Cmd->Limpiar();
}

void fr_Transmitir::VolcarListas() {
    lst_Log->Volcar();
    lst_Cmd->Volcar();
}

void fr_Transmitir::btn_Cerrar_Click() {
    if (v_Corrida.EnMarcha()) return;
    v_InicioPendiente = false;
    if (v_Corrida.Activa()) {
        v_CierrePendiente = true;
        return;
    }
    GrabarCFG();
    if (opt_RS232->isChecked()) RecordarPuerto();
    QDialog::reject();
}

void fr_Transmitir::reject() {
    if (btn_Cerrar->isEnabled()) btn_Cerrar_Click();
}

void fr_Transmitir::AlCambiarMarcha(bool enMarcha) {
    btn_IniDet->setText(enMarcha ? kDetener : kIniciar);
    btn_Cerrar->setEnabled(!enMarcha);
    if (enMarcha) BloquearEnlace(true);
}

void fr_Transmitir::BloquearEnlace(bool bloquear) {
    Frame1->setEnabled(!bloquear);
    frm_RS232->setEnabled(!bloquear);
    frm_TCP->setEnabled(!bloquear);
}

void fr_Transmitir::AlTerminar() {
    v_ArchivoLog.Cerrar();
    VolcarListas();
    BloquearEnlace(false);
    btn_Cerrar->setEnabled(true);
    if (v_InicioPendiente) {
        v_InicioPendiente = false;
        QTimer::singleShot(0, this, [this] {
            if (!v_Corrida.Activa()) v_Corrida.Iniciar();
        });
    } else if (v_CierrePendiente) {
        v_CierrePendiente = false;
        GrabarCFG();
        QDialog::reject();
    }
}
