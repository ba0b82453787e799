// orvoc end to end on real files: what it prints, where, and its exit code.
#include "CarpetaPrueba.h"
#include "Programa.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Programa::Salida;

class Orvoc : public ::testing::Test {
protected:
    static QString Archivo(const QByteArray& contenido, const QString& nombre = QStringLiteral("guion.txt")) {
        return Programa::Archivo(CarpetaPrueba::Ruta(nombre), contenido);
    }

    static QString Enorme() {
        QFile f(CarpetaPrueba::Ruta(QStringLiteral("enorme.txt")));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.resize((qint64(64) << 20) + 1));   // sparse
        return f.fileName();
    }

    static Salida Correr(const QStringList& args) { return Programa::Correr(QStringLiteral("orvoc"), args); }
};

TEST_F(Orvoc, PrintsTheCodePaneWithLfAndExitsZeroWithoutErrors) {
    const Salida s = Correr({Archivo("inia 1\r\n-- nota\r\n\r\nfech 1,5/12/2026,10:37\r\nack\r\n")});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.out, QByteArray("02 52 31 41 03 23\n\n\n02 52 31 31 32 36 31 32 30 35 37 31 30 33 37 03 63\n06\n\n"));
    EXPECT_EQ(s.err, QByteArray());
}

TEST_F(Orvoc, ErrorsGoToStderrOnePerLineAndExitOne) {
    const Salida s = Correr({Archivo("INIA 0\nFECH 1,,10:00\nINIA 1\n")});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.out, QByteArray("ERROR! N\xC3\xBAmero de reloj invalido\nComando FECH: Argumento vac\xC3\xADo\n"
                                "ERROR! Fecha invalida\n02 52 31 41 03 23\n\n"));
    EXPECT_EQ(s.err, QByteArray("Linea 1 - ERROR! N\xC3\xBAmero de reloj invalido\n"
                                "Linea 2 - Comando FECH: Argumento vac\xC3\xADo\nLinea 2 - ERROR! Fecha invalida\n"));
}

TEST_F(Orvoc, LineEndsCrLfLfAndCrReadAlikeAndALastLineWithoutEndCounts) {
    const std::pair<QByteArray, QByteArray> casos[] = {
        {"inia 1\r\nack\r\n", "02 52 31 41 03 23\n06\n\n"},
        {"inia 1\nack\n", "02 52 31 41 03 23\n06\n\n"},
        {"inia 1\rack\r", "02 52 31 41 03 23\n06\n\n"},
        {"inia 1\r\nack", "02 52 31 41 03 23\n06\n\n"},
        {"-- a\xE2\x80\xA8inia 1\xE2\x80\xA9"
         "ack",
         "\n02 52 31 41 03 23\n06\n\n"},   // as the window shows them
        {"", ""},
    };
    for (const auto& [texto, esperado] : casos) {
        const Salida s = Correr({Archivo(texto)});
        EXPECT_EQ(s.codigo, 0);
        EXPECT_EQ(s.out, esperado) << texto.toStdString();
    }
}

TEST_F(Orvoc, ReadsWindows1252AndUtf8AndWritesUtf8) {
    // "C é,x,y" and an unknown word with "ñ": the byte of é is E9 whichever way the file was saved.
    const QByteArray esperado("00 00 E9 00 00 E9\nERROR! Comando desconocido: \xC3\x91O\n\n");
    const Salida w = Correr({Archivo("C \xE9,x,y\r\n\xF1o\r\n", QStringLiteral("w1252.txt"))});
    const Salida u = Correr({Archivo("C \xC3\xA9,x,y\r\n\xC3\xB1o\r\n", QStringLiteral("utf8.txt"))});
    EXPECT_EQ(w.out, esperado);
    EXPECT_EQ(u.out, esperado);
    EXPECT_EQ(w.err, QByteArray("Linea 2 - ERROR! Comando desconocido: \xC3\x91O\n"));
    EXPECT_EQ(w.codigo, 1);
}

TEST_F(Orvoc, NormalizedPrintsTheCommandPaneAfterThePass) {
    const QString ruta = Archivo("inia 1\r\nfech a,1/3/2011,8:05\r\nT\r\ninia 2\r\n");
    const Salida s = Correr({QStringLiteral("--normalized"), ruta});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.out, QByteArray("INIA 1\nFECH a, 01/03/2011, 08:05\ninia 2\n"));
    const Salida despues = Correr({ruta, QStringLiteral("--normalized")});
    EXPECT_EQ(despues.out, s.out) << "the option may follow the file";
    // The chain stops at a help line: what follows stays as typed.
    const Salida ayuda = Correr({QStringLiteral("--normalized"), Archivo("inia 1\nINIA ?\ninia 2\n")});
    EXPECT_EQ(ayuda.out, QByteArray("INIA 1\nINIA ?\ninia 2\n"));
}

TEST_F(Orvoc, BadUsageAndUnreadableFilesExitTwoWithAClearMessage) {
    const QString falta = CarpetaPrueba::Ruta(QStringLiteral("no-existe.txt"));
    struct Caso {
        QStringList args;
        const char* enMensaje;
    };
    const Caso casos[] = {
        // A missing file, an unknown option or one argument too many alone: UsoTest.
        {{QStringLiteral("--normalized")}, "falta el archivo"},
        {{falta}, "no-existe.txt"},
        {{CarpetaPrueba::Ruta()}, "carpeta"},
        // A huge file is no script (FIFOs and devices: OrvocPosixTest).
        {{Enorme()}, "64 MB"},
    };
    for (const auto& c : casos) {
        const Salida s = Correr(c.args);
        EXPECT_EQ(s.codigo, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(s.err.contains(c.enMensaje)) << s.err.toStdString();
        EXPECT_EQ(s.out, QByteArray());
    }
}

TEST_F(Orvoc, AFileWithoutReadPermissionIsNamedWithTheReason) {
    const QString ruta = Archivo("ack\n", QStringLiteral("cerrado.txt"));
    QFile::setPermissions(ruta, QFileDevice::WriteOwner);
    QFile prueba(ruta);
    if (prueba.open(QIODevice::ReadOnly)) GTEST_SKIP() << "running as a user that reads everything";
    const Salida s = Correr({ruta});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.err.contains("cerrado.txt"));
}

TEST_F(Orvoc, ExampleScriptsCompileAsTheirCommentsSay) {
    const Salida s = Correr({QStringLiteral(ORVO_SOURCE_DIR "/ejemplos/terminales.txt")});
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_TRUE(s.out.split('\n').contains("02 52 61 31 32 36 31 32 30 35 37 30 37 34 35 03 30"));

    const Salida e = Correr({QStringLiteral(ORVO_SOURCE_DIR "/ejemplos/errores.txt")});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_EQ(QString::fromUtf8(e.err).split(u'\n', Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("Linea 2 - ERROR! Número de reloj invalido"),
                           QStringLiteral("Linea 3 - ERROR! Formato de número de reloj invalido"),
                           QStringLiteral("Linea 4 - Comando INIA: Sin argumentos"),
                           QStringLiteral("Linea 5 - Comando INIA: Sobran argumentos"),
                           QStringLiteral("Linea 6 - ERROR! Fecha invalida"),
                           QStringLiteral("Linea 7 - ERROR! Hora invalida"),
                           QStringLiteral("Linea 8 - Comando FECH: Argumento vacío"),
                           QStringLiteral("Linea 8 - ERROR! Fecha invalida"),
                           QStringLiteral("Linea 9 - Comando ACK: Sobran argumentos"),
                           QStringLiteral("Linea 10 - ERROR! Caracteres inválidos: 'Z'"),
                           QStringLiteral("Linea 11 - ERROR! Comando desconocido: FECHA"),
                           QStringLiteral("Linea 12 - ERROR! Comando desconocido: --SIN")}));
}

}   // namespace
