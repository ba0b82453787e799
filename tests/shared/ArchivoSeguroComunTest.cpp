// The safe file routines' promises that hold on every system, and the
// device names Windows reserves (checked as text everywhere, refused as
// files on Windows).
#include "ArchivoSeguro.h"
#include "CarpetaPrueba.h"
#include "NombreDispositivo.h"
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <gtest/gtest.h>

using namespace ArchivoSeguro;

namespace {
bool EnWindows() { return QSysInfo::productType() == QLatin1String("windows"); }

QByteArray LeerTodo(const QString& ruta) {
    QByteArray b;
    QString motivo;
    return Leer(ruta, kLimiteComandos, true, &b, &motivo) ? b : QByteArray("<error: ") + motivo.toUtf8() + '>';
}
}   // namespace

TEST(NombreDispositivo, ReservedNamesAndDevicePathsAreDevices) {
    const struct {
        const char* ruta;
        bool dispositivo;
    } casos[] = {
        {"CON", true},
        {"nul", true},
        {"NUL.txt", true},   // an extension does not make it a file
        {"nul.tar.gz", true},
        {"C:\\Datos\\COM1", true},
        {"c:/trabajo/lpt9.log", true},
        {"AUX ", true},
        {"con .txt", true},
        {"COM1:", true},
        {"C:prn", true},
        {"CONIN$", true},
        {"conout$", true},
        {"\\\\.\\COM3", true},
        {"//./PhysicalDrive0", true},
        {"\\\\?\\C:\\x.txt", true},
        {"COM\u00b9", true},
        {"CONSOLA.txt", false},
        {"COM0", false},
        {"COM10", false},   // only COM1 to COM9 are reserved names
        {"LPT", false},
        {"nulo.txt", false},
        {"script.con", false},
        {"C:\\CON\\tarjetas.txt", false},
        {"comandos.txt", false},
        {"", false},
        {"/home/tecnico/COMX", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(EsDispositivoWindows(QString::fromUtf8(c.ruta)), c.dispositivo) << c.ruta;
}

TEST(ArchivoSeguroComun, AppendReplaceAndReadKeepEveryByte) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("Comm.log"));
    // Bytes as they are: CR LF stays CR LF, 0x1A and high bytes stay.
    const QByteArray lineas[] = {QByteArray("> 02 52 31 41 03 23\r\n"), QByteArray("\x1a\xff\x80\n", 4)};
    for (const QByteArray& l : lineas) {
        QFile f;
        QString motivo;
        ASSERT_TRUE(AbrirAgregar(f, ruta, &motivo)) << motivo.toStdString();
        ASSERT_EQ(f.write(l), l.size());
    }
    EXPECT_EQ(LeerTodo(ruta), lineas[0] + lineas[1]);

    Reemplazo r(ruta);
    ASSERT_TRUE(r.Escribir("500\r\n3000\r\n0\r\n") && r.Confirmar()) << r.Motivo().toStdString();
    EXPECT_EQ(LeerTodo(ruta), QByteArray("500\r\n3000\r\n0\r\n"));
    EXPECT_EQ(QDir(CarpetaPrueba::Ruta()).entryList(QDir::Files), QStringList{QStringLiteral("Comm.log")})
        << "no temporary file left behind";
}

TEST(ArchivoSeguroComun, AnUnconfirmedReplacementLeavesTheOldFile) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("Orvo.cfg"));
    {
        Reemplazo r(ruta);
        ASSERT_TRUE(r.Escribir("1\r\n") && r.Confirmar());
    }
    {
        Reemplazo r(ruta);
        ASSERT_TRUE(r.Escribir("2\r\n"));
        EXPECT_EQ(LeerTodo(ruta), QByteArray("1\r\n")) << "nothing changes before the confirmation";
    }
    EXPECT_EQ(LeerTodo(ruta), QByteArray("1\r\n"));
    EXPECT_EQ(QDir(CarpetaPrueba::Ruta()).entryList(QDir::Files).size(), 1) << "no leftover";
}

TEST(ArchivoSeguroComun, FoldersLargeFilesAndDevicesAreRefusedByName) {
    QByteArray b("sin tocar");
    QString motivo;
    EXPECT_FALSE(Leer(CarpetaPrueba::Ruta(), kLimiteComandos, false, &b, &motivo));
    EXPECT_TRUE(motivo.contains(QStringLiteral("carpeta"))) << motivo.toStdString();

    const QString grande = CarpetaPrueba::Ruta(QStringLiteral("grande.txt"));
    {
        QFile f(grande);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2048, 'x'));
    }
    EXPECT_FALSE(Leer(grande, 1024, false, &b, &motivo));
    EXPECT_TRUE(motivo.contains(QStringLiteral("límite"))) << motivo.toStdString();
    EXPECT_EQ(b, QByteArray("sin tocar"));
    EXPECT_EQ(LeerTodo(grande).size(), 2048);

    if (!EnWindows()) return;   // on Linux these names are ordinary (missing) files
    for (const QString& nombre : {QStringLiteral("NUL"), QStringLiteral("con.txt"), QStringLiteral("\\\\.\\COM1"),
                                  CarpetaPrueba::Ruta(QStringLiteral("aux.log"))}) {
        motivo.clear();
        EXPECT_FALSE(Leer(nombre, kLimiteComandos, false, &b, &motivo)) << nombre.toStdString();
        EXPECT_TRUE(motivo.contains(QStringLiteral("dispositivo"))) << nombre.toStdString() << ": " << motivo.toStdString();
        Reemplazo r(nombre);
        EXPECT_FALSE(r.Escribir("x") && r.Confirmar()) << nombre.toStdString();
    }
}
