#include "PaginasTexto.h"
#include "PanelMemoria.h"
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

struct Linea {
    PaginasTexto::Trozo trozo;
};

// Texts at the edges of the packed forms: hex pairs and near misses, the
// last Latin-1 character and the first beyond it, a surrogate pair, a NUL,
// and lines longer than a page.
const QString kTextos[] = {
    QStringLiteral("02 52 31 35 30 30 30 30 31 41 42 03 65"),
    QStringLiteral("7F"),
    QStringLiteral("02 5a 03"),
    QStringLiteral("02 52 0"),
    QStringLiteral("02  52"),
    QStringLiteral("A5 ").repeated(30000) + QStringLiteral("FF"),
    QString(),
    QStringLiteral("ERROR: falta el número de reloj (ñandú)"),
    QString(QChar(0xFF)) + QStringLiteral(" y ") + QChar(0x100),
    QStringLiteral("€ 中 😀"),
    QStringLiteral("a") + QChar(0) + QStringLiteral("b"),
    QString(200000, u'7'),
    QString(90000, QChar(0x20AC)),
};

TEST(PaginasTexto, EveryTextComesBackExactlyAfterBeingRewrittenAsAnyOther) {
    const int n = static_cast<int>(std::size(kTextos));
    PaginasTexto p;
    std::vector<Linea> lineas(n);
    for (int i = 0; i < n; ++i) p.Escribir(lineas[i].trozo, kTextos[i]);
    // Each line rewritten as every other text in turn: in place, grown, moved
    // between the two forms, into and out of a block of its own.
    for (int paso = 1; paso <= n; ++paso) {
        for (int i = 0; i < n; ++i) p.Escribir(lineas[i].trozo, kTextos[(i + paso) % n]);
        for (int i = 0; i < n; ++i) {
            const QString& esperado = kTextos[(i + paso) % n];
            ASSERT_EQ(p.Leer(lineas[i].trozo), esperado) << "paso " << paso << ", line " << i;
            QString medio;
            p.AgregarA(medio, lineas[i].trozo, 1, 4);
            ASSERT_EQ(medio, esperado.mid(1, 3)) << "paso " << paso << ", line " << i;
        }
        if (p.Conviene()) p.Compactar(lineas, &Linea::trozo);
    }
}

TEST(PaginasTexto, RewritesKeepThePagesWithinTwiceTheLiveText) {
    std::mt19937 rng(11);
    auto entre = [&rng](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    PaginasTexto p;
    std::vector<Linea> lineas(3000);
    std::vector<QString> referencia(lineas.size());
    for (int ronda = 0; ronda < 60; ++ronda) {
        for (int k = 0; k < 1000; ++k) {
            const size_t i = size_t(entre(0, static_cast<int>(lineas.size()) - 1));
            QString t(entre(0, 80), QChar(u'A' + entre(0, 25)));
            if (entre(0, 9) == 0) t += QChar(0x20AC);
            p.Escribir(lineas[i].trozo, t);
            referencia[i] = t;
        }
        if (p.Conviene()) p.Compactar(lineas, &Linea::trozo);
        ASSERT_LE(p.Reservados(), 2 * p.Vivos() + 3 * 64 * 1024) << "ronda " << ronda;
    }
    for (size_t i = 0; i < lineas.size(); ++i) ASSERT_EQ(p.Leer(lineas[i].trozo), referencia[i]) << i;
}

// The pass rewrites lines again and again (changing their lengths, as the
// colouring chain does after an open); their runs and the line indices
// outlive every move of the text.
TEST(PanelMemoria, RunsSurviveManyRewritesOfTheirLines) {
    const int n = 2000;
    QString t;
    for (int i = 0; i < n; ++i) t += QStringLiteral("LINEA %1 xx\r\n").arg(i, 4, 10, QChar(u'0'));
    PanelMemoria p(t);
    const ColorRGB colores[] = {Colores::Rojo, Colores::Verde, Colores::AzulOscuro};
    for (int i = 0; i < n; ++i) {
        p.SetSelStart(p.LineIndex(i));
        p.SetSelLength(p.LargoLinea(i));
        p.SetSelColor(colores[i % 3]);
        if (i % 2) {
            p.SetSelLength(5);
            p.SetSelBold(true);
        }
    }
    for (int ronda = 0; ronda < 40; ++ronda) {
        const QString cola = ronda % 2 ? QStringLiteral("ÿÿÿ") : QStringLiteral("€");
        for (int i = 0; i < n; ++i) {
            const int fin = p.LineIndex(i) + p.LargoLinea(i);
            p.SetSelStart(fin - (ronda == 0 ? 2 : ronda % 2 ? 1
                                                            : 3));
            p.SetSelLength(ronda == 0 ? 2 : ronda % 2 ? 1
                                                      : 3);
            p.SetSelText(cola);
        }
    }
    int inicio = 0;
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(p.LineIndex(i), inicio) << i;
        ASSERT_EQ(p.Linea(i), QStringLiteral("LINEA %1 ÿÿÿ").arg(i, 4, 10, QChar(u'0'))) << i;
        inicio += static_cast<int>(p.Linea(i).size()) + 2;
        const PanelMemoria::Tramos tramos = p.TramosDe(i);
        const Formato negrita{colores[i % 3], true, false}, simple{colores[i % 3], false, false};
        ASSERT_EQ(tramos.size(), i % 2 ? 2u : 1u) << i;
        EXPECT_EQ(tramos[0].formato, i % 2 ? negrita : simple) << i;
        EXPECT_EQ(tramos[tramos.size() - 1].formato, simple) << i;
        EXPECT_EQ(tramos[tramos.size() - 1].largo, i % 2 ? 9 : 14) << i;
    }
    EXPECT_EQ(p.LineCount(), n + 1);
    EXPECT_EQ(p.Length(), inicio);
    EXPECT_EQ(p.LineFromChar(inicio - 3), n - 1);
}

}   // namespace
