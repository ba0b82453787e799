// Qt's own open and save dialogs show file dates in the program's language,
// not in the system's (the rest of the dialog comes from Qt's translations).
#include "CarpetaPrueba.h"
#include "DialogoArchivo.h"
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>
#include <gtest/gtest.h>

TEST(DialogoArchivo, DatesAreWrittenInTheProgramsLocaleAndSaveDoesNotAskTwice) {
    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("reloj.txt"));
    ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, "INIA 1\r\n"));
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QDateTime fecha(QDate(2026, 12, 7), QTime(17, 5));
    ASSERT_TRUE(f.setFileTime(fecha, QFileDevice::FileModificationTime));
    f.close();

    QFileDialog d(nullptr, QStringLiteral("Abrir"), CarpetaPrueba::Ruta(), QStringLiteral("Archivos de texto (*.txt)"));
    d.setOption(QFileDialog::DontUseNativeDialog);
    PrepararDialogoArchivo(d, false);
    auto* proxy = qobject_cast<FechasLocales*>(d.proxyModel());
    ASSERT_NE(proxy, nullptr);
    auto* archivos = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
    ASSERT_NE(archivos, nullptr);
    const QModelIndex carpeta = archivos->index(CarpetaPrueba::Ruta());
    ASSERT_TRUE(QTest::qWaitFor([&] { return archivos->rowCount(carpeta) > 0; }, 5000));
    const QModelIndex fila = proxy->mapFromSource(archivos->index(ruta, FechasLocales::kColumnaFecha));
    EXPECT_EQ(proxy->data(fila, Qt::DisplayRole).toString(), QStringLiteral("7/12/26 17:05"));
    EXPECT_EQ(d.fileMode(), QFileDialog::ExistingFile);

    QFileDialog g(nullptr, QStringLiteral("Guardar como"));
    PrepararDialogoArchivo(g, true);
    EXPECT_EQ(g.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(g.testOption(QFileDialog::DontConfirmOverwrite));
    QLocale::setDefault(antes);
}
