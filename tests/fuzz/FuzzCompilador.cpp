// Fuzz target for the compiler: any bytes, read as a command file and
// compiled exactly as orvoc compiles it (same decoding, same line ends, the
// headless environment, so "T" and "?" lines open nothing). Besides crashes,
// hangs and sanitizer reports, a broken invariant of the pass aborts the run:
// - every error line in the code pane has its "Linea N - " debug entry, in
//   order, with N a line of the file;
// - every other code line is empty or byte text;
// - every frame the compiler builds checks to 00 (frames written by hand with
//   CMD are sent as typed and are left out).
#include "Bytes.h"
#include "CompilarArchivo.h"
#include <QRegularExpression>
#include <QSet>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fallar(const QString& que, const QString& detalle) {
    std::fprintf(stderr, "fuzz_compilador: %s\n  %s\n", qUtf8Printable(que), qUtf8Printable(detalle));
    std::abort();
}

QStringList LineasCRLF(const QString& texto) {
    QStringList l = texto.split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.back().isEmpty()) l.pop_back();
    return l;
}

// The bytes of every CMD line, blanks removed, upper case: the frames it may
// produce as typed.
QSet<QString> TramasAMano(const QStringList& comandos) {
    QSet<QString> r;
    for (const QString& linea : comandos) {
        const qsizetype espacio = linea.indexOf(QLatin1Char(' '));
        if (espacio < 0 || linea.left(espacio).toUpper() != QLatin1String("CMD")) continue;
        QString bytes = linea.mid(espacio + 1).toUpper();
        bytes.remove(QLatin1Char(' '));
        r.insert(bytes);
    }
    return r;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    static const QRegularExpression kBytes(QStringLiteral("^[0-9A-F]{1,2}( [0-9A-F]{1,2})*$"));
    static const QRegularExpression kEntrada(QStringLiteral("^Linea ([0-9]+) - (.*)$"),
                                             QRegularExpression::DotMatchesEverythingOption);

    const QByteArray bytes(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(largo));
    const QStringList comandos = LineasCRLF(TextoComoAbrir(bytes));
    const ResultadoCompilacion r = CompilarComoAbrir(bytes);
    const QStringList codigo = LineasCRLF(r.codigo);

    QStringList errores;
    const QSet<QString> aMano = TramasAMano(comandos);
    for (const QString& linea : codigo) {
        if (linea.isEmpty()) continue;
        if (!kBytes.match(linea).hasMatch()) {
            errores.append(linea);
            continue;
        }
        const bool trama = linea.startsWith(QLatin1String("02 52 ")) || linea.startsWith(QLatin1String("00 00 "));
        if (trama && f_BCC(linea) != QLatin1String("00") && !aMano.contains(QString(linea).remove(QLatin1Char(' '))))
            Fallar(QStringLiteral("trama con byte de control erróneo"), linea);
    }

    if (r.debug.size() != errores.size())
        Fallar(QStringLiteral("%1 líneas de error y %2 entradas de depuración").arg(errores.size()).arg(r.debug.size()),
               r.debug.join(QStringLiteral(" | ")));
    int anterior = 1;
    for (qsizetype i = 0; i < r.debug.size(); ++i) {
        const QRegularExpressionMatch m = kEntrada.match(r.debug[i]);
        if (!m.hasMatch()) Fallar(QStringLiteral("entrada de depuración sin \"Linea N - \""), r.debug[i]);
        const int n = m.captured(1).toInt();
        if (n < anterior || n > comandos.size())
            Fallar(QStringLiteral("número de línea fuera de orden o del archivo (%1 líneas)").arg(comandos.size()),
                   r.debug[i]);
        if (m.captured(2) != errores[i])
            Fallar(QStringLiteral("la entrada no repite su línea de error"), r.debug[i] + QStringLiteral(" <> ") + errores[i]);
        anterior = n;
    }
    return 0;
}
