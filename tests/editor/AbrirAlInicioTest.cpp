// "orvo ARCHIVO": the file opens at start exactly as Archivo > Abrir opens it;
// a file that cannot be read gives the usual message and leaves the new window.
#include "CarpetaPrueba.h"
#include "Module1.h"
#include "VentanaPrueba.h"
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

struct Estado {
    QString cmd, cod, arch, archivo;
    int debug = 0;
    bool modificado = true, guardar = false, primerUso = true;
    bool operator==(const Estado&) const = default;
};

Estado Ver(VentanaPrueba& w) {
    return {w.Cmd().Text(), w.Cod().Text(), w.tx_Arch->text(), Module1::v_Archivo,
            w.lst_Debug->count(), Module1::v_Modificado, w.mn_Guardar->isEnabled(), w.v_PrimerUso};
}

TEST(AbrirAlInicio, GivesWhatTheOpenCommandGivesWithAFullPath) {
    VentanaPrueba porMenu;
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("guion.txt"));
    ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, "inia 1\r\nfech 1, 5/12/2026, 7:45\r\nINIA 0\r\n-- fin\r\n"));
    porMenu.AbrirPorMenu(ruta);
    const Estado esperado = Ver(porMenu);

    // Started from the file's folder with a relative name, as a shell would.
    const QString antes = QDir::currentPath();
    QDir::setCurrent(CarpetaPrueba::Ruta());
    VentanaPrueba alInicio;
    const bool abierto = alInicio.AbrirAlInicio(QStringLiteral("guion.txt"));
    QDir::setCurrent(antes);

    EXPECT_TRUE(abierto);
    EXPECT_TRUE(alInicio.avisos.isEmpty());
    EXPECT_EQ(alInicio.dialogosArchivo, 0);
    EXPECT_TRUE(Ver(alInicio) == esperado) << "the full path, the error line in the list, as by the menu";
}

TEST(AbrirAlInicio, UnreadableFileGivesTheUsualMessageAndANewWindow) {
    for (const QString& nombre : {QStringLiteral("no-existe.txt"), QStringLiteral("carpeta")}) {
        SCOPED_TRACE(nombre.toStdString());
        VentanaPrueba w;
        QDir(CarpetaPrueba::Ruta()).mkdir(QStringLiteral("carpeta"));
        Module1::v_Archivo.clear();
        const Estado nueva = Ver(w);
        const QString ruta = CarpetaPrueba::Ruta(nombre);

        EXPECT_FALSE(w.AbrirAlInicio(ruta));
        ASSERT_EQ(w.avisos.size(), 1);
        // The name as the system writes it (backslashes on Windows).
        EXPECT_TRUE(w.avisos[0].startsWith(QStringLiteral("Error|No se pudo leer el archivo ") + QDir::toNativeSeparators(ruta) +
                                           QStringLiteral(".")))
            << w.avisos[0].toStdString();
        EXPECT_TRUE(Ver(w) == nueva);
        EXPECT_EQ(w.tx_Arch->text(), QStringLiteral("[Archivo nuevo]"));
    }
}

}   // namespace
