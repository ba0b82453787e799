// BREG, EHAB, EINH, EPER, RSET, BING and AING through the whole compile pass.
#include "ComandosPaso.h"
#include <algorithm>

using namespace comandos;

namespace {

const char* const kTarjeta = "ERROR! Tarjeta Invalida";
const char* const kVacio = "Comando AING: Argumento vacío";

TEST(ComandosRegistro, EachLineCompilesToItsFrameOrItsFirstFault) {
    const Caso casos[] = {
        {"BREG 1", {"02 52 31 32 03 50"}},
        {"EHAB 1", {"02 52 31 33 03 51"}},
        {"EINH 1", {"02 52 31 36 03 54"}},
        {"EPER 1", {"02 52 31 52 03 30"}},
        {"RSET a", {"02 52 61 43 03 71"}},
        {"BING 1, 123", {"02 52 31 34 30 30 31 32 33 03 66"}, "BING 1, 00123"},
        {"AING 1, 123, A, B", {"02 52 31 35 30 30 31 32 33 41 42 03 64"}, "AING 1, 00123, A, B"},
        {"AING 1, 5, Perfil, Otro", {"02 52 31 35 30 30 30 30 35 50 4F 03 7D"}, "AING 1, 00005, Perfil, Otro"},
        // Blanks around and inside arguments go; a tab is a character like any other.
        {"AING  1 , 2 3 ,\t4, 5", {"02 52 31 35 30 30 30 32 33 09 35 03 5A"}, "AING 1, 00023, \t4, 5"},
        // The clock number is checked before anything else.
        {"breg 1", {"02 52 31 32 03 50"}, "BREG 1"},
        {"BREG A", {"02 52 41 32 03 20"}},
        {"BREG a", {"02 52 61 32 03 00"}},
        {"BREG 10", {"ERROR! Formato de número de reloj invalido"}},
        {"BREG #", {"ERROR! Número de reloj invalido"}},
        {"BING 0, X", {"ERROR! Número de reloj invalido"}},
        {"BREG", {"Comando BREG: Sin argumentos"}},
        {"BREG 1, 2", {"Comando BREG: Sobran argumentos"}},
        {"BREG ?", {}},   // help request: "Err" without a message
        {"AING ?", {}},
        // Cards: plain decimal digits only, and a value that fits the five digits that travel:
        // anything else would reach the terminal as another card.
        {"BING 1, 7", {"02 52 31 34 30 30 30 30 37 03 61"}, "BING 1, 00007"},
        {"BING 1, 99999", {"02 52 31 34 39 39 39 39 39 03 6F"}},
        {"BING 1, 000123", {"02 52 31 34 30 30 31 32 33 03 66"}, "BING 1, 00123"},
        {"BING 1, 1 2 3", {"02 52 31 34 30 30 31 32 33 03 66"}, "BING 1, 00123"},
        {"BING 1, 123456", {kTarjeta}},
        {"AING 1, 00100000, A, B", {kTarjeta}},
        {"BING 1, 12X", {kTarjeta}},
        {"BING 1, -5", {kTarjeta}},
        {"BING 1, 1.5", {kTarjeta}},
        {"BING 1, 1e3", {kTarjeta}},
        {"BING 1, ١٢", {kTarjeta}},   // digits of another script
        {"BING 1,", {"Comando BING: Argumento vacío", kTarjeta}},
        {"BING 1,  ", {kTarjeta}},
        // A profile with nothing left after blank removal has no byte to send: the line is an error
        // that names the empty argument, once. One that would travel as "?" is refused too.
        {"AING 1, 123,   , B", {kVacio}},
        {"AING 1, 123,  ,  ", {kVacio, kVacio}},
        {"AING 1, 123,, B", {kVacio}},          // by ChkArgs only
        {"AING 1, 123, ,", {kVacio, kVacio}},   // one by ChkArgs, one here
        {"AING 1, X,  , B", {kTarjeta}},        // the card stops the branch first
        {"AING 1, 123, 中, B", {"ERROR! Código de perfil invalido"}},
        {"AING 1, 123, é, 😀", {"ERROR! Código de perfil invalido"}},
        {"AING 1, 123, é€, B", {"02 52 31 35 30 30 31 32 33 E9 42 03 CC"}, "AING 1, 00123, é€, B"},
    };
    for (const auto& caso : casos) Comprobar(caso);
}

TEST(ComandosRegistro, AingShowsTheCardInTheInfoLabelWhateverTheOutcome) {
    const std::pair<const char*, std::string> casos[] = {
        {"AING 1, 123, A, B", "Compilando linea: 00123"},
        {"AING 1, X, A, B", "Compilando linea: X"},
        {"AING 0, 7, A, B", "Compilando linea: 7"},
        {"AING 1, 7,, B", "Compilando linea: 00007"},
        {"AING 1, 7, A", "Compilando linea: 7"},
    };
    for (const auto& [linea, caption] : casos) {
        const Resultado r = Compilar({QString::fromUtf8(linea)});
        EXPECT_EQ(r.captions.empty() ? "" : r.captions.front(), caption) << linea;
    }
    EXPECT_TRUE(Compilar({QStringLiteral("AING 1, 7")}).captions.empty());

    // Without argument text the argument list is still the line above's.
    const Resultado r = Compilar({QStringLiteral("AING 1, 55, A, B"), QStringLiteral("AING")});
    EXPECT_EQ(r.debug, Lineas{"Linea 2 - Comando AING: Sin argumentos"});
    EXPECT_EQ(std::count(r.captions.begin(), r.captions.end(), "Compilando linea: 00055"), 1);
}

}   // namespace
