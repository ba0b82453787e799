// orvo-gen on spreadsheet exports and the time for a set of clocks.
#include "CarpetaPrueba.h"
#include "Programa.h"
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using CarpetaPrueba::Leer;
using Programa::Args;
using Programa::Salida;

Salida Gen(const QStringList& args, const QString& carpeta = {}) { return Programa::Correr(QStringLiteral("orvo-gen"), args, carpeta); }

QString Archivo(const QByteArray& contenido, const QString& nombre = QStringLiteral("tarjetas.csv")) {
    return Programa::Archivo(CarpetaPrueba::Ruta(nombre), contenido);
}

QString Planilla(const char* nombre) { return QStringLiteral(ORVO_SOURCE_DIR "/tests/cli/planillas/") + QLatin1String(nombre); }

// A serial device as each system names it, and the file its script gets.
#ifdef Q_OS_WIN
const char kSerie[] = "COM12";
const char kArchivoSerie[] = "COM12.txt";
#else
const char kSerie[] = "/dev/ttyUSB0";
const char kArchivoSerie[] = "dev_ttyUSB0.txt";
#endif

// The rows of the two real exports, as the editor saves them.
const QByteArray kGuionPersonal =
    "AING 1, 00123, A, B\r\nAING 1, 00124, A, C\r\nAING 2, 00200, B, B\r\nAING 2, 00201, Z, Z\r\nAING a, 09999, 1, 2\r\n";

}   // namespace

TEST(Gen, RealSpreadsheetExportsBecomeAingLinesInTheEditorsFormat) {
    const struct {
        const char* caso;
        QByteArray csv;
        QByteArray script;   // Windows-1252, CR LF
    } casos[] = {
        {"semicolons, header, quotes, UTF-8 with BOM",
         "\xEF\xBB\xBFreloj;tarjeta;perfil 1;perfil 2\r\n1;\"123\";\"A\";B\r\n\r\n2;\"0045\";\"\xC3\x91\";\"\"\"\"\r\n",
         "AING 1, 123, A, B\r\nAING 2, 0045, \xD1, \"\r\n"},
        {"commas, no header, Windows-1252, no final line end", "1,7,\xD1,B\n a , 8 , C , D", "AING 1, 7, \xD1, B\r\nAING a, 8, C, D\r\n"},
        {"titles written as people write them, columns in another order",
         "Sector;Perfíl_2;PERFIL-1; Tarjeta ;Re.loj\nObra;B;A;77;3\n", "AING 3, 77, A, B\r\n"},
        {"separators inside the quotes of a title outnumber the real ones",
         "\"notas;a;b;c;d;e\",reloj,tarjeta,perfil 1,perfil 2\nx,4,10,A,B\n", "AING 4, 10, A, B\r\n"},
        {"a quoted line break in an ignored column is part of its cell",
         "reloj;tarjeta;perfil 1;perfil 2;notas\n5;11;A;B;\"dos\r\nlíneas\"\n5;12;A;B;\n", "AING 5, 11, A, B\r\nAING 5, 12, A, B\r\n"},
        {"the old guess for unknown titles still skips them", "clock,card,p1,p2\n6,13,A,B\n", "AING 6, 13, A, B\r\n"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        const Salida s = Gen({QStringLiteral("tarjetas"), Archivo(caso.csv)});
        EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
        EXPECT_EQ(s.out, caso.script);
        EXPECT_TRUE(s.err.isEmpty());
    }
    // Saved by a spreadsheet program (libreoffice-*), and with the empty
    // formatted columns and blank rows a worked sheet gathers (personal-*).
    for (const char* exportada : {"libreoffice-puntoycoma-win1252.csv", "libreoffice-coma-utf8.csv", "personal-puntoycoma-win1252.csv",
                                  "personal-coma-utf8.csv"}) {
        SCOPED_TRACE(exportada);
        const Salida s = Gen({QStringLiteral("tarjetas"), Planilla(exportada)});
        EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
        EXPECT_EQ(s.out, kGuionPersonal);
    }
}

TEST(Gen, BadRowsAreListedWithRowColumnAndMessageAndNothingIsWritten) {
    const struct {
        const char* caso;
        QByteArray csv;
        const char* errores;
    } casos[] = {
        {"the compiler's messages name the cell",
         "reloj;tarjeta;perfil 1;perfil 2\n1;100;A;B\n0;101;A;B\n1;10X;A;B\n1;102;A\n?;104;A;B\n",
         "fila 3: reloj \"0\": ERROR! Número de reloj invalido\n"
         "fila 4: tarjeta \"10X\": ERROR! Tarjeta Invalida\n"
         "fila 5: falta perfil 2\n"
         "fila 6: no da ninguna trama\n"},
        {"a profile longer than a character would be cut by the compiler",
         "reloj;tarjeta;perfil 1;perfil 2\n1;100;10;B\n1;101;A;Oficina\n",
         "fila 2: perfil 1 \"10\": un perfil es un solo carácter\n"
         "fila 3: perfil 2 \"Oficina\": un perfil es un solo carácter\n"},
        {"the same card twice for a clock names both rows",
         "reloj;tarjeta;perfil 1;perfil 2\n1;100;A;B\n2;100;A;B\n1;100;C;D\n",
         "fila 4: la tarjeta 100 del reloj 1 ya está en la fila 2\n"},
        {"a line break inside a cell that is sent",
         "reloj;tarjeta;perfil 1;perfil 2\n1;\"10\n0\";A;B\n1;200;A;B\n",
         "fila 2: tarjeta \"10 0\": hay un salto de línea dentro de la celda\n"},
        {"an unclosed quote is told as such", "reloj;tarjeta;perfil 1;perfil 2\n1;100;A;B\n1;\"101;A;B\n1;102;A;B\n",
         "fila 3: comillas sin cerrar\n"},
        {"a card twice for one clock of one destination; a destination with a blank",
         "reloj;tarjeta;perfil 1;perfil 2;destino\n1;100;A;B;127.0.0.1:7101\n1;100;A;B;127.0.0.1:7102\n1;100;C;D;127.0.0.1:7101\n1;101;A;B;127.0.0.1 :7101\n",
         "fila 4: la tarjeta 100 del reloj 1 ya está en la fila 2\n"
         "fila 5: destino \"127.0.0.1 :7101\": un destino no lleva espacios (HOST[:PUERTO] o un dispositivo)\n"},
        {"a destination orvo-send would refuse, in its words",
         "reloj;tarjeta;perfil 1;perfil 2;destino\n1;100;A;B;127.0.0.1:99999\n1;101;A;B;#porteria\n",
         "fila 2: destino inválido: \"127.0.0.1:99999\" (use HOST[:PUERTO], con puerto de 1 a 65535, o la ruta de un dispositivo)\n"
         "fila 3: destino \"#porteria\": un destino no empieza con # ni con comillas\n"},
        {"a card the spreadsheet wrote in scientific notation, with either decimal mark",
         "reloj;tarjeta;perfil 1;perfil 2\n1;1,5E+11;A;B\n1;1.23E+15;A;B\n",
         "fila 2: tarjeta \"1,5E+11\": la hoja de cálculo escribió el número en notación científica; dé formato de texto a la columna "
         "tarjeta y vuelva a exportar\n"
         "fila 3: tarjeta \"1.23E+15\": la hoja de cálculo escribió el número en notación científica; dé formato de texto a la columna "
         "tarjeta y vuelva a exportar\n"},
        {"a cell's control characters are shown, never sent to the terminal",
         "reloj;tarjeta;perfil 1;perfil 2\n1;1\x1B[2J0;A;B\n", "fila 2: tarjeta \"1\\x1B[2J0\": ERROR! Tarjeta Invalida\n"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        const QString salida = CarpetaPrueba::Ruta(QStringLiteral("tarjetas.txt"));
        const Salida s = Gen({QStringLiteral("tarjetas"), Archivo(caso.csv), QStringLiteral("-o"), salida});
        EXPECT_EQ(s.codigo, 1);
        EXPECT_EQ(QString::fromUtf8(s.err), QString::fromUtf8(caso.errores) + QStringLiteral("orvo-gen: hay filas con error; no se escribe nada.\n"));
        EXPECT_TRUE(s.out.isEmpty());
        EXPECT_FALSE(QFile::exists(salida));
    }
}

TEST(Gen, ManyBadRowsShowTheFirstTwentyAndHowManyMore) {
    QByteArray csv = "reloj;tarjeta;perfil 1;perfil 2\n";
    for (int i = 0; i < 25; ++i) csv += "1;" + QByteArray::number(500 + i) + ";AB;C\n";
    csv += "1;999;A;B\n";
    const Salida s = Gen({QStringLiteral("tarjetas"), Archivo(csv)});
    EXPECT_EQ(s.codigo, 1);
    const QStringList lineas = QString::fromUtf8(s.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 22) << s.err.toStdString();
    EXPECT_TRUE(lineas[0].startsWith(QStringLiteral("fila 2: perfil 1 \"AB\"")));
    EXPECT_TRUE(lineas[19].startsWith(QStringLiteral("fila 21: ")));
    EXPECT_EQ(lineas[20], QStringLiteral("… y 5 filas más"));
}

TEST(Gen, SheetsThatAreNotCardListsAreRefusedWithOneMessage) {
    const QString xls = Archivo(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(504, '\0'), QStringLiteral("viejo.xls"));
    const QString libro = QStringLiteral("orvo-gen: \"%1\" es un libro de hoja de cálculo: guárdelo como CSV (separado por ; o ,) y vuelva a intentarlo\n");
    const QString sinFilas = QStringLiteral("orvo-gen: \"%1\": no hay filas con tarjetas; no se escribe nada.\n");
    const struct {
        const char* caso;
        QString planilla;
        int codigo;
        QString error;   // %1: the sheet's path
    } casos[] = {
        {"a workbook (ZIP)", Planilla("tarjetas.ods"), 2, libro},
        {"a workbook (ZIP, .xlsx)", Planilla("libreoffice.xlsx"), 2, libro},
        {"a workbook (OLE)", xls, 2, libro},
        {"an empty file", Archivo("", QStringLiteral("vacia.csv")), 1, sinFilas},
        {"titles and blank rows only", Archivo("Obra;;;\n;;;\nreloj;tarjeta;perfil 1;perfil 2\n;;;\n", QStringLiteral("titulos.csv")), 1, sinFilas},
        {"titles without a profile column", Archivo("reloj;tarjeta;perfil\n1;2;A\n", QStringLiteral("perfil.csv")), 2,
         QStringLiteral("orvo-gen: \"%1\": la fila de títulos (fila 1) no tiene la columna «perfil 1»\n")},
        {"a title given twice, however written", Archivo("reloj;tarjeta;perfil 1;perfil 2;Perfil_1\n1;2;A;B;C\n", QStringLiteral("doble.csv")), 2,
         QStringLiteral("orvo-gen: \"%1\": la fila de títulos (fila 1) tiene dos columnas «perfil 1» (C y E): deje una sola\n")},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        const Salida s = Gen({QStringLiteral("tarjetas"), caso.planilla});
        EXPECT_EQ(s.codigo, caso.codigo);
        EXPECT_EQ(QString::fromUtf8(s.err), caso.error.arg(caso.planilla));
        EXPECT_TRUE(s.out.isEmpty());
    }
}

TEST(Gen, AnOutputThatIsTheSheetItselfIsRefusedAndTheSheetKept) {
    const QByteArray hoja = "reloj;tarjeta;perfil 1;perfil 2\n1;100;A;B\n";
    const QString planilla = Archivo(hoja);
    QStringList salidas{planilla, CarpetaPrueba::Ruta(QStringLiteral("./tarjetas.csv"))};
    // Through a symbolic link too (Windows makes a shortcut instead, a file of its own).
    const QString enlace = CarpetaPrueba::Ruta(QStringLiteral("enlace.csv"));
    if (QFile::link(planilla, enlace) && QFileInfo(enlace).isSymbolicLink()) salidas << enlace;
    for (const QString& salida : salidas) {
        const Salida s = Gen({QStringLiteral("tarjetas"), planilla, QStringLiteral("-o"), salida});
        EXPECT_EQ(s.codigo, 2) << salida.toStdString();
        EXPECT_TRUE(s.err.contains("misma planilla")) << s.err.toStdString();
        EXPECT_EQ(Leer(planilla), hoja);
    }
}

// The sheet may sit in the folder under the name of one of the files
// --carpeta writes; it is refused before any of them is written.
TEST(Gen, AFolderFileThatIsTheSheetItselfIsRefusedAndNothingWritten) {
    const QByteArray hoja = "reloj;tarjeta;perfil 1;perfil 2;destino\n1;100;A;B;127.0.0.1:7001\n2;100;A;B;127.0.0.1\n";
    const QString carpeta = CarpetaPrueba::Ruta(QStringLiteral("obra"));
    QDir().mkpath(carpeta);
    for (const char* nombre : {"destinos.txt", "127.0.0.1.txt"}) {
        SCOPED_TRACE(nombre);
        const QString planilla = Archivo(hoja, QStringLiteral("obra/") + QLatin1String(nombre));
        const Salida s = Gen({QStringLiteral("tarjetas"), planilla, QStringLiteral("--carpeta"), carpeta});
        EXPECT_EQ(s.codigo, 2);
        EXPECT_TRUE(s.err.startsWith(QStringLiteral("orvo-gen: --carpeta escribiría \"%1\", que es la misma planilla").arg(planilla).toUtf8()))
            << s.err.toStdString();
        EXPECT_EQ(Leer(planilla), hoja);
        EXPECT_EQ(QDir(carpeta).entryList(QDir::Files), QStringList{QLatin1String(nombre)});
        QFile::remove(planilla);
    }
}

// One rule for both tools: a cell orvo-gen accepts is a line orvo-send
// reads, and one it refuses would have stopped orvo-send. orvo-send is
// given a script with an error, so it stops before any link is opened.
TEST(Gen, DestinoCellsAreRefusedExactlyWhereOrvoSendRefusesThem) {
    const QString guion = Archivo("INIA 0\r\n", QStringLiteral("malo.txt"));
    const std::pair<bool, QList<QByteArray>> grupos[] = {
        {true, {"127.0.0.1:7001", "localhost", "[::1]:7002", kSerie}},
        {false, {"127.0.0.1:99999", "127.0.0.1:0", ":7001", "127.0.0.1:", "127.0.0.1:70a1", "127.0.0.1/24", "/", "[::1]x", "#1", "\"127.0.0.1"}},
    };
    for (const auto& [valido, destinos] : grupos)
        for (const QByteArray& destino : destinos) {
            SCOPED_TRACE(destino.toStdString());
            const Salida g = Gen({QStringLiteral("tarjetas"),
                                  Archivo("reloj;tarjeta;perfil 1;perfil 2;destino\n1;100;A;B;\"" + QByteArray(destino).replace("\"", "\"\"") + "\"\n"),
                                  QStringLiteral("--carpeta"), CarpetaPrueba::Ruta(QStringLiteral("obra"))});
            EXPECT_EQ(g.codigo, valido ? 0 : 1) << g.err.toStdString();
            const Salida e = Programa::Correr(QStringLiteral("orvo-send"), {QStringLiteral("--destinos"), Archivo(destino + " \n", QStringLiteral("lista.txt")), guion});
            EXPECT_EQ(e.codigo, valido ? 1 : 2) << e.err.toStdString();
        }
}

TEST(Gen, ADestinoColumnGivesAScriptPerDestinationAndTheListForOrvoSend) {
    const QString csv = Archivo(
        "reloj;tarjeta;perfil 1;perfil 2;Destino\n"
        "1;100;A;B;127.0.0.1:7001\n"
        "1;100;A;B;" +
        QByteArray(kSerie) +
        "\n"
        "2;101;A;B;127.0.0.1:7001\n"
        "1;102;C;D;COM1\n"
        "1;103;C;D;com1\n");
    const Salida sin = Gen({QStringLiteral("tarjetas"), csv});
    EXPECT_EQ(sin.codigo, 2);
    EXPECT_TRUE(sin.err.contains("--carpeta")) << sin.err.toStdString();
    EXPECT_TRUE(sin.out.isEmpty());

    const QString carpeta = CarpetaPrueba::Ruta(QStringLiteral("obra nueva/scripts"));
    const Salida s = Gen({QStringLiteral("tarjetas"), csv, QStringLiteral("--carpeta"), carpeta});
    ASSERT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_TRUE(s.out.isEmpty());
    EXPECT_EQ(Leer(carpeta + QStringLiteral("/127.0.0.1_7001.txt")), "AING 1, 100, A, B\r\nAING 2, 101, A, B\r\n");
    EXPECT_EQ(Leer(carpeta + QLatin1Char('/') + QLatin1String(kArchivoSerie)), "AING 1, 100, A, B\r\n");
    // Two destinations that would share a file name on a disk that ignores
    // case, and a name Windows keeps for a device.
    EXPECT_EQ(Leer(carpeta + QStringLiteral("/COM1_.txt")), "AING 1, 102, C, D\r\n");
    EXPECT_EQ(Leer(carpeta + QStringLiteral("/com1_-2.txt")), "AING 1, 103, C, D\r\n");
    const QStringList lista = QString::fromUtf8(Leer(carpeta + QStringLiteral("/destinos.txt"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lista.mid(1), (QStringList{QStringLiteral("127.0.0.1:7001 127.0.0.1_7001.txt"), QStringLiteral("%1 %2").arg(QLatin1String(kSerie), QLatin1String(kArchivoSerie)),
                                         QStringLiteral("COM1 COM1_.txt"), QStringLiteral("com1 com1_-2.txt")}));
    EXPECT_TRUE(lista.value(0).startsWith(QLatin1Char('#')));
}

TEST(Gen, ASheetOrScriptNamedDashIsReadFromStandardInput) {
    const Salida g = Programa::Correr(QStringLiteral("orvo-gen"), Args("tarjetas -"), {}, {}, "reloj,tarjeta,perfil 1,perfil 2\n7,70,A,B\n");
    EXPECT_EQ(g.codigo, 0) << g.err.toStdString();
    EXPECT_EQ(g.out, "AING 7, 70, A, B\r\n");
    const Salida c = Programa::Correr(QStringLiteral("orvoc"), {QStringLiteral("-")}, {}, {}, g.out);
    EXPECT_EQ(c.codigo, 0) << c.err.toStdString();
    EXPECT_TRUE(c.out.startsWith("02 "));
}

TEST(Gen, TimeScriptHasIniaAndFechForEachClockOfTheList) {
    const QString salida = CarpetaPrueba::Ruta(QStringLiteral("hora.txt"));
    const Salida s = Gen(Args("hora --relojes 1-3,7,a -o") << salida);
    ASSERT_EQ(s.codigo, 0) << s.err.toStdString();
    const QStringList lineas = QString::fromLatin1(Leer(salida)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lineas.size(), 11);
    const QString hoy = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    const QString relojes = QStringLiteral("1237a");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(lineas[2 * i], QStringLiteral("INIA ") + relojes[i]);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^FECH %1, \\d\\d/\\d\\d/\\d{4}, \\d\\d:\\d\\d$").arg(relojes[i]))
                        .match(lineas[2 * i + 1])
                        .hasMatch());
    }
    EXPECT_TRUE(lineas[1].contains(hoy) || QTime::currentTime() < QTime(0, 1));

    for (const char* lista : {"1-x", "0", "5-1", "1,,2", "12"}) {
        const Salida m = Gen({QStringLiteral("hora"), QStringLiteral("--relojes"), QLatin1String(lista)});
        EXPECT_EQ(m.codigo, 2) << lista;
        EXPECT_TRUE(m.out.isEmpty());
    }
}
