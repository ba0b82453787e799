// orvoc end to end: the example script and a script with bad fields.
#include "ComandosCompleto.h"
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace comandos;

namespace {

struct Salida {
    int estado = -1;
    std::vector<std::string> out, err;
};

std::vector<std::string> LineasNoVacias(const QByteArray& bytes) {
    QStringList l = QString::fromUtf8(bytes).split(u'\n');
    while (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    std::vector<std::string> v;
    for (const QString& s : l) v.push_back(s.toStdString());
    return v;
}

Salida Orvoc(const QString& archivo) {
    QProcess p;
    p.start(QStringLiteral(ORVO_BUILD_DIR "/orvoc"), {archivo});
    if (!p.waitForFinished(30000)) return {};
    return {p.exitCode(), LineasNoVacias(p.readAllStandardOutput()), LineasNoVacias(p.readAllStandardError())};
}

TEST(ComandosOrvoc, CompilesTheExampleScriptWithoutErrors) {
    const Salida s = Orvoc(RutaCompleto());
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.out, kCodigoCompleto);
    EXPECT_TRUE(s.err.empty());
}

TEST(ComandosOrvoc, ListsEveryBadFieldOnStderrAndFails) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("errores.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("SCFG 10, 2, Q, 5\r\nBING 1, 123456\r\nAING 1, 123,  , B\r\nSPER 1, 12\r\n");
    f.close();
    const Salida s = Orvoc(f.fileName());
    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.err, (std::vector<std::string>{
                         "Linea 1 - ERROR! Formato de número actual de reloj invalido",
                         "Linea 1 - ERROR! Modo invalido",
                         "Linea 1 - ERROR! Tiempo de apertura inválido",
                         "Linea 2 - ERROR! Tarjeta Invalida",
                         "Linea 3 - Comando AING: Argumento vacío",
                     }));
    ASSERT_FALSE(s.out.empty());
    EXPECT_EQ(s.out.back(), "02 52 31 50 31 32 03 31");
}

}  // namespace
