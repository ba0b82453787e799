// Whole runs through the window over TCP against orvo-sim on 127.0.0.1.
#include "AyudaTx.h"
#include "CarpetaPrueba.h"
#include "Module1.h"
#include "VentanaTx.h"
#include <QFile>
#include <QTcpServer>
#include <gtest/gtest.h>

using namespace AyudaTx;

TEST_F(VentanaConSim, RunLogsEveryFrameAndAnswerInBothListsAndCommLog) {
    const QStringList tramas{kInia, kLreg, QStringLiteral("06"), QStringLiteral("06"), kEhab};
    const QStringList comandos{QStringLiteral("INIA 1"), QStringLiteral("LREG 1"), QStringLiteral("ACK"), QStringLiteral("ACK"), QStringLiteral("EHAB 1")};
    ASSERT_TRUE(Preparar(tramas, comandos, "2000", "0"));
    v.Iniciar();
    EXPECT_EQ(v.Boton("btn_IniDet")->text(), QStringLiteral("&Detener"));
    EXPECT_FALSE(v.Boton("btn_Cerrar")->isEnabled());
    EXPECT_FALSE(v.C<QRadioButton>("opt_RS232")->isEnabled()) << "link choice locked during a run";
    ASSERT_TRUE(v.EsperarFin());
    EXPECT_TRUE(cajas.vistas.isEmpty());
    EXPECT_EQ(v.Boton("btn_IniDet")->text(), QStringLiteral("&Iniciar"));
    EXPECT_TRUE(v.Boton("btn_Cerrar")->isEnabled());

    const QStringList log = v.Log();
    ASSERT_EQ(log.size(), 12);
    const int largos[] = {19, 19, 18, 18, 1};
    QStringList cmd;
    for (int i = 0; i < 5; ++i) {
        cmd << comandos[i] + kPuntosCmd << kRespuesta;
        EXPECT_EQ(log[2 * i], QStringLiteral("> ") + tramas[i]);
        EXPECT_TRUE(log[2 * i + 1].startsWith(QStringLiteral("< ")));
        EXPECT_EQ(log[2 * i + 1].size(), 2 + 3 * largos[i]) << log[2 * i + 1].toStdString();
    }
    EXPECT_EQ(log[9], QStringLiteral("< 06 "));
    EXPECT_EQ(log[10], QString());
    EXPECT_EQ(log[11], QString());
    EXPECT_EQ(v.Cmd(), cmd << QStringLiteral("-- Fin de archivo --") << QString());
    EXPECT_EQ(c.LineasLog(), log) << "Comm.log holds exactly the log list's lines";
}

TEST_F(VentanaConSim, ConfigurationIsReadOnShowAndWrittenWithPreviousValuesAtStartThenAtClose) {
    EXPECT_EQ(v.Campo("tx_TimeOut")->text(), QStringLiteral("3000"));
    EXPECT_EQ(v.Campo("tx_Delay")->text(), QStringLiteral("500"));
    EXPECT_EQ(v.C<QComboBox>("cmb_Port")->currentText(), QStringLiteral("COM1"));
    EXPECT_FALSE(QFile::exists(Module1::v_ArchCFG));

    ASSERT_TRUE(Preparar({kEhab}, {QStringLiteral("EHAB 1")}, "2000", "x"));
    v.C<QComboBox>("cmb_Port")->setCurrentIndex(2);
    v.Iniciar();
    EXPECT_EQ(c.Cfg(), QByteArray("500\r\n3000\r\n0\r\n")) << "written before the fields are read";
    EXPECT_EQ(v.Campo("tx_Delay")->text(), QStringLiteral("0")) << "a delay that is not a number is none";
    ASSERT_TRUE(v.EsperarFin());
    v.Tiempos(QStringLiteral("2000"), QStringLiteral("-5"));   // a negative pause is none, saved as typed
    v.Iniciar();
    ASSERT_TRUE(v.EsperarFin());
    v.Boton("btn_Cerrar")->click();
    EXPECT_FALSE(v.w.isVisible());
    EXPECT_EQ(c.Cfg(), QByteArray("-5\r\n2000\r\n2\r\n"));

    // Shown again: fields and port from the file, a negative pause accepted;
    // link, address and lists kept.
    ASSERT_TRUE(CarpetaPrueba::Escribir(Module1::v_ArchCFG, "-5\r\n900\r\n5\r\n"));
    v.w.show();
    EXPECT_EQ(v.Campo("tx_TimeOut")->text(), QStringLiteral("900"));
    EXPECT_EQ(v.Campo("tx_Delay")->text(), QStringLiteral("-5"));
    EXPECT_EQ(v.C<QComboBox>("cmb_Port")->currentText(), QStringLiteral("COM6"));
    EXPECT_EQ(v.C<QComboBox>("cmb_Port")->count(), 8);
    EXPECT_TRUE(v.C<QRadioButton>("opt_TCP")->isChecked());
    EXPECT_EQ(v.Campo("txt_Port")->text(), QString::number(p));
    EXPECT_EQ(v.Log().size(), 8);
    QTest::qWait(30);
    EXPECT_TRUE(cajas.vistas.isEmpty());
}

TEST_F(VentanaConSim, LoopModeRepeatsUntilStoppedAndEmptyScriptLogsEndOfFileEachTime) {
    ASSERT_TRUE(Preparar({}, {}, "1000", "0"));
    v.C<QCheckBox>("chk_Loop")->setChecked(true);
    v.Iniciar();
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.Cmd().count(QStringLiteral("Loop ...")) >= 3; }, 8000));
    v.Iniciar();   // stop
    ASSERT_TRUE(v.EsperarFin());
    const QStringList cmd = v.Cmd();
    const QStringList log = v.Log();
    ASSERT_EQ(cmd.size(), log.size()) << "row for row";
    // Each pass: two empty log lines beside "-- Fin de archivo --" and "", then "" beside "Loop ...".
    for (int i = 0; i + 3 <= cmd.size() && cmd[i] != QStringLiteral("Detenido!"); i += 3) {
        EXPECT_EQ(cmd[i], QStringLiteral("-- Fin de archivo --"));
        EXPECT_EQ(cmd[i + 1], QString());
        EXPECT_EQ(log[i], QString());
        EXPECT_EQ(log[i + 1], QString());
    }
    EXPECT_EQ(cmd.count(QStringLiteral("Detenido!")), 1);
    EXPECT_TRUE(cajas.vistas.isEmpty());
}

TEST(VentanaTcp, BadFieldsAndUnreadableScriptAreRefusedBeforeAnythingOpens) {
    Carpeta c;
    c.Script({kInia}, {QStringLiteral("INIA 1")});
    QTcpServer espia;   // must never see a connection
    ASSERT_TRUE(espia.listen(QHostAddress::LocalHost, 0));
    const struct {
        const char* timeOut;
        const char* puerto;
        const char* enTexto;
    } casos[] = {
        {"abc", nullptr, "TimeOut"},
        {"", nullptr, "TimeOut"},
        {"-1", nullptr, "TimeOut"},
        {"1.5", nullptr, "TimeOut"},
        {"100", "0", "puerto TCP"},
        {"100", "x", "puerto TCP"},
        {"100", "70000", "puerto TCP"},
        {"100", nullptr, "Codigo.tmp"},   // the temporary files cannot be read (the last case: it removes one)
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.enTexto);
        if (QByteArray(k.enTexto) == "Codigo.tmp") {
            ASSERT_TRUE(QFile::remove(Module1::v_ArchCodigo));
        }
        Cajas cajas;
        VentanaTx v;
        v.TCP(espia.serverPort());
        if (k.puerto) v.Campo("txt_Port")->setText(QString::fromLatin1(k.puerto));
        v.Tiempos(QString::fromLatin1(k.timeOut), QStringLiteral("0"));
        v.Iniciar();
        ASSERT_TRUE(cajas.Esperar(1)) << k.timeOut;
        EXPECT_TRUE(cajas.vistas[0].texto.contains(QString::fromLatin1(k.enTexto))) << cajas.vistas[0].texto.toStdString();
        EXPECT_FALSE(v.w.LaCorrida().Activa());
        EXPECT_EQ(v.Boton("btn_IniDet")->text(), QStringLiteral("&Iniciar"));
        EXPECT_TRUE(v.Log().isEmpty());
    }
    QTest::qWait(50);
    EXPECT_FALSE(espia.hasPendingConnections());
}
