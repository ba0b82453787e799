// Windows: a copy the installer put in place (its uninstaller beside it)
// keeps its files in %LOCALAPPDATA%\Orvo; a folder unpacked from the zip
// keeps them beside the program. Runs in the Windows build (under Wine).
#include "Module1.h"
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CarpetasWindows, TheUninstallerBesideTheProgramMeansInstalled) {
    if (QSysInfo::productType() != QLatin1String("windows")) GTEST_SKIP() << "solo en Windows";
    QTemporaryDir usuario, instalado, portatil;
    const QByteArray antes = qgetenv("LOCALAPPDATA");
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(usuario.path()).toLocal8Bit());
    QFile desinstalar(instalado.filePath(QStringLiteral("desinstalar.exe")));
    ASSERT_TRUE(desinstalar.open(QIODevice::WriteOnly));
    desinstalar.close();
    ASSERT_TRUE(QDir().mkpath(portatil.filePath(QStringLiteral("Ayuda/html"))));

    EXPECT_TRUE(Module1::EsInstalado(instalado.path()));
    EXPECT_EQ(Module1::CarpetaDatos(instalado.path()), usuario.filePath(QStringLiteral("Orvo")));
    EXPECT_FALSE(Module1::EsInstalado(portatil.path()));
    EXPECT_EQ(Module1::CarpetaDatos(portatil.path()), portatil.path());
    EXPECT_EQ(Module1::CarpetaRecursos(portatil.path()), portatil.path());
    qputenv("LOCALAPPDATA", antes);
}
