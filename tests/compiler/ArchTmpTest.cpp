// Codigo.tmp and Comandos.tmp: each non-empty code line with the command
// line that produced it, as typed, Windows-1252, CR LF.
#include "BancoCompilador.h"
#include "CarpetaPrueba.h"
#include "LlenarArchTmp.h"
#include "Module1.h"
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using CarpetaPrueba::Leer;

class ArchTmp : public ::testing::Test {
protected:
    // Compiles with the transmission available; returns what it was told.
    QStringList Transmitir(Banco& b, int linAnt) {
        b.entorno.conTransmision = true;
        b.Compilar(linAnt);
        return b.entorno.llamadas;
    }
};

// Each file replaces what an earlier run left.
TEST_F(ArchTmp, EachCodeLineGoesWithTheCommandLineThatProducedItAsThePaneHoldsIt) {
    const struct {
        const char* caso;
        QStringList lineas;
        int linAnt;
        QByteArray codigo, comandos;
    } casos[] = {
        // Help lines, help requests and comments leave no frame: pairing by index would slip.
        // The help requests above are not the line left: they open no help.
        {"help and comment lines between", {"inia 1", "INIA ?", "", "-- carga", "FECH ?", "C 1, 2, 3", "cmd 06", "T", "inia 9"}, 7, "02 52 31 41 03 23\r\n00 00 31 00 00 31\r\n06\r\n", "inia 1\r\nC 1, 2, 3\r\ncmd 06\r\n"},
        {"as typed, at signs and accents", {"C @, a@b, ñ€", "T"}, 1, "00 00 40 00 00 40\r\n", "C @, a@b, \xF1\x80\r\n"},
        {"rewritten by the chain", {"fech 1,5/12/2026,9:05", "T"}, 0, "02 52 31 31 32 36 31 32 30 35 37 30 39 30 35 03 6A\r\n", "FECH 1, 05/12/2026, 09:05\r\n"},
        {"one short line", {"ack", "T"}, 1, "06\r\n", "ack\r\n"},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.caso);
        for (const QString& ruta : {Module1::v_ArchCodigo, Module1::v_ArchComandos})
            ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, "basura larga de una corrida anterior\r\n\r\n\r\n"));
        Banco b(k.lineas);
        EXPECT_EQ(Transmitir(b, k.linAnt), QStringList({"transmision"}));
        EXPECT_EQ(Leer(Module1::v_ArchCodigo), k.codigo);
        EXPECT_EQ(Leer(Module1::v_ArchComandos), k.comandos);
    }
}

TEST_F(ArchTmp, ACharacterWindows1252LacksStopsTheHandOverWithAReason) {
    Banco b({"C 1, 2, 中", "T"});
    const QStringList llamadas = Transmitir(b, 1);
    ASSERT_EQ(llamadas.size(), 1);
    EXPECT_TRUE(llamadas[0].startsWith(QStringLiteral("fallo: La línea 1 ")));
    EXPECT_TRUE(llamadas[0].contains(QStringLiteral("中")));
    EXPECT_FALSE(QFile::exists(Module1::v_ArchCodigo));
    EXPECT_FALSE(QFile::exists(Module1::v_ArchComandos));
}

TEST_F(ArchTmp, AnUnwritableFolderOrALinkPlantedInASharedFolderIsReportedAndNothingIsWritten) {
    const QString compartida = CarpetaPrueba::Ruta(QStringLiteral("compartida"));
    ASSERT_TRUE(QDir().mkdir(compartida));
    ASSERT_EQ(::chmod(QFile::encodeName(compartida).constData(), 01777), 0);
    const QString victima = CarpetaPrueba::Ruta(QStringLiteral("victima"));
    QFile(victima).open(QIODevice::WriteOnly);
    for (const char* motivo : {"Comandos.tmp", "enlace simbólico"}) {
        SCOPED_TRACE(motivo);
        if (QLatin1String(motivo) == QLatin1String("Comandos.tmp")) {
            Module1::v_ArchComandos = CarpetaPrueba::Ruta(QStringLiteral("no/existe/Comandos.tmp"));
        } else {
            Module1::FijarCarpetas(compartida, compartida);
            ASSERT_TRUE(QFile::link(victima, Module1::v_ArchComandos));
        }
        Banco b({"ack", "T"});
        b.Compilar(99);
        QString dicho;
        EXPECT_FALSE(LlenarArchTmp(b.c, &dicho));
        EXPECT_TRUE(dicho.contains(QString::fromUtf8(motivo))) << dicho.toStdString();
        EXPECT_FALSE(QFile::exists(Module1::v_ArchCodigo)) << "both files or neither";
    }
    EXPECT_EQ(Leer(victima), QByteArray()) << "written through the link";
}

}   // namespace
