// Where Linux names the serial ports, and Orvo.cfg written in a folder that
// refuses new files (POSIX modes, a child process as an unprivileged user).
#include "AyudaTx.h"
#include "CarpetaPrueba.h"
#include "Configuracion.h"
#include "Module1.h"
#include "PuertoSerie.h"
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using CarpetaPrueba::Escribir;

TEST(PuertoSerie, ComNamesMapToTtySAndPathsPassOthersAreRefused) {
    EXPECT_EQ(PuertoSerie::Lista(), (QStringList{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}));
    const struct {
        const char* texto;
        const char* dispositivo;   // nullptr: refused
    } casos[] = {
        {"COM1", "/dev/ttyS0"},
        {"COM8", "/dev/ttyS7"},
        {"com3", "/dev/ttyS2"},
        {" COM2 ", "/dev/ttyS1"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"/tmp/x/ttyV1", "/tmp/x/ttyV1"},
        {"COM9", nullptr},
        {"COM0", nullptr},
        {"", nullptr},
        {"ttyUSB0", nullptr},
        {"/", nullptr},
    };
    for (const auto& c : casos) {
        QString disp, error;
        const bool ok = PuertoSerie::Dispositivo(QString::fromLatin1(c.texto), &disp, &error);
        EXPECT_EQ(ok, c.dispositivo != nullptr) << c.texto;
        if (c.dispositivo) {
            EXPECT_EQ(disp, QString::fromLatin1(c.dispositivo));
        } else {
            EXPECT_TRUE(error.contains(QStringLiteral("no es válido"))) << c.texto;
        }
    }
}

// A folder where no new file may be made but Orvo.cfg itself may be written:
// the file is written in place. Root may make files anywhere, so the write is
// done by a child process as an unprivileged user.
TEST(Configuracion, FolderThatRefusesNewFilesStillGetsTheFileWrittenInPlace) {
    AyudaTx::Carpeta c;
    const QString carpeta = c.Ruta(QStringLiteral("solo-lectura"));
    ASSERT_TRUE(QDir().mkpath(carpeta));
    Module1::v_ArchCFG = carpeta + QStringLiteral("/Orvo.cfg");
    ASSERT_TRUE(Escribir(Module1::v_ArchCFG, "1\r\n2\r\n3\r\n"));
    ::chmod(QFile::encodeName(Module1::v_ArchCFG).constData(), 0666);
    ::chmod(QFile::encodeName(carpeta).constData(), 0555);
    ::chmod(QFile::encodeName(c.Raiz()).constData(), 0755);
    Module1::v_Delay = 100, Module1::v_TimeOut = 2000, Module1::v_Puerto = 2;

    auto grabar = [] {
        QString problema;
        return Configuracion::GrabarCFG(&problema);
    };
    bool grabado;
    if (::geteuid() != 0) {
        grabado = grabar();
    } else {
        const pid_t hijo = ::fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
            ::_exit(grabar() ? 0 : 1);
        }
        int estado = 0;
        ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
        ASSERT_TRUE(WIFEXITED(estado));
        ASSERT_NE(WEXITSTATUS(estado), 3) << "could not become an unprivileged user";
        grabado = WEXITSTATUS(estado) == 0;
    }
    ::chmod(QFile::encodeName(carpeta).constData(), 0755);
    EXPECT_TRUE(grabado);
    EXPECT_EQ(c.Cfg(), QByteArray("100\r\n2000\r\n2\r\n"));
    EXPECT_EQ(QDir(carpeta).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Orvo.cfg")});
}
