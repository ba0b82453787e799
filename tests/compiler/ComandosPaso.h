#pragma once
// Runs a script through the whole compile pass, as the open-file command does
// (v_Cargando true, LinAntCmd 0), and reads back what the user would see.
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "Module1.h"
#include "PanelMemoria.h"
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace comandos {

struct EntornoRegistro : EntornoCompilador {
    QStringList captions;
    void MostrarInfo(const QString& texto) override { captions << texto; }
};

// Standard strings, so that failures print readably.
using Lineas = std::vector<std::string>;

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

inline QStringList LineasDe(const QString& texto) {
    QStringList lineas = texto.split(QStringLiteral("\r\n"));
    if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();   // after the final CR LF
    return lineas;
}

inline Resultado Compilar(const QStringList& lineas) {
    PanelMemoria tx_Cmd(lineas.join(QStringLiteral("\r\n")));
    PanelMemoria tx_Cod;
    EntornoRegistro entorno;
    Compilador c(tx_Cmd, tx_Cod, entorno);
    Module1::v_Cargando = true;
    c.LinAntCmd = 0;
    c.CompilarLineas();
    Module1::v_Cargando = false;
    return {Std(LineasDe(tx_Cod.Text())), Std(c.lst_Debug), Std(tx_Cmd.Text().split(QStringLiteral("\r\n"))),
            Std(entorno.captions)};
}

inline Resultado Compilar(const QString& linea) { return Compilar(QStringList{linea}); }

}  // namespace comandos


namespace comandos {

// One command line, what the code pane gets, and how the line reads after
// the pass (nullptr: unchanged, as for an error line).
struct Caso {
    const char* linea;
    Lineas codigo;
    const char* reescrita = nullptr;
};

inline bool EsError(const std::string& s) { return s.rfind("ERROR!", 0) == 0 || s.rfind("Comando ", 0) == 0; }

// Every error line is also in lst_Debug, numbered as line 1.
inline Lineas DebugEsperado(const Lineas& codigo) {
    Lineas d;
    for (const auto& s : codigo)
        if (EsError(s)) d.push_back("Linea 1 - " + s);
    return d;
}

inline void Comprobar(const Caso& caso) {
    const QString linea = QString::fromUtf8(caso.linea);
    const Resultado r = Compilar(linea);
    EXPECT_EQ(r.codigo, caso.codigo);
    EXPECT_EQ(r.debug, DebugEsperado(caso.codigo));
    ASSERT_EQ(r.comandos.size(), 1u);
    EXPECT_EQ(r.comandos[0], caso.reescrita ? std::string(caso.reescrita) : std::string(caso.linea));
}

}  // namespace comandos
