#pragma once
// Runs a script through the whole compile pass, as the open-file command does
// (v_Cargando true, LinAntCmd 0), and reads back what the user would see.
#include "BancoCompilador.h"
#include <QStringList>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace comandos {

using Lineas = std::vector<std::string>;   // standard strings print readably

struct Resultado {
    Lineas codigo;     // code-pane lines
    Lineas debug;      // lst_Debug entries
    Lineas comandos;   // command-pane lines after the pass
    Lineas captions;   // every lbl_Info caption, in order
};

inline Lineas Std(const QStringList& l) {
    Lineas v;
    for (const QString& s : l) v.push_back(s.toStdString());
    return v;
}

inline Resultado Compilar(const QStringList& lineas) {
    Banco b(lineas);
    b.Compilar(0, true);
    return {Std(b.Codigo()), Std(b.c.lst_Debug), Std(b.Comandos()), Std(b.entorno.infos)};
}

// One command line, what the code pane gets, and how the line reads after
// the pass (nullptr: unchanged, as for an error line).
struct Caso {
    const char* linea;
    Lineas codigo;
    const char* reescrita = nullptr;
};

inline void Comprobar(const Caso& caso) {
    SCOPED_TRACE(caso.linea);
    const Resultado r = Compilar({QString::fromUtf8(caso.linea)});
    EXPECT_EQ(r.codigo, caso.codigo);
    Lineas debug;   // every error line is also in lst_Debug, as line 1
    for (const auto& s : caso.codigo)
        if (s.rfind("ERROR!", 0) == 0 || s.rfind("Comando ", 0) == 0) debug.push_back("Linea 1 - " + s);
    EXPECT_EQ(r.debug, debug);
    EXPECT_EQ(r.comandos, Lineas{caso.reescrita ? caso.reescrita : caso.linea});
}

}   // namespace comandos
