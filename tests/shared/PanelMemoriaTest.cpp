#include "ContratoPanel.h"
#include "Codificacion.h"
#include "PanelMemoria.h"
#include <QCoreApplication>

INSTANTIATE_TEST_SUITE_P(Memoria, ContratoPanel,
                         ::testing::Values(FabricaPanel([] { return std::make_unique<PanelMemoria>(); })));

TEST(PanelMemoria, ColoursStayWithTheirCharactersAcrossEdits) {
    PanelMemoria p(QStringLiteral("INIA 1\r\n-- hola\r\nx"));
    p.SetSelStart(0);
    p.SetSelLength(4);
    p.SetSelColor(Colores::AzulOscuro);
    p.SetSelStart(8);
    p.SetSelLength(9);   // the comment line with its CR LF
    p.SetSelColor(Colores::Verde);
    EXPECT_EQ(p.ColorEn(0), Colores::AzulOscuro);
    EXPECT_EQ(p.ColorEn(4), Colores::Negro);
    EXPECT_EQ(p.ColorEn(8), Colores::Verde);
    EXPECT_EQ(p.ColorEn(14), Colores::Verde);
    // Removing line 0 moves the green line up with its colour.
    p.SetSelStart(0);
    p.SetSelLength(8);
    p.SetSelText(QString());
    EXPECT_EQ(p.ColorEn(0), Colores::Verde);
    EXPECT_EQ(p.Text(), QStringLiteral("-- hola\r\nx"));
}

TEST(PanelMemoria, TypingColourAppliesToInsertedText) {
    PanelMemoria p;
    p.SetSelColor(Colores::Rojo);
    p.SetSelText(QStringLiteral("ERROR"));
    EXPECT_EQ(p.ColorEn(2), Colores::Rojo);
}

TEST(PanelMemoria, RewritingEveryLineOfALargeTextStaysConsistent) {
    // Rewrites with changing lengths, as the colouring chain does after an open.
    QString t;
    const int n = 2000;
    for (int i = 0; i < n; ++i) t += QStringLiteral("inia %1\r\n").arg(i % 9 + 1);
    PanelMemoria p(t);
    for (int i = 0; i < n; ++i) {
        const int inicio = p.LineIndex(i);
        p.SetSelStart(inicio);
        p.SetSelLength(p.LineLength(inicio));
        p.SetSelText(QStringLiteral("INIA  %1").arg(i));
    }
    EXPECT_EQ(p.LineCount(), n + 1);
    int esperado = 0;
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(p.LineIndex(i), esperado);
        esperado += QStringLiteral("INIA  %1").arg(i).size() + 2;
    }
    EXPECT_EQ(p.Length(), esperado);
    EXPECT_EQ(p.LineFromChar(esperado - 3), n - 1);
}

TEST(Codificacion, Windows1252RoundTripAndUtf8Detection) {
    QByteArray todos;
    for (int i = 0; i < 256; ++i) todos.append(static_cast<char>(i));
    const auto d = Codificacion::Decodificar(todos);
    EXPECT_EQ(d.tipo, Codificacion::Tipo::Windows1252);
    EXPECT_EQ(d.texto.at(0x80), QChar(0x20AC));   // €
    EXPECT_EQ(d.texto.at(0xFA), QChar(0xFA));     // ú
    QByteArray vuelta;
    ASSERT_TRUE(Codificacion::Codificar(d.texto, d.tipo, &vuelta));
    EXPECT_EQ(vuelta, todos);   // every byte, the undefined ones included

    const auto u = Codificacion::Decodificar(QByteArray("-- Número\r\n"));
    EXPECT_EQ(u.tipo, Codificacion::Tipo::Utf8);
    EXPECT_EQ(u.texto, QStringLiteral("-- Número\r\n"));

    QByteArray salida("sin tocar");
    QString error;
    EXPECT_FALSE(Codificacion::Codificar(QStringLiteral("a中b"), Codificacion::Tipo::Windows1252, &salida, &error));
    EXPECT_EQ(error, QStringLiteral("中"));
    EXPECT_EQ(salida, QByteArray("sin tocar"));
}

TEST(Codificacion, LinesEndAtCrLfLfOrCr) {
    using Codificacion::Lineas;
    EXPECT_EQ(Lineas(QStringLiteral("a\r\nb\r\n")), QStringList({"a", "b"}));
    EXPECT_EQ(Lineas(QStringLiteral("a\nb")), QStringList({"a", "b"}));
    EXPECT_EQ(Lineas(QStringLiteral("a\rb\r\n\r\n")), QStringList({"a", "b", ""}));
    EXPECT_EQ(Lineas(QString()), QStringList());
}
