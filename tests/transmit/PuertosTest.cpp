// The serial port list, the device path kept across starts and the hints
// for ports that cannot be opened; text from a clock or a script shown as is;
// a run over a socat pseudo-terminal pair with orvo-sim on the other end.
#include "AyudaTx.h"
#include "ComboPuertos.h"
#include "Module1.h"
#include "PuertoSerie.h"
#include "VentanaTx.h"
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

using namespace AyudaTx;
using Puertos = ConVentana;
using VentanaSerie = ConVentana;

namespace {
const char kMarcado[] = "<img src=/dev/zero>";

// A pseudo-terminal the window can open as a serial device; nobody answers.
struct Pty {
    int maestro = -1;
    QString esclavo;
    Pty() {
        maestro = posix_openpt(O_RDWR | O_NOCTTY);
        if (maestro >= 0 && grantpt(maestro) == 0 && unlockpt(maestro) == 0) esclavo = QString::fromLocal8Bit(ptsname(maestro));
    }
    ~Pty() {
        if (maestro >= 0) ::close(maestro);
    }
};

QStringList Textos(QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}
}   // namespace

TEST_F(Puertos, ListHoldsComPortsThenPresentDevicesAndIsReadAgainWhenItDropsDown) {
    QList<PuertoSerie::Disponible> presentes{
        {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART"), {QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0")}},
        {QStringLiteral("/dev/ttyACM0"), QString(), {}}};
    PuertoSerie::FijarFuente([&] { return presentes; });
    auto* cmb = v.C<ComboPuertos>("cmb_Port");
    cmb->showPopup();
    cmb->hidePopup();
    QStringList esperado = PuertoSerie::Lista();
    esperado << QStringLiteral("/dev/ttyUSB0 (FT232R USB UART)")
             << QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0")
             << QStringLiteral("/dev/ttyACM0");
    EXPECT_EQ(Textos(cmb), esperado);

    // Chosen, an entry opens its device; typed text is kept when the list is read again.
    cmb->setCurrentIndex(8);
    EXPECT_EQ(cmb->TextoPuerto(), QStringLiteral("/dev/ttyUSB0"));
    cmb->setCurrentIndex(9);
    EXPECT_EQ(cmb->TextoPuerto(), QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
    cmb->setCurrentIndex(2);
    cmb->setEditText(QStringLiteral("/dev/ttyUSB7"));
    presentes.append({QStringLiteral("/dev/ttyUSB1"), QStringLiteral("CP2102"), {}});
    cmb->showPopup();
    cmb->hidePopup();
    EXPECT_EQ(cmb->itemText(cmb->count() - 1), QStringLiteral("/dev/ttyUSB1 (CP2102)")) << "plugged in later";
    EXPECT_EQ(cmb->currentText(), QStringLiteral("/dev/ttyUSB7"));
    EXPECT_EQ(cmb->currentIndex(), 2);
}

TEST(PuertoElegido, IsOpenedAndRemembered_OrvoCfgKeepsTheComIndex) {
    Pty pty;
    ASSERT_FALSE(pty.esclavo.isEmpty());
    Carpeta c;
    c.Script({kInia}, {QStringLiteral("INIA 1")});
    Cajas cajas;
    {
        VentanaTx v;
        PuertoSerie::FijarFuente([&] { return QList<PuertoSerie::Disponible>{{pty.esclavo, QStringLiteral("Prueba"), {}}}; });
        auto* cmb = v.C<ComboPuertos>("cmb_Port");
        cmb->setCurrentIndex(4);
        cmb->showPopup();
        cmb->hidePopup();
        ASSERT_EQ(cmb->count(), 9);
        cmb->setCurrentIndex(8);
        v.Tiempos(QStringLiteral("100"), QStringLiteral("0"));
        v.Iniciar();
        ASSERT_TRUE(v.EsperarFin());
        EXPECT_TRUE(cajas.vistas.isEmpty()) << (cajas.vistas.isEmpty() ? "" : cajas.vistas[0].texto.toStdString());
        EXPECT_EQ(v.Log().value(0), QStringLiteral("> ") + kInia);
        v.Boton("btn_Cerrar")->click();
        EXPECT_EQ(c.Cfg(), QByteArray("0\r\n100\r\n4\r\n")) << "a device entry is not a COM index";
    }
    EXPECT_EQ(PuertoSerie::RutaRecordada(), pty.esclavo);

    // The next start (a new window) comes back to that device; a COM port used
    // afterwards is what the start after that shows.
    PuertoSerie::FijarFuente([&] { return QList<PuertoSerie::Disponible>{{pty.esclavo, QStringLiteral("Prueba"), {}}}; });
    fr_Transmitir w;
    w.show();
    auto* cmb = w.findChild<ComboPuertos*>(QStringLiteral("cmb_Port"));
    EXPECT_EQ(cmb->currentText(), pty.esclavo + QStringLiteral(" (Prueba)"));
    EXPECT_EQ(cmb->TextoPuerto(), pty.esclavo);
    cmb->setCurrentIndex(1);
    w.findChild<QPushButton*>(QStringLiteral("btn_Cerrar"))->click();
    EXPECT_EQ(PuertoSerie::RutaRecordada(), QString());
    w.show();
    EXPECT_EQ(cmb->currentText(), QStringLiteral("COM5")) << "index from Orvo.cfg";
    PuertoSerie::FijarFuente({});
}

TEST_F(Puertos, DeviceMissingOrNotAllowedShowsTheExactBoxWithASpanishHint) {
    c.Script({kInia}, {QStringLiteral("INIA 1")});
    const QString falta = c.Ruta(QStringLiteral("ttyUSB9"));
    v.C<QComboBox>("cmb_Port")->setEditText(falta);
    v.C<QCheckBox>("chk_Loop")->setChecked(true);   // a failed opening is not repeated
    v.Iniciar();
    ASSERT_TRUE(cajas.Esperar(1));
    ASSERT_TRUE(v.EsperarFin());
    QTest::qWait(50);
    ASSERT_EQ(cajas.vistas.size(), 1);
    EXPECT_EQ(cajas.vistas[0].icono, Avisos::Icono::Critico);
    EXPECT_EQ(cajas.vistas[0].titulo, QStringLiteral("Error de comunicación"));
    EXPECT_TRUE(cajas.vistas[0].texto.startsWith(QStringLiteral("Error al abrir el puerto ") + falta + QStringLiteral(":\r\n\r\n")))
        << cajas.vistas[0].texto.toStdString();
    EXPECT_TRUE(cajas.vistas[0].texto.contains(QStringLiteral("El dispositivo ") + falta + QStringLiteral(" no existe.")));
    EXPECT_TRUE(v.Log().isEmpty());
    EXPECT_TRUE(v.Cmd().isEmpty());
    EXPECT_FALSE(QFile::exists(Module1::v_ArchLog));
    EXPECT_EQ(v.Boton("btn_IniDet")->text(), QStringLiteral("&Iniciar"));
    EXPECT_TRUE(v.Boton("btn_Cerrar")->isEnabled());
    v.C<QCheckBox>("chk_Loop")->setChecked(false);

    if (geteuid() == 0) GTEST_SKIP() << "Running as root: every device opens, the permission hint cannot be seen.";
    const QString cerrado = c.Ruta(QStringLiteral("ttyS99"));
    QFile f(cerrado);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_TRUE(f.setPermissions(QFileDevice::Permissions()));
    v.C<QComboBox>("cmb_Port")->setEditText(cerrado);
    v.Iniciar();
    ASSERT_TRUE(cajas.Esperar(2));
    const QString texto = cajas.vistas[1].texto;
    EXPECT_TRUE(texto.startsWith(QStringLiteral("Error al abrir el puerto ") + cerrado)) << texto.toStdString();
    // The group is the device's own (dialout for real ports; here the test user's).
    EXPECT_TRUE(texto.contains(QStringLiteral("sudo usermod -aG ") + QFileInfo(cerrado).group() + QStringLiteral(" $USER")))
        << texto.toStdString();
    EXPECT_TRUE(texto.contains(QStringLiteral("dialout")));
    EXPECT_TRUE(texto.contains(QStringLiteral("sesión nueva")));
    ASSERT_TRUE(v.EsperarFin());
}

TEST_F(Puertos, MarkupFromTheScriptAndTheClockIsListedAsWritten) {
    const QString marcado = QStringLiteral("<img src=\"/dev/zero\">");
    c.Script({kInia}, {marcado});
    v.EnMemoria();
    v.TCP(7001);
    v.Tiempos(QStringLiteral("0"), QStringLiteral("0"));
    v.Iniciar();
    ASSERT_TRUE(v.ConectarYEsperar(1));
    v.enlace->Llegan(kMarcado);   // 19 bytes: a whole answer
    ASSERT_TRUE(v.EsperarFin());
    EXPECT_TRUE(v.Cmd().value(0).startsWith(marcado));
    EXPECT_EQ(v.Log().value(1), QStringLiteral("< ") + QString::fromLatin1(QByteArray(kMarcado).toHex(' ').toUpper()) +
                                    QLatin1Char(' '));
}

TEST_F(VentanaSerie, RunOverAPseudoTerminalLogsEachAnswerAndEndsWithoutHangingWhenTheDeviceGoes) {
    REQUIERE_SOCAT();
    c.Script(Repetir(kInia, 50), Repetir(QStringLiteral("INIA 1"), 50));
    auto par = std::make_unique<ParPty>();
    ASSERT_TRUE(par->Crear(c.Raiz()));
    Sim sim;
    ASSERT_TRUE(sim.IniciarSerie(par->b));
    v.C<QComboBox>("cmb_Port")->setCurrentIndex(3);
    v.C<QComboBox>("cmb_Port")->setEditText(par->a);
    v.Tiempos(QStringLiteral("1000"), QStringLiteral("50"));
    v.Iniciar();
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.Log().count(QStringLiteral("> ") + kInia) >= 2; }, 5000));
    EXPECT_EQ(v.Log().value(1).size(), 2 + 3 * 19) << "the whole answer awaited";
    par.reset();   // the device disappears
    ASSERT_TRUE(v.EsperarFin(8000)) << "the run must end";
    ASSERT_TRUE(cajas.Esperar(1));
    EXPECT_EQ(cajas.vistas[0].icono, Avisos::Icono::Critico);
    EXPECT_TRUE(cajas.vistas[0].texto.startsWith(QStringLiteral("Se perdió la comunicación con el puerto ")))
        << cajas.vistas[0].texto.toStdString();
    EXPECT_EQ(v.Cmd().count(QStringLiteral("Error de comunicación!")), 1);
    EXPECT_EQ(v.Log().size(), v.Cmd().size());
    EXPECT_EQ(c.LineasLog(), v.Log());
    EXPECT_EQ(Module1::v_Puerto, 3) << "a typed path keeps the last listed port's index";
}
