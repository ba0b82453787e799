// SPER, APER and the day byte through the whole compile pass.
#include "ComandosPaso.h"
#include "ManejadoresPerfil.h"
#include <array>

using namespace comandos;

namespace {

const char* const kPerfiles = "ERROR! Número de perfiles inválido";

TEST(ComandosPerfil, EachLineCompilesToItsFrameOrItsFirstFault) {
    const Caso casos[] = {
        {"SPER 1, 5", {"02 52 31 50 30 35 03 37"}, "SPER 1, 05"},
        {"SPER 1, 12", {"02 52 31 50 31 32 03 31"}},
        {"APER 1, 2, LMXJV, 8:00, 17:30", {"02 52 31 32 BE 30 38 30 30 31 37 33 30 03 E3"}, "APER 1, 2, LMXJV, 08:00, 17:30"},
        {"APER a, A, ds, 0:00, 23:59", {"02 52 61 41 C1 30 30 30 30 32 33 35 39 03 BF"}, "APER a, A, DS, 00:00, 23:59"},
        // Two digits travel: a count that needs three would reach the terminal as another count.
        // Leading zeros are not digits of the value.
        {"SPER 1, 007", {"02 52 31 50 30 37 03 35"}, "SPER 1, 07"},
        {"SPER 1, 0", {"02 52 31 50 30 30 03 32"}, "SPER 1, 00"},
        {"SPER 1, 99", {"02 52 31 50 39 39 03 32"}},
        {"SPER 1, 250", {kPerfiles}},
        {"SPER 1, X", {kPerfiles}},
        {"SPER 1, -1", {kPerfiles}},
        {"SPER 1,", {"Comando SPER: Argumento vacío", kPerfiles}},
        {"SPER 10, 5", {"ERROR! Formato de número de reloj invalido"}},
        {"SPER ?", {}},
        // APER stops at its first bad field.
        {"APER 0, 12, z, X, X", {"ERROR! Número de reloj invalido"}},
        {"APER 1, 12, L, 8:00, 9:00", {"ERROR! Formato de código de perfil invalido"}},
        {"APER 1, %, L, 8:00, 9:00", {"ERROR! Código de perfil invalido"}},
        {"APER 1, 2, lmz, 25:00, X", {"ERROR! El caracter Z no es válido"}},
        {"APER 1, 2, lm9x, 8:00, 9:00", {"ERROR! El caracter 9 no es válido"}},
        {"APER 1, 2, L, 25:00, X", {"ERROR! Hora desde invalida"}},
        {"APER 1, 2, L, 8:00, X", {"ERROR! Hora hasta invalida"}},
        {"APER 1, 2, L, 8:00", {"Comando APER: Faltan argumentos"}},
        {"APER ?", {}},
    };
    for (const auto& caso : casos) Comprobar(caso);
}

TEST(ComandosPerfil, DayLettersBuildTheDayByte) {
    const Caso casos[] = {
        {"APER 1, 2, dlmxjvs, 8:00, 9:00", {"02 52 31 32 FF 30 38 30 30 30 39 30 30 03 AE"}, "APER 1, 2, DLMXJVS, 08:00, 09:00"},
        {"APER 1, 2, LLl, 8:00, 9:00", {"02 52 31 32 82 30 38 30 30 30 39 30 30 03 D3"},   // counted once
         "APER 1, 2, LLL, 08:00, 09:00"},
        {"APER 1, 2,    , 8:00, 9:00", {"02 52 31 32 80 30 38 30 30 30 39 30 30 03 D1"}, "APER 1, 2, , 08:00, 09:00"},
        {"APER 1, 2, L, 18:00, 8:00", {"02 52 31 32 82 31 38 30 30 30 38 30 30 03 D3"},   // times not compared
         "APER 1, 2, L, 18:00, 08:00"},
    };
    for (const auto& caso : casos) Comprobar(caso);

    // Empty as typed: ChkArgs reports it without stopping the branch.
    const Resultado r = Compilar({QStringLiteral("APER 1, 2,, 8:00, 9:00")});
    EXPECT_EQ(r.codigo, (Lineas{"Comando APER: Argumento vacío", "02 52 31 32 80 30 38 30 30 30 39 30 30 03 D1"}));
}

TEST(ComandosPerfil, DiasNamesTheFirstBadCharacterUpperCasedAndKeepsTheText) {
    const std::array<const char*, 3> casos[] = {
        {"sVjXmLd", "FF", "SVJXMLD"},
        {"lq9", "Err Q", "lq9"},
        {"dé", "Err É", "dé"},
        {"l😀", "Err 😀", "l😀"},   // outside the basic plane: named whole
    };
    for (const auto& [entrada, resultado, despues] : casos) {
        QString dias = QString::fromUtf8(entrada);
        EXPECT_EQ(f_Dias(dias).toStdString(), resultado);
        EXPECT_EQ(dias.toStdString(), despues);
    }
}

}   // namespace
