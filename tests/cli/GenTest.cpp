// orvo-gen on spreadsheet exports and the time for a set of clocks.
#include "Programa.h"
#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Programa::Salida;

Salida Correr(const char* programa, const QStringList& args) { return Programa::Correr(QLatin1String(programa), args); }

QString Archivo(const QTemporaryDir& dir, const QByteArray& contenido) {
    return Programa::Archivo(dir.filePath(QStringLiteral("tarjetas.csv")), contenido);
}

}   // namespace

TEST(Gen, CardListsBecomeAingLinesInTheEditorsFormat) {
    const struct {
        const char* caso;
        QByteArray csv;
        QByteArray script;   // Windows-1252, CR LF
    } casos[] = {
        {"semicolons, header, quotes, UTF-8 with BOM",
         "\xEF\xBB\xBFreloj;tarjeta;perfil 1;perfil 2\r\n1;\"123\";\"A\";B\r\n\r\n2;\"0045\";\"\xC3\x91\";\"x\"\"y\"\r\n",
         "AING 1, 123, A, B\r\nAING 2, 0045, \xD1, x\"y\r\n"},
        {"commas, no header, Windows-1252, no final line end", "1,7,\xD1,B\n a , 8 , C , D", "AING 1, 7, \xD1, B\r\nAING a, 8, C, D\r\n"},
        {"tabs and a quoted comma that the separator must not split", "reloj\ttarjeta\tp1\tp2\n3\t9\t\"P,\"\tQ\n",
         "AING 3, 9, P,, Q\r\n"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        QTemporaryDir dir;
        const Salida s = Correr("orvo-gen", {QStringLiteral("tarjetas"), Archivo(dir, caso.csv)});
        if (QByteArray(caso.caso).startsWith("tabs")) {
            // "P," makes a fifth argument: the compiler refuses the row.
            EXPECT_EQ(s.codigo, 1);
            EXPECT_EQ(s.err, QByteArray("fila 2: Comando AING: Sobran argumentos\n"
                                        "orvo-gen: hay filas con error; no se escribe nada.\n"));
            EXPECT_TRUE(s.out.isEmpty());
            continue;
        }
        EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
        EXPECT_EQ(s.out, caso.script);
        EXPECT_TRUE(s.err.isEmpty());
    }
}

TEST(Gen, EveryBadRowIsListedWithTheCompilersMessageAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString salida = dir.filePath(QStringLiteral("tarjetas.txt"));
    const Salida s = Correr("orvo-gen", {QStringLiteral("tarjetas"),
                                         Archivo(dir, "reloj;tarjeta;p1;p2\n1;100;A;B\n0;101;A;B\n1;10X;A;B\n1;102;A\n1;103;A;B\n?;104;A;B\n"),
                                         QStringLiteral("-o"), salida});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(QString::fromUtf8(s.err),
              QStringLiteral("fila 3: ERROR! Número de reloj invalido\nfila 4: ERROR! Tarjeta Invalida\n"
                             "fila 5: se esperaban 4 columnas (reloj, tarjeta, perfil 1, perfil 2) y hay 3\n"
                             "fila 7: no da ninguna trama\n"
                             "orvo-gen: hay filas con error; no se escribe nada.\n"));
    EXPECT_TRUE(s.out.isEmpty());
    EXPECT_FALSE(QFile::exists(salida));
}

TEST(Gen, TimeScriptHasIniaAndFechForEachClockOfTheList) {
    QTemporaryDir dir;
    const QString salida = dir.filePath(QStringLiteral("hora.txt"));
    const Salida s = Correr("orvo-gen", {QStringLiteral("hora"), QStringLiteral("--relojes"), QStringLiteral("1-3,7,a"),
                                         QStringLiteral("-o"), salida});
    ASSERT_EQ(s.codigo, 0) << s.err.toStdString();
    QFile f(salida);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lineas = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
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
        const Salida m = Correr("orvo-gen", {QStringLiteral("hora"), QStringLiteral("--relojes"), QLatin1String(lista)});
        EXPECT_EQ(m.codigo, 2) << lista;
        EXPECT_TRUE(m.out.isEmpty());
    }
}
