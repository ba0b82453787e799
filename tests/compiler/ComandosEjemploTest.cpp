// The example script compiles as a file opened in the editor would.
#include "Codificacion.h"
#include "ComandosCompleto.h"
#include "ComandosPaso.h"
#include "Acciones.h"
#include "Manejadores.h"
#include "TablaComandos.h"
#include <QFile>

#include <algorithm>
#include <set>

using namespace comandos;

namespace {

QStringList LeerCompleto() {
    QFile archivo(RutaCompleto());
    if (!archivo.open(QIODevice::ReadOnly)) return {};
    return Codificacion::Lineas(Codificacion::Decodificar(archivo.readAll()).texto);
}

TEST(ComandosEjemplo, ExampleScriptUsesEveryCommandOfTheLanguage) {
    std::set<std::string> usadas;
    for (const QString& linea : LeerCompleto()) usadas.insert(linea.section(u' ', 0, 0).toUpper().toStdString());
    int n = 0;
    const DefComando* tabla = Comandos(&n);
    for (int i = 0; i < n; ++i) {
        const std::string palabra = tabla[i].palabra;
        if (EsAccion(tabla[i].manejador)) continue;   // they would leave the pass mid-file
        EXPECT_TRUE(usadas.count(palabra)) << palabra;
    }
}

TEST(ComandosEjemplo, ExampleScriptCompilesToItsFramesWithoutErrors) {
    const QStringList lineas = LeerCompleto();
    ASSERT_FALSE(lineas.isEmpty()) << RutaCompleto().toStdString();
    const Resultado r = Compilar(lineas);
    EXPECT_EQ(r.codigo, kCodigoCompleto);
    EXPECT_TRUE(r.debug.empty());

    // Loaded files are rewritten from the first line down.
    const std::pair<int, const char*> reescritas[] = {
        {4, "FECH 1, 05/12/2026, 07:45"},
        {9, "SCFG 1, 1, P, 050"},
        {10, "SCF2 1, S, 005, 010, N, 200"},
        {12, "SPER 1, 03"},
        {13, "APER 1, 1, LMXJV, 08:00, 17:30"},
        {15, "APER 1, 3, DLMXJVS, 00:00, 23:59"},
        {17, "AING 1, 00123, 1, 2"},
        {19, "AING 1, 20500, 3, 3"},
        {20, "BING 1, 00815"},
        {29, "CMD 025232300351"},
    };
    ASSERT_EQ(r.comandos.size(), static_cast<size_t>(lineas.size()));
    for (const auto& [linea, texto] : reescritas) EXPECT_EQ(r.comandos[linea], texto);
    EXPECT_NE(std::find(r.captions.begin(), r.captions.end(), "Compilando linea: 04711"), r.captions.end());
}

}   // namespace
