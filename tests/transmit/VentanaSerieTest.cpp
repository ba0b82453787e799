// Runs over a serial link: a socat pseudo-terminal pair with orvo-sim on one
// end and the window on the other, its path typed into cmb_Port.
#include "AyudaTx.h"
#include "Module1.h"
#include "VentanaTx.h"
#include <gtest/gtest.h>

using namespace AyudaTx;

TEST(VentanaSerie, RunOverAPseudoTerminalAwaitsAndLogsEachAnswer) {
    REQUIERE_SOCAT();
    Carpeta c;
    c.Script({kInia, kLreg, QStringLiteral("06"), QStringLiteral("02 52 31 33 03 21")},
             {QStringLiteral("INIA 1"), QStringLiteral("LREG 1"), QStringLiteral("ACK"), QStringLiteral("EHAB 1")});
    ParPty par;
    ASSERT_TRUE(par.Crear(c.Raiz()));
    Sim sim;
    ASSERT_TRUE(sim.IniciarSerie(par.b));
    Cajas cajas;
    VentanaTx v;
    v.C<QComboBox>("cmb_Port")->setCurrentIndex(3);
    v.C<QComboBox>("cmb_Port")->setEditText(par.a);
    v.Tiempos(QStringLiteral("2000"), QStringLiteral("0"));
    v.Iniciar();
    ASSERT_TRUE(v.EsperarFin());
    EXPECT_TRUE(cajas.vistas.isEmpty()) << (cajas.vistas.isEmpty() ? "" : cajas.vistas[0].texto.toStdString());
    const QStringList log = v.Log();
    ASSERT_EQ(log.size(), 10);
    EXPECT_EQ(log[1].size(), 2 + 3 * 19);
    EXPECT_EQ(log[3].size(), 2 + 3 * 19);
    EXPECT_EQ(log[5].size(), 2 + 3 * 18);
    EXPECT_EQ(log[7], QStringLiteral("< 06 "));
    EXPECT_EQ(c.LineasLog(), log);
    EXPECT_EQ(Module1::v_Puerto, 3) << "a typed path keeps the last listed port's index";
}

TEST(VentanaSerie, PortThatCannotBeOpenedShowsTheExactBox) {
    Carpeta c;
    c.Script({kInia}, {QStringLiteral("INIA 1")});
    Cajas cajas;
    VentanaTx v;
    const QString ruta = c.Ruta(QStringLiteral("no-hay-tal"));
    v.C<QComboBox>("cmb_Port")->setEditText(ruta);
    v.C<QCheckBox>("chk_Loop")->setChecked(true);
    v.Iniciar();
    ASSERT_TRUE(cajas.Esperar(1));
    ASSERT_TRUE(v.EsperarFin());
    EXPECT_EQ(cajas.vistas[0].titulo, QStringLiteral("Error de comunicación"));
    EXPECT_TRUE(cajas.vistas[0].texto.startsWith(QStringLiteral("Error al abrir el puerto ") + ruta + QStringLiteral(":\r\n\r\n")));
    EXPECT_GT(cajas.vistas[0].texto.size(), (QStringLiteral("Error al abrir el puerto ") + ruta + QStringLiteral(":\r\n\r\n")).size());
    EXPECT_TRUE(v.Log().isEmpty());
    EXPECT_TRUE(v.Cmd().isEmpty());
}

TEST(VentanaSerie, DeviceGoneDuringARunEndsItWithoutHanging) {
    REQUIERE_SOCAT();
    Carpeta c;
    c.Script(Repetir(kInia, 50), Repetir(QStringLiteral("INIA 1"), 50));
    auto par = std::make_unique<ParPty>();
    ASSERT_TRUE(par->Crear(c.Raiz()));
    Sim sim;
    ASSERT_TRUE(sim.IniciarSerie(par->b));
    Cajas cajas;
    VentanaTx v;
    v.C<QComboBox>("cmb_Port")->setEditText(par->a);
    v.Tiempos(QStringLiteral("500"), QStringLiteral("50"));
    v.Iniciar();
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.Log().count(QStringLiteral("> ") + kInia) >= 2; }, 5000));
    par.reset();   // the device disappears
    ASSERT_TRUE(v.EsperarFin(8000)) << "the run must end";
    ASSERT_TRUE(cajas.Esperar(1));
    EXPECT_EQ(cajas.vistas[0].icono, Avisos::Icono::Critico);
    EXPECT_TRUE(cajas.vistas[0].texto.startsWith(QStringLiteral("Se perdió la comunicación con el puerto ")))
        << cajas.vistas[0].texto.toStdString();
    EXPECT_EQ(v.Cmd().count(QStringLiteral("Error de comunicación!")), 1);
    EXPECT_EQ(v.Log().size(), v.Cmd().size());
}
