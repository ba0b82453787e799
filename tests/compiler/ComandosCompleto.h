#pragma once
// The example script that uses every command of the language, and the code
// lines it must give (worked out apart from the compiler, from the frame
// layouts; comments and blank lines give empty lines).
#include <QString>
#include <string>
#include <vector>

namespace comandos {

inline QString RutaCompleto() { return QStringLiteral(ORVO_SOURCE_DIR "/ejemplos/completo.txt"); }

inline const std::vector<std::string> kCodigoCompleto = {
    "",
    "",
    "",
    "02 52 31 41 03 23",
    "02 52 31 31 32 36 31 32 30 35 37 30 37 34 35 03 60",
    "02 52 31 30 03 52",
    "06",
    "02 52 31 32 03 50",
    "",
    "02 52 31 58 31 50 30 35 30 03 6E",
    "02 52 31 59 53 30 30 35 30 31 30 4E 32 30 30 03 10",
    "",
    "02 52 31 50 30 33 03 31",
    "02 52 31 31 BE 30 38 30 30 31 37 33 30 03 E0",
    "02 52 31 32 C0 30 39 30 30 31 33 30 30 03 9B",
    "02 52 31 33 FF 30 30 30 30 32 33 35 39 03 A3",
    "",
    "02 52 31 35 30 30 31 32 33 31 32 03 64",
    "02 52 31 35 30 34 37 31 31 31 33 03 66",
    "02 52 31 35 32 30 35 30 30 33 33 03 60",
    "02 52 31 34 30 30 38 31 35 03 6A",
    "02 52 31 33 03 51",
    "02 52 31 52 03 30",
    "",
    "",
    "02 52 32 42 03 23",
    "02 52 32 36 03 57",
    "02 52 32 43 03 22",
    "00 00 32 00 00 32",
    "02 52 32 30 03 51",
};

}   // namespace comandos
