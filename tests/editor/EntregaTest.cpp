// The hand-over from the editor to the transmission window: what T leaves on disk.
#include "CarpetaPrueba.h"
#include "Codificacion.h"
#include "Module1.h"
#include "VentanaPrueba.h"
#include <gtest/gtest.h>

namespace {
QByteArray Leer(const QString& nombre) { return CarpetaPrueba::Leer(CarpetaPrueba::Ruta(nombre)); }
}   // namespace

TEST(Entrega, TransmissionWritesEachFrameWithTheLineThatProducedItAsTyped) {
    VentanaPrueba w;
    // A help request and a comment leave no frame; "@" is kept as typed.
    w.EscribirLineas({"inia 1", "inia ?", "-- a@b", "", "aing 1, 5, @, b", "lreg 2"});
    w.avisos.clear();
    w.EscribirLineas({"t"});
    ASSERT_EQ(w.transmisiones, 1);
    EXPECT_TRUE(w.avisos.isEmpty()) << w.avisos.join(u'\n').toStdString();
    EXPECT_EQ(Leer(QStringLiteral("Codigo.tmp")), QByteArray("02 52 31 41 03 23\r\n02 52 31 35 30 30 30 30 35 40 62 03 40\r\n02 52 32 30 03 51\r\n"));
    EXPECT_EQ(Leer(QStringLiteral("Comandos.tmp")), QByteArray("INIA 1\r\nAING 1, 00005, @, b\r\nLREG 2\r\n"));
}

TEST(Entrega, AnErrorAboveRefusesWithTheMessageAndWritesNothing) {
    VentanaPrueba w;
    w.EscribirLineas({"inia 1", "inia 0", "t"});
    EXPECT_EQ(w.transmisiones, 0);
    EXPECT_EQ(w.avisos, QStringList{QStringLiteral(
                            "Comandos erroneos|Hay errores en el código.\r\nCorrija los errores e intente nuevamente.")});
    EXPECT_EQ(Leer(QStringLiteral("Codigo.tmp")), QByteArray("<sin archivo>"));
    // The action line is removed all the same.
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("INIA 1\r\ninia 0\r\n"));
}
