// Where the program looks for its help pages and keeps its files, decided by
// where the executable lives (never by whether its folder is writable).
#include "Module1.h"
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

namespace {

struct Disposicion {
    const char* caso;
    const char* programa;                // the executable's folder, under the test folder
    std::vector<const char*> carpetas;   // folders that exist
    bool instalado;
    const char* recursos;   // expected folder holding Ayuda/
};

TEST(Carpetas, InstalledOrOwnFolderDecidesHelpAndDataFolders) {
    const std::vector<Disposicion> casos = {
        {"installed", "usr/bin", {"usr/share/orvo/Ayuda/html"}, true, "usr/share/orvo"},
        {"build folder", "build", {"build/Ayuda/html"}, false, "build"},
        {"copied folder named bin", "copia/bin", {"copia/bin/Ayuda/html"}, false, "copia/bin"},
        {"pages beside come first", "usr/bin", {"usr/bin/Ayuda/html", "usr/share/orvo/Ayuda/html"}, true, "usr/bin"},
        {"installed without pages", "usr/bin", {"usr/share/orvo"}, true, "usr/bin"},
        // Help pages are looked for in ../share/orvo whatever the folder's name.
        {"share/orvo beside, not a bin", "opt", {"share/orvo/Ayuda/html"}, false, "share/orvo"},
    };
    QCoreApplication::setApplicationName(QStringLiteral("Orvo"));
    QTemporaryDir usuario;
    qputenv("XDG_DATA_HOME", usuario.path().toLocal8Bit());
    for (const Disposicion& c : casos) {
        SCOPED_TRACE(c.caso);
        QTemporaryDir raiz;
        const QString programa = raiz.filePath(QString::fromLatin1(c.programa));
        ASSERT_TRUE(QDir().mkpath(programa));
        for (const char* d : c.carpetas) ASSERT_TRUE(QDir().mkpath(raiz.filePath(QString::fromLatin1(d))));

        EXPECT_EQ(Module1::EsInstalado(programa), c.instalado);
        EXPECT_EQ(Module1::CarpetaRecursos(programa), raiz.filePath(QString::fromLatin1(c.recursos)));
        // The temporary folders are writable: an installed copy still keeps
        // its files in the user's folder, as it must when run as root.
        EXPECT_EQ(Module1::CarpetaDatos(programa), c.instalado ? usuario.filePath(QStringLiteral("Orvo")) : programa);
    }
    qunsetenv("XDG_DATA_HOME");
}

}   // namespace
