// SCFG and SCF2 through the whole compile pass: every bad field on a line of
// its own, in field order.
#include "ComandosPaso.h"

using namespace comandos;

namespace {

const char* const kTiempoAp = "ERROR! Tiempo de apertura inválido";
const char* const kAncho = "ERROR! Ancho Min RTE inválido";
const char* const kTpoRTE = "ERROR! Tiempo RTE inválido";
const char* const kTpoW = "ERROR! TiempoW inválido";
const char* const kSelLargo = "ERROR! Selectivo debe der 'S' o 'N'";
const char* const kDebWLargo = "ERROR! DebW debe der 'S' o 'N'";

TEST(ComandosConfig, EachLineCompilesToItsFrameOrEveryBadFieldInOrder) {
    const Caso casos[] = {
        {"SCFG 1, 2, m, 50", {"02 52 31 58 32 4D 30 35 30 03 70"}, "SCFG 1, 2, M, 050"},
        {"SCFG A, b, P, 999", {"02 52 41 58 62 50 39 39 39 03 41"}},
        {"SCF2 1, s, 5, 10, n, 200", {"02 52 31 59 53 30 30 35 30 31 30 4E 32 30 30 03 10"}, "SCF2 1, S, 005, 010, N, 200"},
        // SCFG
        {"SCFG 10, 20, Q, 5",
         {"ERROR! Formato de número actual de reloj invalido", "ERROR! Formato de número de reloj (a setear) invalido",
          "ERROR! Modo invalido", kTiempoAp}},
        {"SCFG 0, #,, X",
         {"Comando SCFG: Argumento vacío", "ERROR! Número de reloj actual invalido",
          "ERROR! Número de reloj (a setear) invalido", "ERROR! Modo invalido", kTiempoAp}},
        {"SCFG 1, 2, MM, 50", {"ERROR! Modo invalido"}},
        {"SCFG 1, 2, p, 20", {"02 52 31 58 32 50 30 32 30 03 6A"}, "SCFG 1, 2, P, 020"},
        {"SCFG 1, 2, M, 0050", {"02 52 31 58 32 4D 30 35 30 03 70"}, "SCFG 1, 2, M, 050"},
        {"SCFG 1, 2, M, 19", {kTiempoAp}},
        {"SCFG 1, 2, M, 1000", {kTiempoAp}},
        {"SCFG 1, 2, M, 50.5", {kTiempoAp}},
        {"SCFG 1, 2, M, 99999999999999999999", {kTiempoAp}},
        {"SCFG 1, 2, M", {"Comando SCFG: Faltan argumentos"}},
        {"SCFG ?", {}},
        // SCF2
        {"SCF2 1, N, 1, 254, S, 1", {"02 52 31 59 4E 30 30 31 32 35 34 53 30 30 31 03 15"}, "SCF2 1, N, 001, 254, S, 001"},
        {"SCF2 1,, 5, 10, y, 200",
         {"Comando SCF2: Argumento vacío", "ERROR! Selectivo debe der 'S' o 'N", "ERROR! DebW debe der 'S' o 'N"}},
        {"SCF2 1, SI, 5, 10, NO, 200", {kSelLargo, kDebWLargo}},
        {"SCF2 1, s, 0, 255, n, 0", {kAncho, kTpoRTE, kTpoW}},
        {"SCF2 1, s, -5, 1.0, n, 2e2", {kAncho, kTpoRTE, kTpoW}},
        {"SCF2 #, s, 5, 10, n, 255", {"ERROR! Número de reloj actual invalido", kTpoW}},
        {"SCF2 1, S, 5, 10, N", {"Comando SCF2: Faltan argumentos"}},
        {"SCF2 ?", {}},
    };
    for (const auto& caso : casos) Comprobar(caso);
}

}   // namespace
