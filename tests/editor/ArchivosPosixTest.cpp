// A FIFO would block the window and a device would never end: each is
// refused by name, like a missing file, and nothing changes.
#include "CarpetaPrueba.h"
#include "Module1.h"
#include "VentanaPrueba.h"
#include <QFile>
#include <QMessageBox>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(Archivos, AFifoOrADeviceIsRefusedByNameAndChangesNothing) {
    VentanaPrueba w;
    w.Escribir(QStringLiteral("inia 1"));
    Module1::v_Archivo = QStringLiteral("anterior.txt");
    const QString fifo = CarpetaPrueba::Ruta(QStringLiteral("tuberia"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& ruta : {fifo, QStringLiteral("/dev/zero")}) {
        w.avisos.clear();
        w.botones << QMessageBox::No;   // do not save the changes first
        w.AbrirPorMenu(ruta);
        ASSERT_EQ(w.avisos.size(), 1);
        EXPECT_TRUE(w.avisos[0].contains(ruta)) << w.avisos[0].toStdString();
        EXPECT_EQ(w.Cmd().Text(), QStringLiteral("inia 1"));
        EXPECT_EQ(Module1::v_Archivo, QStringLiteral("anterior.txt"));
    }
}
