// orvo-send over a whole site: simulated clocks on loopback (orvo-sim
// --count, each noting the frames it receives with the time they came), a
// script per destination, the time set when sent, failed clocks re-run.
#include "AyudaTx.h"
#include "Bytes.h"
#include "CompilarArchivo.h"
#include "CarpetaPrueba.h"
#include "Programa.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace AyudaTx;
using Programa::Archivo;
using Programa::Args;
using Programa::Enviar;

namespace {
struct Recibida {
    QDateTime cuando;
    QString hex;
};

// The frames each simulated clock noted, by port.
QMap<quint16, QList<Recibida>> Recibidas(const QString& anotadas) {
    QMap<quint16, QList<Recibida>> r;
    QFile f(anotadas);
    if (!f.open(QIODevice::ReadOnly)) return r;
    for (const QByteArray& l : f.readAll().split('\n')) {
        if (l.isEmpty()) continue;
        const QString linea = QString::fromLatin1(l);
        r[linea.section(QLatin1Char(' '), 1, 1).toUShort()].append(
            {QDateTime::fromString(linea.section(QLatin1Char(' '), 0, 0), QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")),
             linea.section(QLatin1Char(' '), 2)});
    }
    return r;
}

QStringList HexDe(const QList<Recibida>& r) {
    QStringList l;
    for (const Recibida& x : r) l << x.hex;
    return l;
}

// The frames a script compiles to, as the editor compiles it.
QStringList Tramas(const QByteArray& guion) {
    QStringList l;
    for (const QString& c : CompilarComoAbrir(guion).codigo.split(QStringLiteral("\r\n")))
        if (!c.isEmpty()) l << c;
    return l;
}

const QByteArray kA = "INIA 1\r\nAING 1, 123, A, B\r\n";
const QByteArray kB = "INIB 2\r\nEHAB 2\r\nBING 2, 77\r\n";
const QByteArray kComun = "EHAB 3\r\n";

struct CasoMalo {
    const char* caso;
    QStringList args;
    int codigo;
    const char* err;
};

}   // namespace

// A folder of the test's own and simulated clocks on consecutive ports from
// p, noting in `anotadas` every frame they receive.
class Sitio : public ::testing::Test {
protected:
    bool Iniciar(int relojes) { return sim.IniciarVarios(relojes, anotadas, &p); }
    // Each case ends with its status and its Spanish message, and reaches no clock.
    template <size_t N>
    void Rechazados(const CasoMalo (&casos)[N]) {
        for (const auto& caso : casos) {
            SCOPED_TRACE(caso.caso);
            const Programa::Salida e = Enviar(caso.args, CarpetaPrueba::Ruta());
            EXPECT_EQ(e.codigo, caso.codigo);
            const QString err = QString::fromUtf8(e.err);
            EXPECT_TRUE(err.contains(QString::fromUtf8(caso.err))) << err.toStdString();
            for (const char* nunca : {"::", "\x1B", "No such file", "ioctl", "Permission denied"})
                EXPECT_FALSE(err.contains(QLatin1String(nunca))) << nunca << " in " << err.toStdString();
            EXPECT_TRUE(Recibidas(anotadas).isEmpty());
        }
    }
    QString anotadas = CarpetaPrueba::Ruta(QStringLiteral("recibidas.txt"));
    quint16 p = 0;
    Sim sim;
};

TEST_F(Sitio, EachClockReceivesExactlyItsOwnScriptAndTheSummarySaysNofMAndWhen) {
    ASSERT_TRUE(Iniciar(3));
    QDir(CarpetaPrueba::Ruta()).mkdir(QStringLiteral("con blanco"));
    Archivo(CarpetaPrueba::Ruta(QStringLiteral("a.txt")), kA);
    Archivo(CarpetaPrueba::Ruta(QStringLiteral("con blanco/b c.txt")), kB);
    const QString comun = Archivo(CarpetaPrueba::Ruta(QStringLiteral("comun.txt")), kComun);
    // A BOM as a spreadsheet's "UTF-8 text" leaves it, a comment, a tab between the two.
    const QString destinos = Archivo(CarpetaPrueba::Ruta(QStringLiteral("obra.txt")),
                                     "\xEF\xBB\xBF" + Tcp(p).toLatin1() + " a.txt\n# oficina\n" + Tcp(p + 1).toLatin1() +
                                         "\t\"con blanco/b c.txt\"\n\n" + Tcp(p + 2).toLatin1() + "  # la del comando\n");
    const QString registros = CarpetaPrueba::Ruta(QStringLiteral("registros/nuevos"));
    const Programa::Salida e = Enviar(QStringList{QStringLiteral("--destinos"), destinos} + Args("--delay 0 --json --log-dir") << registros << comun, CarpetaPrueba::Ruta());
    ASSERT_EQ(e.codigo, 0) << e.err.toStdString();

    const struct {
        quint16 puerto;
        QByteArray guion;
        const char* archivo;
    } esperado[] = {{p, kA, "/a.txt"}, {static_cast<quint16>(p + 1), kB, "/con blanco/b c.txt"}, {static_cast<quint16>(p + 2), kComun, "/comun.txt"}};
    const auto recibidas = Recibidas(anotadas);
    const QJsonArray filas = Programa::Filas(e.out);
    ASSERT_EQ(filas.size(), 3) << e.out.toStdString();
    const QRegularExpression iso(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d$)"));
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(HexDe(recibidas.value(esperado[i].puerto)), Tramas(esperado[i].guion));
        const QJsonObject f = filas[i].toObject();
        EXPECT_EQ(f.value(QStringLiteral("total")).toInt(), Tramas(esperado[i].guion).size());
        EXPECT_TRUE(f.value(QStringLiteral("archivo")).toString().endsWith(QLatin1String(esperado[i].archivo)));
        const QString inicio = f.value(QStringLiteral("inicio")).toString(), fin = f.value(QStringLiteral("fin")).toString();
        EXPECT_TRUE(iso.match(inicio).hasMatch() && iso.match(fin).hasMatch()) << inicio.toStdString() << " " << fin.toStdString();
        const qint64 ms = QDateTime::fromString(inicio, Qt::ISODateWithMs).msecsTo(QDateTime::fromString(fin, Qt::ISODateWithMs));
        EXPECT_EQ(f.value(QStringLiteral("ms")).toInteger(), ms);
        EXPECT_TRUE(QFile::exists(QDir(registros).filePath(QStringLiteral("Comm-127.0.0.1_%1.log").arg(esperado[i].puerto))));
    }

    // Twice round, with the time of day on every exchange line: the table
    // counts against frames × loops; Comm.log keeps its fixed lines.
    const Programa::Salida t = Enviar(QStringList{QStringLiteral("--destinos"), destinos} + Args("--delay 0 --loop 2 --marcas --log-dir") << registros << comun, CarpetaPrueba::Ruta());
    ASSERT_EQ(t.codigo, 0) << t.err.toStdString();
    const QStringList lineas = QString::fromUtf8(t.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList tabla = lineas.mid(lineas.size() - 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(tabla[i].startsWith(Tcp(esperado[i].puerto)) &&
                    tabla[i].contains(QStringLiteral(" %1 de %1 ").arg(2 * Tramas(esperado[i].guion).size())))
            << tabla[i].toStdString();
    const QRegularExpression marca(QStringLiteral(R"(^\d\d:\d\d:\d\d\.\d{3} 127\.0\.0\.1:\d+: )"));
    for (const QString& l : lineas.mid(0, lineas.size() - 4)) EXPECT_TRUE(marca.match(l).hasMatch()) << l.toStdString();
    for (const QString& l : LineasDe(QDir(registros).filePath(QStringLiteral("Comm-127.0.0.1_%1.log").arg(p))))
        EXPECT_TRUE(l.isEmpty() || l.startsWith(QLatin1String("> ")) || l.startsWith(QLatin1String("< "))) << l.toStdString();
}

TEST_F(Sitio, HoraActualSetsEachClockToTheTimeItsFrameLeftAndReadsAPipe) {
    ASSERT_TRUE(Iniciar(2));
    const QString destinos = Archivo(CarpetaPrueba::Ruta(QStringLiteral("obra.txt")), (Tcp(p) + "\n" + Tcp(p + 1) + "\n").toLatin1());
    const QStringList comunes = Args("--hora-actual --delay 300 --paralelo 1 --destinos") << destinos << QStringLiteral("-");

    // A script written long ago, then one straight from orvo-gen.
    const Programa::Salida viejo = Programa::Correr(QStringLiteral("orvo-send"), comunes, CarpetaPrueba::Ruta(), {}, "INIA 1\r\nFECH 1, 01/01/2020, 00:00\r\nFECH 2, 1/1/20, 0:00\r\n");
    const QByteArray salida = viejo.out;
    EXPECT_EQ(viejo.codigo, 0) << viejo.err.toStdString();

    QProcess gen, envio;
    gen.setStandardOutputProcess(&envio);
    envio.setWorkingDirectory(CarpetaPrueba::Ruta());
    gen.start(QStringLiteral(ORVO_BUILD_DIR "/orvo-gen"), {QStringLiteral("hora"), QStringLiteral("--relojes"), QStringLiteral("1")});
    envio.start(QStringLiteral(ORVO_BUILD_DIR "/orvo-send"), comunes);
    ASSERT_TRUE(gen.waitForFinished(30000) && envio.waitForFinished(30000));
    EXPECT_EQ(envio.exitCode(), 0) << envio.readAllStandardError().toStdString();

    const auto recibidas = Recibidas(anotadas);
    int fech = 0;
    for (const quint16 puerto : {p, static_cast<quint16>(p + 1)}) {
        const QStringList log = LineasDe(CarpetaPrueba::Ruta(QStringLiteral("Comm-127.0.0.1_%1.log").arg(puerto)));
        for (const Recibida& r : recibidas.value(puerto)) {
            const QStringList b = r.hex.split(QLatin1Char(' '));
            if (b.size() != 17 || b[3] != QLatin1String("31")) continue;
            ++fech;
            SCOPED_TRACE(r.hex.toStdString());
            const QByteArray d = QByteArray::fromHex(r.hex.toLatin1());
            EXPECT_EQ(f_BCC(r.hex.chopped(2)), r.hex.right(2)) << "the check byte of the rewritten frame";
            // YY MM DD W hh mm as digits; the clock must read the minute it got the frame.
            const QDate fecha(2000 + d.mid(4, 2).toInt(), d.mid(6, 2).toInt(), d.mid(8, 2).toInt());
            const QDateTime puesta(fecha, QTime(d.mid(11, 2).toInt(), d.mid(13, 2).toInt()));
            const QDateTime llegada(r.cuando.date(), QTime(r.cuando.time().hour(), r.cuando.time().minute()));
            EXPECT_TRUE(puesta == llegada || puesta == llegada.addSecs(-60))
                << puesta.toString().toStdString() << " / " << r.cuando.toString().toStdString();
            EXPECT_EQ(d[10] - '0', fecha.dayOfWeek() % 7 + 1);
            // What went is what was logged and shown.
            EXPECT_TRUE(log.contains(QStringLiteral("> ") + r.hex));
        }
    }
    EXPECT_EQ(fech, 2 + 2 + 2);   // two old lines and orvo-gen's one, on each clock
    EXPECT_FALSE(salida.contains("2020")) << salida.toStdString();
    EXPECT_TRUE(salida.contains(QStringLiteral("FECH 2, %1").arg(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))).toLatin1()) ||
                salida.contains(QStringLiteral("FECH 2, %1").arg(QDate::currentDate().addDays(1).toString(QStringLiteral("dd/MM/yyyy"))).toLatin1()))
        << salida.toStdString();
}

TEST_F(Sitio, FallidosListsTheFailedWithTheirScriptsAndARerunTouchesOnlyThem) {
    ASSERT_TRUE(Iniciar(2));
    const quint16 muerto = PuertoLibre(), mudo = PuertoLibre();
    Sim callado;
    ASSERT_TRUE(callado.IniciarTCP(mudo, {QStringLiteral("--no-answer")}));
    Archivo(CarpetaPrueba::Ruta(QStringLiteral("a.txt")), kA);
    Archivo(CarpetaPrueba::Ruta(QStringLiteral("b c.txt")), kB);
    const QString comun = Archivo(CarpetaPrueba::Ruta(QStringLiteral("comun.txt")), kComun);
    const QString destinos =
        Archivo(CarpetaPrueba::Ruta(QStringLiteral("obra.txt")), (Tcp(p) + " a.txt\n" + Tcp(muerto) + " \"b c.txt\"\n" + Tcp(p + 1) +
                                                                  "\n" + Tcp(mudo) + "\n")
                                                                     .toLatin1());
    QDir(CarpetaPrueba::Ruta()).mkdir(QStringLiteral("reintentos"));
    const QString fallidos = CarpetaPrueba::Ruta(QStringLiteral("reintentos/fallidos.txt"));
    const Programa::Salida e = Enviar(QStringList{QStringLiteral("--destinos"), destinos} + Args("--timeout 1000 --delay 0 --fallidos") << fallidos << comun, CarpetaPrueba::Ruta());
    EXPECT_EQ(e.codigo, 4);
    QStringList lista;
    for (const QString& l : QString::fromUtf8(CarpetaPrueba::Leer(fallidos)).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!l.startsWith(QLatin1Char('#'))) lista << l;
    // Paths are relative to the list's own folder.
    EXPECT_EQ(lista.join(QLatin1Char('|')), Tcp(muerto) + QStringLiteral(" \"../b c.txt\"|") + Tcp(mudo));
    // One sentence each on stderr, with what to do.
    const QString err = QString::fromUtf8(e.err);
    EXPECT_TRUE(err.contains(Tcp(muerto) + QStringLiteral(": error al conectarse a ")) && err.contains(QStringLiteral("compruebe la dirección")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(Tcp(mudo) + QStringLiteral(": 1 de 1 tramas quedaron sin su respuesta completa"))) << err.toStdString();

    // Both clocks answer now; the re-run reaches only them and leaves no list behind.
    const int antes = HexDe(Recibidas(anotadas).value(p)).size() + HexDe(Recibidas(anotadas).value(p + 1)).size();
    Sim revivido, hablador;
    const QString otras = CarpetaPrueba::Ruta(QStringLiteral("otras.txt"));
    ASSERT_TRUE(revivido.IniciarTCP(muerto, {QStringLiteral("--tramas"), otras}));
    callado.proc.terminate();
    // A console program on Windows has no window to close: it is ended outright.
    if (!callado.proc.waitForFinished(3000)) callado.proc.kill();
    callado.proc.waitForFinished(3000);
    ASSERT_TRUE(hablador.IniciarTCP(mudo, {QStringLiteral("--tramas"), otras}));
    const Programa::Salida r = Enviar(QStringList{QStringLiteral("--destinos"), fallidos} + Args("--delay 0 --fallidos") << fallidos << comun, CarpetaPrueba::Ruta());
    EXPECT_EQ(r.codigo, 0) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(fallidos));
    EXPECT_EQ(HexDe(Recibidas(anotadas).value(p)).size() + HexDe(Recibidas(anotadas).value(p + 1)).size(), antes);
    const auto nuevas = Recibidas(otras);
    EXPECT_EQ(HexDe(nuevas.value(muerto)), Tramas(kB));
    EXPECT_EQ(HexDe(nuevas.value(mudo)), Tramas(kComun));
}

TEST_F(Sitio, BadListsAndScriptsAreRefusedInSpanishBeforeAnythingIsSent) {
    ASSERT_TRUE(Iniciar(1));
    const QString bueno = Archivo(CarpetaPrueba::Ruta(QStringLiteral("bueno.txt")), kA);
    Archivo(CarpetaPrueba::Ruta(QStringLiteral("malo.txt")), "INIA 1\r\nINIA 0\r\n");
    Archivo(CarpetaPrueba::Ruta(QStringLiteral("escape.txt")), "\x1B[2J\r\n");
    auto lista = [&](const char* nombre, const QByteArray& bytes) { return Archivo(CarpetaPrueba::Ruta(QString::fromLatin1(nombre)), bytes); };
    const QByteArray destino = Tcp(p).toLatin1();
    QByteArray utf16 = "\xFF\xFE";
    for (const char c : destino + "\n") utf16 += QByteArray(1, c) + QByteArray(1, '\0');
    const QString d = QStringLiteral("--destinos");
    const CasoMalo casos[] = {
        {"UTF-16 list", {d, lista("u16.txt", utf16), bueno}, 2, "está en UTF-16"},
        {"escape sequence in a line", {d, lista("esc.txt", destino + "\x1B[2J\n"), bueno}, 2, "\\x1B[2J"},
        {"unclosed quote", {d, lista("comillas.txt", destino + " \"a b.txt\n"), bueno}, 2, "comillas sin cerrar"},
        {"one script with errors", {d, lista("mezcla.txt", destino + " bueno.txt\n" + destino + " malo.txt\n")}, 1, "malo.txt: Linea 2 - ERROR! Número de reloj invalido"},
        {"no script for a line", {d, lista("sin.txt", destino + " bueno.txt\n" + destino + "\n")}, 2, "falta el archivo de comandos"},
        {"missing own script", {d, lista("falta.txt", destino + " no-esta.txt\n")}, 2, "no-esta.txt\": no existe"},
        {"a list of comments only", {d, lista("vacia.txt", "# obra\n\n"), bueno}, 2, "vacia.txt\" no tiene destinos"},
        {"escape sequence in a script", {d, lista("e.txt", destino + " escape.txt\n")}, 1, "Comando desconocido: \\x1B[2J"},
    };
    Rechazados(casos);
}

// Device paths as Linux names them (Windows names its ports COMn).
TEST_F(Sitio, MissingOrWrongSerialDevicesAreRefusedInSpanishBeforeAnythingIsSent) {
    ASSERT_TRUE(Iniciar(1));
    const QString bueno = Archivo(CarpetaPrueba::Ruta(QStringLiteral("bueno.txt")), kA);
    const CasoMalo casos[] = {
        {"missing serial device", {QStringLiteral("--serial"), CarpetaPrueba::Ruta(QStringLiteral("ttyNADA")), bueno}, 4, "ls /dev/serial/by-id/"},
        {"regular file as a serial device", {QStringLiteral("--serial"), bueno, bueno}, 4, "error al abrir el puerto"},
    };
    Rechazados(casos);
}
