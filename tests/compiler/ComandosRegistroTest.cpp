// BREG, EHAB, EINH, EPER, RSET, BING and AING through the whole compile pass.
#include "ComandosPaso.h"
#include <algorithm>
#include <gtest/gtest.h>

using namespace comandos;

namespace {

const char* const kFormato = "ERROR! Formato de número de reloj invalido";
const char* const kNumero = "ERROR! Número de reloj invalido";
const char* const kTarjeta = "ERROR! Tarjeta Invalida";

TEST(ComandosRegistro, WorkedExamplesCompileByteForByte) {
    const Caso casos[] = {
        {"BREG 1", {"02 52 31 32 03 50"}, "BREG 1"},
        {"EHAB 1", {"02 52 31 33 03 51"}, "EHAB 1"},
        {"EINH 1", {"02 52 31 36 03 54"}, "EINH 1"},
        {"EPER 1", {"02 52 31 52 03 30"}, "EPER 1"},
        {"RSET a", {"02 52 61 43 03 71"}, "RSET a"},
        {"BING 1, 123", {"02 52 31 34 30 30 31 32 33 03 66"}, "BING 1, 00123"},
        {"AING 1, 123, A, B", {"02 52 31 35 30 30 31 32 33 41 42 03 64"}, "AING 1, 00123, A, B"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.linea);
        Comprobar(caso);
    }
}

TEST(ComandosRegistro, ClockNumberIsCheckedAndTravelsAsItsCharacter) {
    const Caso casos[] = {
        {"breg 1", {"02 52 31 32 03 50"}, "BREG 1"},
        {"BREG A", {"02 52 41 32 03 20"}, "BREG A"},
        {"BREG a", {"02 52 61 32 03 00"}, "BREG a"},
        {"BREG 10", {kFormato}},
        {"BREG 0", {kNumero}},
        {"BREG #", {kNumero}},
        {"BREG", {"Comando BREG: Sin argumentos"}},
        {"BREG 1, 2", {"Comando BREG: Sobran argumentos"}},
        {"BING 0, X", {kNumero}},   // the clock stops the branch before the card
        {"BREG ?", {}},             // help request: "Err" without a message
        {"AING ?", {}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.linea);
        Comprobar(caso);
    }
}

// Only plain decimal digits are a card number, and only values that fit the
// five digits that travel: anything else would reach the terminal as another
// card.
TEST(ComandosRegistro, CardNumberIsFiveDigitsOrRefused) {
    const Caso casos[] = {
        {"BING 1, 7", {"02 52 31 34 30 30 30 30 37 03 61"}, "BING 1, 00007"},
        {"BING 1, 0", {"02 52 31 34 30 30 30 30 30 03 66"}, "BING 1, 00000"},
        {"BING 1, 99999", {"02 52 31 34 39 39 39 39 39 03 6F"}, "BING 1, 99999"},
        {"BING 1, 000123", {"02 52 31 34 30 30 31 32 33 03 66"}, "BING 1, 00123"},
        {"BING 1, 1 2 3", {"02 52 31 34 30 30 31 32 33 03 66"}, "BING 1, 00123"},
        {"BING 1, 123456", {kTarjeta}},
        {"BING 1, 00100000", {kTarjeta}},
        {"BING 1, 12X", {kTarjeta}},
        {"BING 1, -5", {kTarjeta}},
        {"BING 1, +5", {kTarjeta}},
        {"BING 1, 1.5", {kTarjeta}},
        {"BING 1, 1e3", {kTarjeta}},
        {"BING 1, 0x1F", {kTarjeta}},
        {"BING 1, \t5", {kTarjeta}},
        {"BING 1, ١٢", {kTarjeta}},   // digits of another script
        {"BING 1,", {"Comando BING: Argumento vacío", kTarjeta}},
        {"BING 1,  ", {kTarjeta}},
        {"AING 1, 123456, A, B", {kTarjeta}},
        {"AING 1, 12X, A, B", {kTarjeta}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.linea);
        Comprobar(caso);
    }
}

TEST(ComandosRegistro, OnlyTheFirstCharacterOfEachProfileTravels) {
    Comprobar({"AING 1, 5, Perfil, Otro", {"02 52 31 35 30 30 30 30 35 50 4F 03 7D"}, "AING 1, 00005, Perfil, Otro"});
}

// A profile with nothing left after blank removal has no byte to send: the
// line is an error that names the empty argument, reported once.
TEST(ComandosRegistro, EmptyProfileIsAnErrorReportedOnce) {
    const char* const vacio = "Comando AING: Argumento vacío";
    const Caso casos[] = {
        {"AING 1, 123,   , B", {vacio}},
        {"AING 1, 123, A,  ", {vacio}},
        {"AING 1, 123,  ,  ", {vacio, vacio}},
        {"AING 1, 123,, B", {vacio}},         // reported by ChkArgs only
        {"AING 1, 123,,", {vacio, vacio}},    // both by ChkArgs
        {"AING 1, 123, ,", {vacio, vacio}},   // one by ChkArgs, one here
        {"AING 1, X,  , B", {kTarjeta}},      // the card stops the branch first
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.linea);
        Comprobar(caso);
    }
}

TEST(ComandosRegistro, AingShowsTheCardInTheInfoLabelWhateverTheOutcome) {
    struct {
        const char* linea;
        std::string caption;
    } const casos[] = {
        {"AING 1, 123, A, B", "Compilando linea: 00123"},
        {"AING 1, X, A, B", "Compilando linea: X"},
        {"AING 0, 7, A, B", "Compilando linea: 7"},
        {"AING 1, 7,, B", "Compilando linea: 00007"},
        {"AING 1, 7, A", "Compilando linea: 7"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.linea);
        const Resultado r = Compilar(QString::fromUtf8(caso.linea));
        ASSERT_FALSE(r.captions.empty());
        EXPECT_EQ(r.captions.front(), caso.caption);
    }
    EXPECT_TRUE(Compilar(QStringLiteral("AING 1, 7")).captions.empty());
}

// A line without argument text leaves the argument list as the line above
// filled it; the label must not name that line's values.
TEST(ComandosRegistro, AingWithoutArgumentsShowsNoStaleCard) {
    const Resultado r = Compilar(QStringList{QStringLiteral("AING 1, 55, A, B"), QStringLiteral("AING")});
    EXPECT_EQ(r.codigo, (Lineas{"02 52 31 35 30 30 30 35 35 41 42 03 64", "Comando AING: Sin argumentos"}));
    EXPECT_EQ(r.debug, (Lineas{"Linea 2 - Comando AING: Sin argumentos"}));
    EXPECT_EQ(std::count(r.captions.begin(), r.captions.end(), std::string("Compilando linea: 00055")), 1);
}

}  // namespace
