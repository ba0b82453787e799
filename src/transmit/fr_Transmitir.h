#pragma once
#include "Avisos.h"
#include "Corrida.h"
#include "LineasCorrida.h"
#include <QDialog>

class ComboPuertos;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class ListaEventos;
class QPushButton;
class QRadioButton;

// The transmission window: link choice and parameters, timing fields, the
// start/stop, clear and close buttons and the two event lists. It drives a
// Corrida and shows what it logs.
class fr_Transmitir : public QDialog {
    Q_OBJECT
public:
    // Lines kept in each list; Comm.log keeps everything.
    static constexpr int kMaxLineas = 10000;

    explicit fr_Transmitir(QWidget* padre = nullptr);
    ~fr_Transmitir() override;

    Corrida& LaCorrida() { return v_Corrida; }
    LineasCorrida& LasLineas() { return v_Lineas; }

    void Loguear(const QString& v_LinLog);
    void LoguearRespuesta(const QByteArray& bytes);
    void LogCmd(const QString& v_LinCmd);
    // Shows the lines added in the current time slice at once.
    void VolcarListas();

public Q_SLOTS:
    void reject() override;   // Esc and the title-bar close box act as btn_Cerrar

protected:
    void showEvent(QShowEvent* e) override;

private:
    void CrearControles();
    void CrearGrupoEnlace();
    void CrearGrupoGeneral();
    void CrearBotones();
    void CrearListas();
    void RecordarPuerto();
    void btn_IniDet_Click();
    void btn_Limpiar_Click();
    void btn_Cerrar_Click();
    void opt_Click();
    void AlCambiarMarcha(bool enMarcha);
    void AlTerminar();
    std::unique_ptr<Enlace> PrepararInicio(Corrida::Ajustes* ajustes);
    void LeerCFG();
    void GrabarCFG();
    void AvisarLuego(const Avisos::Aviso& aviso);
    void AvisarLog(bool escrito, const QString& motivo);
    void Error(const QString& titulo, const QString& texto);
    void BloquearEnlace(bool bloquear);

    Corrida v_Corrida;
    LineasCorrida v_Lineas{v_Corrida};
    bool v_AvisadoLog = false;
    bool v_InicioPendiente = false;
    bool v_CierrePendiente = false;
    bool v_Centrada = false;
    bool v_AvisadoGrabar = false;
    QString v_AvisadoLeer;

    QFrame* frm_Tab = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* opt_RS232 = nullptr;
    QRadioButton* opt_TCP = nullptr;
    QGroupBox* frm_RS232 = nullptr;
    QLabel* Label1 = nullptr;
    ComboPuertos* cmb_Port = nullptr;
    QGroupBox* frm_TCP = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txt_IP = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txt_Port = nullptr;
    QGroupBox* frm_Gral = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* tx_TimeOut = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* tx_Delay = nullptr;
    QCheckBox* chk_Loop = nullptr;
    QGroupBox* Frame3 = nullptr;
    QPushButton* btn_IniDet = nullptr;
    QPushButton* btn_Limpiar = nullptr;
    QPushButton* btn_Cerrar = nullptr;
    QGroupBox* Frame2 = nullptr;
    ListaEventos* lst_Cmd = nullptr;
    ListaEventos* lst_Log = nullptr;
};
