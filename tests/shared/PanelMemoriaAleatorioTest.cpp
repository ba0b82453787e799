// The text model against a plain reference (one string, one colour per
// character) under thousands of random selections, replacements and colourings.
#include "Lineas.h"
#include "PanelMemoria.h"
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

struct Referencia {
    QString texto;
    std::vector<ColorRGB> colores;   // one per character, line breaks included
};

ColorRGB ColorAlAzar(std::mt19937& rng) {
    static const ColorRGB paleta[] = {Colores::Negro, Colores::Rojo, Colores::Verde, Colores::Magenta, Colores::AzulOscuro};
    return paleta[std::uniform_int_distribution<int>(0, 4)(rng)];
}

TEST(PanelMemoriaAleatorio, EditsAndColoursMatchAPlainString) {
    std::mt19937 rng(7);
    auto entre = [&rng](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    static const QString piezas[] = {"", "a", "INIA 1", "\r\n", "x\r\ny", "\r\n\r\n", "ñ€", "06\r\n", "abc\r\n"};

    PanelMemoria p;
    Referencia r;
    for (int paso = 0; paso < 4000; ++paso) {
        const int largo = static_cast<int>(r.texto.size());
        int inicio = entre(0, largo);
        int cuanto = entre(0, std::min(8, largo - inicio));
        // Selections never start or end between CR and LF here: the reference knows no such position.
        auto partido = [&r](int i) { return i > 0 && i < r.texto.size() && r.texto.at(i - 1) == u'\r'; };
        if (partido(inicio)) --inicio;
        if (partido(inicio + cuanto)) ++cuanto;
        p.SetSelStart(inicio);
        p.SetSelLength(cuanto);
        ASSERT_EQ(p.SelText(), r.texto.mid(inicio, cuanto)) << paso;
        if (entre(0, 2) == 0) {
            const ColorRGB c = ColorAlAzar(rng);
            p.SetSelColor(c);
            // Line breaks carry no format of their own.
            for (int i = inicio; i < inicio + cuanto; ++i)
                if (r.texto.at(i) != u'\r' && r.texto.at(i) != u'\n') r.colores[i] = c;
        } else {
            const QString nuevo = piezas[entre(0, 8)];
            const ColorRGB c = cuanto > 0 ? r.colores[inicio] : p.FormatoEscritura().color;
            p.SetSelText(nuevo);
            r.texto.replace(inicio, cuanto, nuevo);
            r.colores.erase(r.colores.begin() + inicio, r.colores.begin() + inicio + cuanto);
            r.colores.insert(r.colores.begin() + inicio, nuevo.size(), c);
            for (int i = inicio; i < inicio + nuevo.size(); ++i)
                if (r.texto.at(i) == u'\r' || r.texto.at(i) == u'\n') r.colores[i] = Colores::Negro;
            ASSERT_EQ(p.SelStart(), inicio + nuevo.size()) << paso;
        }
        ASSERT_EQ(p.Length(), r.texto.size()) << paso;
        if (paso % 50 == 0 || paso > 3900) {
            ASSERT_EQ(p.Text(), r.texto) << paso;
            ASSERT_EQ(p.LineCount(), r.texto.count(QStringLiteral("\r\n")) + 1);
            int linea = 0;
            for (int i = 0; i < r.texto.size(); ++i) {
                if (i == 0 || r.texto.at(i - 1) == u'\n') {
                    ASSERT_EQ(InicioLinea(p, linea++), i);
                }
                ASSERT_EQ(p.ColorEn(i), r.colores[i]) << paso << " at " << i;
            }
        }
    }
}

TEST(PanelMemoria, AppendingLineByLineKeepsIndicesOnALongText) {
    // As the code pane is filled: append, select the new line, colour it.
    PanelMemoria p;
    p.SetText(QString());
    for (int i = 0; i < 20000; ++i) {
        const QString linea = i % 3 ? QStringLiteral("06") : QString();
        p.SetSelStart(p.Length());
        p.SetSelText(linea + QStringLiteral("\r\n"));
        p.SetSelStart(p.Length() - static_cast<int>(linea.size()) - 2);
        p.SetSelLength(static_cast<int>(linea.size()) + 2);
        p.SetSelColor(i % 2 ? Colores::Rojo : Colores::Negro);
    }
    EXPECT_EQ(p.LineCount(), 20001);
    EXPECT_EQ(p.Length(), p.Text().size());
    EXPECT_EQ(InicioLinea(p, 20000), p.Length());
    EXPECT_EQ(p.ColorEn(InicioLinea(p, 19999)), Colores::Rojo);
}

}   // namespace
