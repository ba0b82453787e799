#include "ContratoPanel.h"
#include "Codificacion.h"
#include "PanelMemoria.h"

INSTANTIATE_TEST_SUITE_P(Memoria, ContratoPanel,
                         ::testing::Values(FabricaPanel([] { return std::make_unique<PanelMemoria>(); })));

// Every byte, the ones the code page leaves undefined included, comes back
// unchanged: a file saved by the editor never loses what it was opened with.
TEST(Codificacion, Windows1252KeepsEveryByteThroughARoundTrip) {
    QByteArray todos;
    for (int i = 0; i < 256; ++i) todos.append(static_cast<char>(i));
    const auto d = Codificacion::Decodificar(todos);
    EXPECT_EQ(d.tipo, Codificacion::Tipo::Windows1252);
    EXPECT_EQ(d.texto.at(0x80), QChar(0x20AC));   // €
    QByteArray vuelta;
    ASSERT_TRUE(Codificacion::Codificar(d.texto, d.tipo, &vuelta));
    EXPECT_EQ(vuelta, todos);
}
