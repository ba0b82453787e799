#include "ArchivoComandos.h"
#include "CarpetaPrueba.h"
#include "Module1.h"
#include "VentanaPrueba.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <algorithm>
#include <gtest/gtest.h>

using CarpetaPrueba::Escribir;
using CarpetaPrueba::Leer;

TEST(Archivos, OpenThenSaveKeepsTheFileByteForByte) {
    struct Caso {
        const char* nombre;
        QByteArray bytes;
        QByteArray guardado;   // empty: the same bytes
    };
    const Caso casos[] = {
        // Opening normalises command lines ("inia 1" becomes "INIA 1"): what
        // the program wrote comes back unchanged.
        {"crlf", "INIA 1\r\n-- nota\r\n\r\nLREG 2\r\n", {}},
        {"arroba", "-- a@b\r\nFECH 1, 05/12/2026, 09:05\r\n", {}},
        {"win1252", "-- caf\xE9 \x80 se\xF1or\r\n", {}},
        {"utf8", "-- caf\xC3\xA9 se\xC3\xB1or\r\n", {}},
        {"utf8bom", "\xEF\xBB\xBF-- \xC3\xB1\r\n", {}},
        {"sin final", "inia 1\r\nlreg 2", "INIA 1\r\nLREG 2\r\n"},
        {"lf", "-- a\n-- b\n", "-- a\r\n-- b\r\n"},
        {"lineas vacias al final", "-- a\r\n\r\n\r\n", {}},
        {"vacio", "", ""},
    };
    for (const auto& c : casos) {
        const QString origen = CarpetaPrueba::Ruta(QString::fromLatin1(c.nombre) + QStringLiteral(".txt"));
        const QString destino = CarpetaPrueba::Ruta(QString::fromLatin1(c.nombre) + QStringLiteral("-guardado.txt"));
        Escribir(origen, c.bytes);
        VentanaPrueba w;
        w.archivos << origen << destino;
        w.mn_Abrir_Click();
        ASSERT_TRUE(w.avisos.isEmpty()) << c.nombre << w.avisos.join(u'\n').toStdString();
        EXPECT_EQ(w.tx_Arch->text(), QDir::toNativeSeparators(origen)) << c.nombre;
        EXPECT_FALSE(Module1::v_Modificado) << c.nombre;
        EXPECT_TRUE(w.mn_Guardar->isEnabled()) << c.nombre;
        ASSERT_TRUE(w.mn_Guardar_Click()) << c.nombre;
        const QByteArray esperado = c.guardado.isNull() ? c.bytes : c.guardado;
        EXPECT_EQ(Leer(destino), esperado) << c.nombre;
        EXPECT_EQ(Module1::v_Archivo, destino);
    }
}

TEST(Archivos, OpeningColoursAndCompilesEveryLine) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("a.txt"));
    Escribir(ruta, "inia 1\r\n\r\n-- nota\r\nhola\r\n");
    VentanaPrueba w;
    w.AbrirPorMenu(ruta);
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("INIA 1\r\n\r\n-- nota\r\nhola\r\n"));
    EXPECT_EQ(w.Cmd().ColorEn(0), Colores::AzulOscuro);
    EXPECT_EQ(w.Cmd().ColorEn(w.Cmd().LineIndex(2)), Colores::Verde);
    EXPECT_EQ(w.Cmd().ColorEn(w.Cmd().LineIndex(3)), Colores::Rojo);
    EXPECT_EQ(w.Cod().TextoLinea(0), QStringLiteral("02 52 31 41 03 23"));
    EXPECT_EQ(w.lst_Debug->count(), 1);
    EXPECT_EQ(w.lbl_Info->text(), QStringLiteral("Leyendo: hola"));
    EXPECT_EQ(w.Cmd().SelStart(), w.Cmd().Length());
    EXPECT_EQ(w.Comp().LinAntCmd, w.Cmd().LineCount() - 1);
    EXPECT_FALSE(w.v_PrimerUso);
}

// The pane cannot hold them inside a line: each code line must stay beside its command.
TEST(Archivos, UnicodeLineAndParagraphSeparatorsEndLinesAsThePaneShowsThem) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("u.txt"));
    Escribir(ruta,
             "-- a\xE2\x80\xA8"
             "INIA 1\r\n-- b\xE2\x80\xA9"
             "INIA 2\r\n-- c\xEF\xB7\x90"
             "INIA 3\r\n");
    VentanaPrueba w;
    w.AbrirPorMenu(ruta);
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("-- a\r\nINIA 1\r\n-- b\r\nINIA 2\r\n-- c\r\nINIA 3\r\n"));
    EXPECT_EQ(w.Cod().TextoLinea(1), QStringLiteral("02 52 31 41 03 23"));
    EXPECT_EQ(w.Cod().TextoLinea(3), QStringLiteral("02 52 32 41 03 20"));
    EXPECT_EQ(w.Cod().TextoLinea(5), QStringLiteral("02 52 33 41 03 21"));
}

TEST(Archivos, ReadOrWriteErrorsNameTheFileAndChangeNothing) {
    VentanaPrueba w;
    w.Escribir(QStringLiteral("inia 1"));
    Module1::v_Archivo = QStringLiteral("anterior.txt");
    // FIFOs and devices: ArchivosPosixTest.
    const QString ilegibles[] = {CarpetaPrueba::Ruta(QStringLiteral("no-existe.txt")), CarpetaPrueba::Ruta()};
    for (const QString& ruta : ilegibles) {
        w.avisos.clear();
        w.botones << QMessageBox::No;   // do not save the changes first
        w.AbrirPorMenu(ruta);
        ASSERT_EQ(w.avisos.size(), 1);
        EXPECT_TRUE(w.avisos[0].contains(QDir::toNativeSeparators(ruta))) << w.avisos[0].toStdString();
        EXPECT_EQ(w.Cmd().Text(), QStringLiteral("inia 1"));
        EXPECT_EQ(Module1::v_Archivo, QStringLiteral("anterior.txt"));
    }

    const QString imposible = CarpetaPrueba::Ruta(QStringLiteral("no/hay/carpeta.txt"));
    w.archivos << imposible;
    EXPECT_FALSE(w.mn_Guardar_Click());
    ASSERT_EQ(w.avisos.size(), 2);
    EXPECT_TRUE(w.avisos[1].contains(QDir::toNativeSeparators(imposible)));
    EXPECT_EQ(Module1::v_Archivo, QStringLiteral("anterior.txt"));
    EXPECT_TRUE(Module1::v_Modificado);
}

TEST(Archivos, ACharacterTheEncodingCannotHoldIsNeverReplacedSilently) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("x.txt"));
    VentanaPrueba w;
    w.Escribir(QStringLiteral("-- "));
    QTest::sendKeyEvent(QTest::Click, w.tx_Cmd, Qt::Key_unknown, QStringLiteral("中"), Qt::NoModifier);
    // Refused: nothing written, the text kept.
    w.archivos << ruta;
    w.botones << QMessageBox::No;
    EXPECT_FALSE(w.mn_Guardar_Click());
    EXPECT_FALSE(QFile::exists(ruta));
    EXPECT_TRUE(w.preguntas.last().contains(QStringLiteral("中")));
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("-- 中"));
    // Accepted: saved as UTF-8.
    w.archivos << ruta;
    w.botones << QMessageBox::Yes;
    EXPECT_TRUE(w.mn_Guardar_Click());
    EXPECT_EQ(Leer(ruta), QByteArray("-- \xE4\xB8\xAD\r\n"));
    EXPECT_EQ(w.CodificacionArchivo(), Codificacion::Tipo::Utf8);
}

TEST(Archivos, OverwritingAsksFirstAndNoKeepsTheFile) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("e.txt"));
    Escribir(ruta, "viejo\r\n");
    VentanaPrueba w;
    w.Escribir(QStringLiteral("nuevo"));
    w.archivos << ruta;
    w.botones << QMessageBox::No;
    EXPECT_FALSE(w.mn_Guardar_Click());
    EXPECT_EQ(Leer(ruta), QByteArray("viejo\r\n"));
    EXPECT_EQ(w.preguntas.last(), QStringLiteral("Atención!|El archivo ") + QDir::toNativeSeparators(ruta) +
                                      QStringLiteral(" ya existe.\r\n¿Desea sobreescribirlo?"));
    w.archivos << ruta;
    w.botones << QMessageBox::Yes;
    EXPECT_TRUE(w.mn_Guardar_Click());
    EXPECT_EQ(Leer(ruta), QByteArray("nuevo\r\n"));
    EXPECT_EQ(w.tx_Arch->text(), QDir::toNativeSeparators(ruta));
    EXPECT_FALSE(Module1::v_Modificado);
}

// New empties the command pane, the code pane and the debug list (its entries name lines that are gone).
TEST(Archivos, NewEmptiesThePanesAfterAskingToSave) {
    VentanaPrueba w;
    w.EscribirLineas({"inia 1", "lreg 0"});
    ASSERT_GT(w.lst_Debug->count(), 0);
    w.botones << QMessageBox::No;
    w.mn_Nuevo_Click();
    EXPECT_EQ(w.preguntas.size(), 1);
    EXPECT_EQ(w.preguntas[0], QStringLiteral("Pregunta|¿Desea guardar los cambios en el archivo actual?"));
    // (The code pane as shown and the file name: NewAndShorterFilesLeaveNoOldCodeOnScreen, Historia.NewAndOpen....)
    EXPECT_EQ(w.Cmd().Text(), QString());
    EXPECT_EQ(w.lst_Debug->count(), 0);
    EXPECT_FALSE(Module1::v_Modificado);
    // Nothing changed since: no question.
    w.mn_Nuevo_Click();
    EXPECT_EQ(w.preguntas.size(), 1);
    // The next pass does not bring the old entries back.
    w.EscribirLineas({"inia 2"});
    EXPECT_EQ(w.lst_Debug->count(), 0);
}

// Yes followed by a cancelled or failed save must keep the work, as Cancel does.
TEST(Archivos, YesWithoutASavedFileStopsNewOpenAndExit) {
    const QString imposible = CarpetaPrueba::Ruta(QStringLiteral("no/hay/carpeta.txt"));
    for (const bool falla : {false, true}) {
        VentanaPrueba w;
        w.Escribir(QStringLiteral("inia 1"));
        auto responder = [&] {
            w.botones << QMessageBox::Yes;
            if (falla) w.archivos << imposible;   // else the save dialog is cancelled
        };
        responder();
        w.mn_Nuevo_Click();
        EXPECT_EQ(w.Cmd().Text(), QStringLiteral("inia 1"));

        responder();
        const int dialogos = w.dialogosArchivo;
        w.mn_Abrir_Click();
        EXPECT_EQ(w.dialogosArchivo, dialogos + 1) << "only the save dialog, no open dialog";

        responder();
        w.mn_Salir_Click();
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.Cmd().Text(), QStringLiteral("inia 1"));
    }
}

TEST(Archivos, ClosingTheWindowAsksToSaveUnsavedChangesAndOnlyThen) {
    VentanaPrueba sinCambios;
    EXPECT_TRUE(sinCambios.close());
    EXPECT_TRUE(sinCambios.preguntas.isEmpty());

    VentanaPrueba w;
    w.Escribir(QStringLiteral("inia 1"));
    w.botones << QMessageBox::Cancel;
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.preguntas.size(), 1);

    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("g.txt"));
    w.botones << QMessageBox::Yes;
    w.archivos << ruta;
    EXPECT_TRUE(w.close());
    EXPECT_EQ(Leer(ruta), QByteArray("inia 1\r\n"));
}

// New (answered No) and opening a shorter or an empty file leave nothing of
// the old code on screen: read as a screen reader reads the pane, and as it
// is painted.
TEST(Archivos, NewAndShorterFilesLeaveNoOldCodeOnScreen) {
    const QString corto = CarpetaPrueba::Ruta(QStringLiteral("corto.txt"));
    const QString vacio = CarpetaPrueba::Ruta(QStringLiteral("vacio.txt"));
    ASSERT_TRUE(Escribir(corto, "INIA 1\r\n") && Escribir(vacio, {}));
    struct Caso {
        const char* nombre;
        QString archivo;   // empty: New
        QString codigo;    // the code pane as shown after it
    };
    const Caso casos[] = {{"nuevo", QString(), QString()},
                          {"archivo corto", corto, QStringLiteral("02 52 31 41 03 23\n\n")},
                          {"archivo vacio", vacio, QString()}};
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        VentanaPrueba w;
        for (int i = 1; i <= 6; ++i) {
            w.EscribirLineas({QStringLiteral("lreg %1").arg(i)});
        }
        ASSERT_EQ(Mostrada(w.tx_Cod).texto.count(u'\n'), 7);
        w.botones << QMessageBox::No;
        if (caso.archivo.isEmpty()) {
            w.mn_Nuevo_Click();
        } else {
            w.AbrirPorMenu(caso.archivo);
        }
        EXPECT_EQ(Mostrada(w.tx_Cod).texto, caso.codigo);
        // Painted: nothing but the background below the rows that remain.
        const int debajo = caso.codigo.isEmpty() ? 0 : w.tx_Cod->RectCaracter(w.tx_Cod->Caracteres()).bottom() + 1;
        const QImage imagen = w.tx_Cod->viewport()->grab().toImage();
        const QColor fondo = w.tx_Cod->palette().color(QPalette::Base);
        int tinta = 0;
        for (int y = std::max(0, debajo); y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width(); ++x)
                if (imagen.pixelColor(x, y) != fondo) ++tinta;
        EXPECT_EQ(tinta, 0);
    }
}
