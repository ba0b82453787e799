// The command line every tool shares: one option table, --help/-h, --version,
// and a usage error told the same way by all.
#include "LineaOrdenes.h"
#include "Programa.h"
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

using Programa::Salida;
using P = Consola::Lectura::Pedido;

struct Leido {
    P pedido;
    QStringList posicionales;
    QString problema;
    QString salida;
    int numero = -1;
    bool marca = false;
};

// orvo answers these before it opens a window, so every tool runs with no display at all.
QProcessEnvironment SinPantalla() {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) e.remove(QLatin1String(v));
    return e;
}

Leido LeerCon(const QStringList& args) {
    Leido r{};
    const Consola::Opcion tabla[] = {
        {"salida", 'o', true, Consola::Texto(&r.salida)},
        {"count", 0, true, Consola::Entero(&r.numero, 1)},
        {"verbose", 'v', false, Consola::Marca(&r.marca)},
    };
    const Consola::Lectura l = Consola::Leer(args, tabla);
    r.pedido = l.pedido;
    r.posicionales = l.posicionales;
    r.problema = l.problema;
    return r;
}

TEST(Uso, OneTableReadsLongShortAndJoinedValues) {
    const struct {
        QStringList args;
        P pedido;
        QStringList posicionales;
        QString salida;
        int numero;
        bool marca;
    } casos[] = {
        {{"a", "-o", "x.txt", "b"}, P::Seguir, {"a", "b"}, "x.txt", -1, false},
        {{"--salida=x=y", "--count", "3", "-v"}, P::Seguir, {}, "x=y", 3, true},
        {{"-", "--salida", "-"}, P::Seguir, {"-"}, "-", -1, false},
        // After "--" nothing is an option, not even --help.
        {{"--", "-o", "--help", "-"}, P::Seguir, {"-o", "--help", "-"}, {}, -1, false},
        // A value is taken as it is, even one that looks like an option.
        {{"-o", "--help"}, P::Seguir, {}, "--help", -1, false},
        {{"-h"}, P::Ayuda, {}, {}, -1, false},
        {{"x", "--version", "--help"}, P::Version, {"x"}, {}, -1, false},
        // Help wins over a bad option wherever it stands.
        {{"--bogus", "--help"}, P::Ayuda, {}, {}, -1, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const Leido r = LeerCon(c.args);
        EXPECT_EQ(r.pedido, c.pedido) << r.problema.toStdString();
        EXPECT_EQ(r.posicionales, c.posicionales);
        EXPECT_EQ(r.salida, c.salida);
        EXPECT_EQ(r.numero, c.numero);
        EXPECT_EQ(r.marca, c.marca);
    }
}

TEST(Uso, EachBadLineSaysWhatIsWrongAndTheFirstProblemIsTold) {
    const struct {
        QStringList args;
        const char* problema;
    } casos[] = {
        {{"--bogus"}, "opción desconocida: --bogus"},
        {{"-x", "--otra"}, "opción desconocida: -x"},
        {{"-vo"}, "opción desconocida: -vo"},
        {{"--salida"}, "falta el valor de --salida"},
        {{"a", "-o"}, "falta el valor de -o"},
        {{"--verbose=1"}, "--verbose no lleva valor"},
        {{"--count", "0"}, "valor inválido para --count: 0"},
        {{"--count=tres"}, "valor inválido para --count: tres"},
        {{"--sal", "x"}, "opción desconocida: --sal"},
        {{"-o", ""}, "-o lleva un valor vacío"},
        {{"--salida="}, "--salida lleva un valor vacío"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const Leido r = LeerCon(c.args);
        EXPECT_EQ(r.pedido, P::Error);
        EXPECT_EQ(r.problema, QString::fromUtf8(c.problema));
    }
}

// Each tool as a user meets it.
TEST(Uso, EveryToolHasSpanishHelpVersionAndOneWayToRefuseALine) {
    const char* const herramientas[] = {"orvoc", "orvo-gen", "orvo-sim", "orvo", "orvo-send"};
    const QProcessEnvironment sinPantalla = SinPantalla();
    for (const char* nombre : herramientas) {
        SCOPED_TRACE(nombre);
        const QString programa = QLatin1String(nombre);
        const QByteArray n(nombre);
        const Salida ayuda = Programa::Correr(programa, {QStringLiteral("--help")}, {}, sinPantalla);
        EXPECT_EQ(ayuda.codigo, 0);
        EXPECT_TRUE(ayuda.out.startsWith("Uso: " + n + " ")) << ayuda.out.toStdString();
        EXPECT_TRUE(ayuda.err.isEmpty());
        for (const char* ingles : {"Usage", "Options", "Arguments", "Displays"}) EXPECT_FALSE(ayuda.out.contains(ingles));
        const Salida corta = Programa::Correr(programa, {QStringLiteral("-h")}, {}, sinPantalla);
        EXPECT_EQ(corta.codigo, 0);
        EXPECT_EQ(corta.out, ayuda.out);
        const Salida version = Programa::Correr(programa, {QStringLiteral("--version")}, {}, sinPantalla);
        EXPECT_EQ(version.codigo, 0);
        EXPECT_TRUE(version.out.startsWith(n + " 2.0.0\n")) << version.out.toStdString();

        const Salida mal = Programa::Correr(programa, {QStringLiteral("--no-existe")}, {}, sinPantalla);
        EXPECT_EQ(mal.codigo, 2);
        EXPECT_TRUE(mal.out.isEmpty());
        EXPECT_EQ(mal.err, n + ": opción desconocida: --no-existe\nPruebe \"" + n + " --help\".\n");
    }
}

TEST(Uso, ExtraOrMissingArgumentsAreOneLineNotTheWholeHelp) {
    const struct {
        const char* programa;
        QStringList args;
        const char* error;
    } casos[] = {
        {"orvoc", {}, "orvoc: falta el archivo a compilar\n"},
        {"orvoc", {"a.txt", "b.txt"}, "orvoc: sobra un argumento: b.txt\n"},
        {"orvo-gen", {}, "orvo-gen: falta la orden (tarjetas u hora)\n"},
        {"orvo-gen", {"hora", "--relojes"}, "orvo-gen: falta el valor de --relojes\n"},
        {"orvo-sim", {"7001"}, "orvo-sim: sobra un argumento: 7001\n"},
        {"orvo-sim", {"--late", "-1"}, "orvo-sim: valor inválido para --late: -1\n"},
        {"orvo", {"a.txt", "b.txt"}, "orvo: sobra un argumento: b.txt\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const Salida s = Programa::Correr(QLatin1String(c.programa), c.args, {}, SinPantalla());
        EXPECT_EQ(s.codigo, 2);
        EXPECT_EQ(QString::fromUtf8(s.err), QString::fromUtf8(c.error) + QStringLiteral("Pruebe \"%1 --help\".\n").arg(QLatin1String(c.programa)));
    }
}

}   // namespace
