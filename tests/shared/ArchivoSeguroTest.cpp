// Opening files safely: only regular files, never blocking, and no planted
// link followed in a folder others can write to. (Files over the size limit:
// ArchivoSeguroComunTest, and orvoc's 64 MB message.)
#include "ArchivoSeguro.h"
#include "CarpetaPrueba.h"
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ArchivoSeguro;
using CarpetaPrueba::Escribir;
using CarpetaPrueba::Leer;

namespace {
bool Agregar(const QString& ruta, const QByteArray& bytes, QString* motivo) {
    QFile f;
    return AbrirAgregar(f, ruta, motivo) && f.write(bytes) == bytes.size();
}

bool Reemplazar(const QString& ruta, const QByteArray& bytes, QString* motivo) {
    Reemplazo r(ruta);
    const bool ok = r.Escribir(bytes) && r.Confirmar();
    *motivo = r.Motivo();
    return ok;
}
}   // namespace

TEST(ArchivoSeguro, WhatIsNotARegularFileIsRefusedWithoutBlocking) {
    const QString fifo = CarpetaPrueba::Ruta(QStringLiteral("tuberia"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Caso {
        QString ruta;
        const char* motivo;
    };
    const Caso casos[] = {
        {fifo, "FIFO"},
        {QStringLiteral("/dev/zero"), "dispositivo"},
        {CarpetaPrueba::Ruta(), "carpeta"},
    };
    for (const auto& c : casos) {
        QByteArray bytes("sin tocar");
        QString motivo;
        EXPECT_FALSE(Leer(c.ruta, kLimiteComandos, false, &bytes, &motivo)) << c.ruta.toStdString();
        EXPECT_TRUE(motivo.contains(QLatin1String(c.motivo))) << motivo.toStdString();
        EXPECT_EQ(bytes, QByteArray("sin tocar"));
        motivo.clear();
        EXPECT_FALSE(Agregar(c.ruta, "x", &motivo)) << c.ruta.toStdString();
        EXPECT_TRUE(motivo.contains(QLatin1String(c.motivo))) << motivo.toStdString();
        motivo.clear();
        EXPECT_FALSE(Reemplazar(c.ruta, "x", &motivo)) << c.ruta.toStdString();
        EXPECT_TRUE(motivo.contains(QLatin1String(c.motivo))) << motivo.toStdString();
    }
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO was replaced";
}

TEST(ArchivoSeguro, ALinkIsFollowedInAPrivateFolderOnlyAndTheFileItPointsAtIsKeptOtherwise) {
    const QString victima = CarpetaPrueba::Ruta(QStringLiteral("victima"));
    struct Caso {
        QFileDevice::Permissions modo;
        bool compartida;
    };
    const auto todos = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    const Caso casos[] = {
        {todos, false},
        {todos | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup, true},
        {todos | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther, true},
    };
    int n = 0;
    for (const auto& c : casos) {
        const QString carpeta = CarpetaPrueba::Ruta(QString::number(++n));
        ASSERT_TRUE(QDir().mkdir(carpeta));
        ASSERT_TRUE(QFile::setPermissions(carpeta, c.modo));
        EXPECT_EQ(CarpetaCompartida(carpeta + QStringLiteral("/x")), c.compartida);
        const QString log = carpeta + QStringLiteral("/Comm.log"), cfg = carpeta + QStringLiteral("/Orvo.cfg");
        ASSERT_TRUE(Escribir(victima, "mio\n"));
        ASSERT_TRUE(QFile::link(victima, log));
        ASSERT_TRUE(QFile::link(victima, cfg));

        QString motivo;
        QByteArray leido;
        EXPECT_EQ(Agregar(log, "otro\n", &motivo), !c.compartida) << n;
        EXPECT_EQ(Leer(cfg, 1000, true, &leido, &motivo), !c.compartida) << n;
        EXPECT_TRUE(Leer(cfg, 1000, false, &leido, &motivo)) << "a file the user chose is read through its link";
        EXPECT_EQ(Reemplazar(cfg, "nuevo\n", &motivo), !c.compartida) << n;
        if (c.compartida) {
            EXPECT_TRUE(motivo.contains(QStringLiteral("enlace simbólico"))) << motivo.toStdString();
            const QString duro = carpeta + QStringLiteral("/duro.log");
            ASSERT_EQ(::link(QFile::encodeName(victima).constData(), QFile::encodeName(duro).constData()), 0);
            EXPECT_FALSE(Agregar(duro, "otro\n", &motivo)) << "appended through a hard link";
            EXPECT_EQ(Leer(victima), QByteArray("mio\n"));
        } else {
            EXPECT_EQ(Leer(victima), QByteArray("nuevo\n"));
            EXPECT_TRUE(QFileInfo(cfg).isSymLink()) << "the link the user set up stays";
        }
    }
}

// (What an unconfirmed replacement leaves: ArchivoSeguroComunTest.)
TEST(ArchivoSeguro, AReplacementKeepsThePermissions) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("Orvo.cfg"));
    ASSERT_TRUE(Escribir(ruta, "viejo"));
    ASSERT_EQ(::chmod(QFile::encodeName(ruta).constData(), 0640), 0);
    Reemplazo r(ruta);
    ASSERT_TRUE(r.Escribir("nuevo") && r.Confirmar());
    EXPECT_EQ(Leer(ruta), QByteArray("nuevo"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(ruta).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(CarpetaPrueba::Ruta()).entryList(QDir::Files), QStringList{QStringLiteral("Orvo.cfg")});
}
