// Faults the run must survive, and the window's own rules: files that cannot
// be written, close and start while a run is finishing, bounded lists, the
// modal showing.
#include "AyudaTx.h"
#include "CarpetaPrueba.h"
#include "Module1.h"
#include "Transmision.h"
#include "VentanaTx.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace AyudaTx;

using VentanaFallas = ConVentana;

TEST(VentanaArchivos, UnwritableCommLogAndOrvoCfgAreToldOnceAndTheRunGoesOn) {
    Carpeta c;
    c.Script(Repetir(kEhab, 4), Repetir(QStringLiteral("EHAB 1"), 4));
    const quint16 p = PuertoLibre();
    Sim sim;
    ASSERT_TRUE(sim.IniciarTCP(p));
    // A folder that is not there; FIFOs, which must never block the window;
    // links planted in a folder anyone may write to, never followed.
    const QString victima = c.Ruta(QStringLiteral("victima"));
    QFile(victima).open(QIODevice::WriteOnly);
    const QString compartida = c.Ruta(QStringLiteral("compartida"));
    ASSERT_TRUE(QDir().mkdir(compartida));
    ASSERT_EQ(::chmod(QFile::encodeName(compartida).constData(), 01777), 0);
    struct Caso {
        QString carpeta;
        std::function<void(const QString&)> poner;
        const char* motivo;
    };
    const Caso casos[] = {
        {c.Ruta(QStringLiteral("falta")), [](const QString&) {}, ""},
        {c.Raiz(), [](const QString& r) { ::mkfifo(QFile::encodeName(r).constData(), 0600); }, "FIFO"},
        {compartida, [&](const QString& r) { QFile::link(victima, r); }, "enlace simbólico"},
    };
    for (const auto& caso : casos) {
        Module1::v_ArchLog = caso.carpeta + QStringLiteral("/Comm.log");
        Module1::v_ArchCFG = caso.carpeta + QStringLiteral("/Orvo.cfg");
        Cajas cajas;
        VentanaTx v;
        caso.poner(Module1::v_ArchLog);
        caso.poner(Module1::v_ArchCFG);
        v.TCP(p);
        v.Tiempos(QStringLiteral("1000"), QStringLiteral("0"));
        v.Iniciar();
        ASSERT_TRUE(v.EsperarFin()) << caso.motivo;
        v.Iniciar();   // a second run: still told only once each
        ASSERT_TRUE(v.EsperarFin()) << caso.motivo;
        QTest::qWait(50);
        EXPECT_EQ(v.Log().count(QStringLiteral("< 06 ")), 8);
        ASSERT_EQ(cajas.vistas.size(), 2) << caso.motivo;
        EXPECT_TRUE(cajas.vistas[0].texto.contains(QStringLiteral("Orvo.cfg")));
        EXPECT_TRUE(cajas.vistas[1].texto.contains(QStringLiteral("Comm.log")));
        EXPECT_TRUE(cajas.vistas[1].texto.contains(QString::fromUtf8(caso.motivo))) << cajas.vistas[1].texto.toStdString();
        EXPECT_EQ(QFileInfo(victima).size(), 0) << "written through a planted link";
    }
}

TEST_F(VentanaFallas, BadOrvoCfgFallsBackToDefaultsAndIsToldOnce) {
    ASSERT_TRUE(CarpetaPrueba::Escribir(Module1::v_ArchCFG, "12\r\nmucho\r\n"));
    v.w.hide();
    v.w.show();
    EXPECT_EQ(v.Campo("tx_Delay")->text(), QStringLiteral("12"));
    EXPECT_EQ(v.Campo("tx_TimeOut")->text(), QStringLiteral("3000"));
    EXPECT_EQ(v.C<QComboBox>("cmb_Port")->currentIndex(), 0);
    v.w.hide();
    v.w.show();   // the same problem again: not told twice
    ASSERT_TRUE(cajas.Esperar(1));
    QTest::qWait(50);
    EXPECT_EQ(cajas.vistas.size(), 1);
    EXPECT_EQ(cajas.vistas[0].icono, Avisos::Icono::Advertencia);
}

TEST_F(VentanaFallas, CloseIsRefusedDuringARunAndStartOrCloseAfterAStopWaitForTheRunToFinish) {
    c.Script(Repetir(kEhab, 3), Repetir(QStringLiteral("EHAB 1"), 3));
    v.EnMemoria();
    v.TCP(7001);
    v.Tiempos(QStringLiteral("0"), QStringLiteral("400"));
    v.Iniciar();
    ASSERT_TRUE(v.ConectarYEsperar(1));
    v.enlace->Llegan("\x06");   // now in the 400 ms pause
    ASSERT_EQ(v.w.LaCorrida().EstadoActual(), Corrida::Estado::Pausando);
    v.w.reject();   // Esc / close box
    v.w.close();
    EXPECT_TRUE(v.w.isVisible()) << "no closing under a running run";

    v.Iniciar();   // stop: the pause still runs to its end
    EXPECT_EQ(v.Boton("btn_IniDet")->text(), QStringLiteral("&Iniciar"));
    EXPECT_TRUE(v.Boton("btn_Cerrar")->isEnabled());
    EXPECT_TRUE(v.w.LaCorrida().Activa());
    const QPointer<EnlaceMemoria> primero = v.enlace;
    v.Iniciar();   // a start now waits for the stopped run
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.enlace != primero; }, 5000));
    ASSERT_TRUE(v.ConectarYEsperar(1));
    EXPECT_EQ(v.Log().count(QStringLiteral("> ") + kEhab), 2);
    const QStringList cmd = v.Cmd();
    const int detenido = cmd.indexOf(QStringLiteral("Detenido!"));
    ASSERT_GE(detenido, 0);
    EXPECT_EQ(cmd.indexOf(QStringLiteral("EHAB 1") + kPuntosCmd, detenido), detenido + 1);

    v.Iniciar();                      // stop the second run in its wait ...
    v.Boton("btn_Cerrar")->click();   // ... and close: hidden once it has finished
    EXPECT_TRUE(v.w.isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !v.w.isVisible(); }, 5000));
    EXPECT_FALSE(v.w.LaCorrida().Activa());
    EXPECT_EQ(c.Cfg(), QByteArray("400\r\n0\r\n0\r\n"));
    EXPECT_TRUE(cajas.vistas.isEmpty());
}

TEST_F(VentanaFallas, ListsKeepTheNewestTenThousandLinesRowForRowAndTheNewestInView) {
    const int total = fr_Transmitir::kMaxLineas + 25;
    for (int i = 0; i < total; ++i) {
        v.w.Loguear(QStringLiteral("L%1").arg(i));
        v.w.LogCmd(QStringLiteral("C%1").arg(i));
    }
    QTest::qWait(60);   // scrolling follows within a time slice
    auto* log = v.C<QListWidget>("lst_Log");
    auto* cmd = v.C<QListWidget>("lst_Cmd");
    EXPECT_EQ(log->count(), fr_Transmitir::kMaxLineas);
    EXPECT_EQ(cmd->count(), fr_Transmitir::kMaxLineas);
    EXPECT_EQ(log->item(0)->text(), QStringLiteral("L25"));
    EXPECT_EQ(cmd->item(0)->text(), QStringLiteral("C25"));
    EXPECT_EQ(c.LineasLog().size(), total) << "Comm.log keeps everything";
    EXPECT_EQ(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
    EXPECT_GT(log->verticalScrollBar()->maximum(), 0);

    v.Boton("btn_Limpiar")->click();
    EXPECT_EQ(log->count(), 0);
    EXPECT_EQ(cmd->count(), 0);
    for (int i = 0; i < 10; ++i) v.w.Loguear(QStringLiteral("x"));
    QTest::qWait(60);
    EXPECT_EQ(log->verticalScrollBar()->value(), 0) << "ten lines never scroll";
    EXPECT_EQ(c.LineasLog().size(), total + 10);
}

TEST_F(VentanaFallas, ControlsCarryAccessibleNamesAndTheLinkOptionSwapsTheFrames) {
    const struct {
        const char* control;
        const char* nombre;
    } nombres[] = {
        {"tx_TimeOut", "TimeOut [ms]:"},
        {"tx_Delay", "Delay [ms]:"},
        {"cmb_Port", "Puerto:"},
        {"txt_IP", "IP:"},
        {"txt_Port", "Puerto:"},
        {"lst_Cmd", "Eventos - comandos"},
        {"lst_Log", "Eventos - log"},
    };
    for (const auto& n : nombres)
        EXPECT_EQ(v.C<QWidget>(n.control)->accessibleName(), QString::fromUtf8(n.nombre)) << n.control;
    EXPECT_TRUE(v.Boton("btn_IniDet")->isDefault());
    EXPECT_EQ(v.C<QLineEdit>("tx_TimeOut")->maxLength(), 4);
    // Option buttons swap the parameter frames and set the link mode.
    v.C<QRadioButton>("opt_TCP")->setChecked(true);
    EXPECT_EQ(Module1::v_TipoCom, QStringLiteral("TCPIP"));
    EXPECT_TRUE(v.C<QWidget>("frm_TCP")->isVisible());
    EXPECT_FALSE(v.C<QWidget>("frm_RS232")->isVisible());
    v.C<QRadioButton>("opt_RS232")->setChecked(true);
    EXPECT_EQ(Module1::v_TipoCom, QStringLiteral("RS232"));
}

TEST(Transmision, MostrarTransmitirShowsOneWindowModallyAndKeepsItsLists) {
    Cajas cajas;
    QWidget* vista = nullptr;
    for (int vez = 0; vez < 2; ++vez) {
        QTimer::singleShot(0, [&, vez] {
            auto* w = qobject_cast<fr_Transmitir*>(QApplication::activeModalWidget());
            if (!w) return;
            if (vez == 0) {
                vista = w;
                w->LogCmd(QStringLiteral("queda"));
            } else {
                EXPECT_EQ(w, vista) << "the same window again";
                w->VolcarListas();
                EXPECT_EQ(w->findChild<QListWidget*>(QStringLiteral("lst_Cmd"))->count(), 1);
            }
            w->findChild<QPushButton*>(QStringLiteral("btn_Cerrar"))->click();
        });
        MostrarTransmitir(nullptr);
    }
    EXPECT_NE(vista, nullptr);
    EXPECT_FALSE(vista->isVisible());
}
