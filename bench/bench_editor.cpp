// Editor figures in the real main window (offscreen): opening command files
// of growing size (read, compile, colour), the longest stall of the event
// loop while opening, Enter at the end of a long script (one full pass), and
// a line changed at the top of a long card list without blank lines (as
// `orvo-gen tarjetas` writes it), with the resident memory over many changes.
//
//   build/bench_editor [lines...]           default: 10000 100000
//   build/bench_editor ventana              only the window with a 100,000-line card list
//   build/bench_editor tarjetas [changes] [rojas]
//                                           only the card lists (default 1000 changes;
//                                           rojas: eight-digit cards, every line an error)
//   build/bench_editor linea [bytes...]     only a file of one long line (default
//                                           100000 1000000 10000000): opening, the
//                                           first paint, a key typed on another line
//
// Each opening is measured three times in a fresh window; the figures are medians.
#include "CajaRica.h"
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "PanelMemoria.h"
#include "fr_Principal.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cstdio>
#include <vector>

namespace {
class VentanaBanco : public fr_Principal {
public:
    QString archivo;
    QString PedirArchivo(bool) override { return archivo; }
    QMessageBox::StandardButton Preguntar(QMessageBox::Icon, const QString&, const QString&,
                                          QMessageBox::StandardButtons, QMessageBox::StandardButton) override {
        return QMessageBox::No;
    }
    void Avisar(QMessageBox::Icon, const QString&, const QString&) override {}
    void MostrarTransmision() override {}
};

const char* const kLineas[] = {
    "INIA 1",
    "FECH 1, 05/12/2026, 09:05",
    "-- configuracion del reloj",
    "AING 1, 12345678, 01, 02",
    "LREG 2",
    "BING 3, 87654321",
    "",
    "APER 1, 01, LMXJV, 08:00, 17:00",
    "HOLA 9",
    "CMD 02 52 31 41 03 23",
};

QString Escribir(const QTemporaryDir& dir, int n) {
    const QString ruta = dir.filePath(QStringLiteral("script%1.txt").arg(n));
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return {};
    QByteArray b;
    for (int i = 0; i < n; ++i) {
        b += kLineas[i % std::size(kLineas)];
        b += "\r\n";
    }
    f.write(b);
    return ruta;
}

constexpr int kVeces = 3;

struct Medida {
    double ms;
    double peor;
    int ticks;
};

// Opens the file in a fresh window; a 5 ms timer stands for the user: its
// longest gap is how long the window did not answer.
Medida Abrir(const QString& ruta) {
    VentanaBanco w;
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    w.archivo = ruta;
    QElapsedTimer tic;
    qint64 ultimo = 0, peor = 0;
    int ticks = 0;
    QTimer reloj;
    reloj.setInterval(5);
    QObject::connect(&reloj, &QTimer::timeout, [&] {
        const qint64 t = tic.elapsed();
        peor = std::max(peor, t - ultimo);
        ultimo = t;
        ++ticks;
    });
    QElapsedTimer t;
    t.start();
    tic.start();
    reloj.start();
    w.mn_Abrir_Click();
    const double ms = t.nsecsElapsed() / 1e6;
    peor = std::max(peor, tic.elapsed() - ultimo);
    reloj.stop();
    return {ms, static_cast<double>(peor), ticks};
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Resident memory of this process, MB.
double Residente() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> campos = f.readAll().split(' ');
    return campos.value(1).toLongLong() * 4096.0 / (1024.0 * 1024.0);
}

// Heap in use by this process, large blocks (mapped apart) included, MB
// (-1 where it cannot be read).
double HeapEnUso() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 33)
    const struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
#else
    return -1;
#endif
}

// rojas: eight-digit cards, each line an error line (coloured by the same chain).
QString EscribirTarjetas(const QTemporaryDir& dir, int n, bool rojas) {
    const QString ruta = dir.filePath(QStringLiteral("tarjetas%1%2.txt").arg(n).arg(rojas ? "r" : ""));
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return {};
    QByteArray b;
    for (int i = 0; i < n; ++i) {
        const QString tarjeta = rojas ? QString::number(10000000 + i) : QStringLiteral("%1").arg(i % 100000, 5, 10, QLatin1Char('0'));
        b += QStringLiteral("AING 1, %1, A, B\r\n").arg(tarjeta).toLatin1();
    }
    f.write(b);
    return ruta;
}

// The first card of the list edited and left, again and again: Delete and a
// lower-case letter on line 1, Down (the pass that rewrites it), Up.
void CambiosArriba(const QTemporaryDir& dir, int n, int cambios, bool rojas) {
    VentanaBanco w;
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    w.archivo = EscribirTarjetas(dir, n, rojas);
    w.mn_Abrir_Click();
    QTest::keyClick(w.tx_Cmd, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(w.tx_Cmd, Qt::Key_Down);
    QTest::keyClick(w.tx_Cmd, Qt::Key_Up);
    QApplication::processEvents();
    const double antes = Residente();
    std::vector<double> bajar, subir;
    for (int k = 0; k < cambios; ++k) {
        QTest::keyClick(w.tx_Cmd, Qt::Key_Delete);
        QTest::keyClick(w.tx_Cmd, Qt::Key_A);
        QElapsedTimer t;
        t.start();
        QTest::keyClick(w.tx_Cmd, Qt::Key_Down);
        bajar.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        QTest::keyClick(w.tx_Cmd, Qt::Key_Up);
        subir.push_back(t.nsecsElapsed() / 1e6);
        if (k % 50 == 0) QApplication::processEvents();
    }
    QApplication::processEvents();
    const double despues = Residente();
    std::printf("%-8d %8d %12.2f %10.2f %12.2f %10.1f %10.1f %10.1f\n", n, cambios, Mediana(bajar),
                *std::max_element(bajar.begin(), bajar.end()), Mediana(subir), antes, despues, despues - antes);
    std::fflush(stdout);
}

// Enter at a line of the window's command pane: the caret at the line's end, Enter.
double EnterEn(VentanaBanco& w, int linea) {
    const int inicio = w.Cmd().LineIndex(linea);
    w.Cmd().SetSelStart(inicio + w.Cmd().LineLength(inicio));
    QTest::keyClick(w.tx_Cmd, Qt::Key_Left);
    QTest::keyClick(w.tx_Cmd, Qt::Key_Right);
    QElapsedTimer t;
    t.start();
    QTest::keyClick(w.tx_Cmd, Qt::Key_Return);
    return t.nsecsElapsed() / 1e6;
}

// The window with a 100,000-line card list open: its memory, Enter at the
// top, in the middle and at the end, where the memory goes (each part let
// go in turn, the window is of no use after), and how long the opening takes.
void VentanaTarjetas(const QTemporaryDir& dir) {
    const int n = 100000;
    const QString ruta = EscribirTarjetas(dir, n, false);
    VentanaBanco w;
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    const double vacia = Residente();
    w.archivo = ruta;
    w.mn_Abrir_Click();
    QApplication::processEvents();
    const double abierta = Residente();
    std::printf("A %d-line card list in the window:\n", n);
    std::printf("  resident memory %.1f MB (empty window %.1f MB; before: 233)\n", abierta, vacia);
    const struct {
        const char* donde;
        double fraccion;
        const char* antes;
    } lugares[] = {{"at the top", 0.0, "-"}, {"in the middle", 0.5, "107"}, {"at the end", 1.0, "18"}};
    for (const auto& l : lugares) {
        std::vector<double> tiempos;
        for (int k = 0; k < 9; ++k) {
            const int linea = std::min(static_cast<int>(l.fraccion * w.Cmd().LineCount()), w.Cmd().LineCount() - 2);
            tiempos.push_back(EnterEn(w, linea));
        }
        std::printf("  Enter %s: median %.1f ms, max %.1f (before: %s)\n", l.donde, Mediana(tiempos),
                    *std::max_element(tiempos.begin(), tiempos.end()), l.antes);
    }
    // Where the memory goes: each part let go in turn, memory handed back to
    // the system. The heap in use is the finer figure: memory freed amid
    // blocks still held cannot go back, so resident memory hides part of it.
    std::printf("  where the memory goes (MB resident / heap in use):");
    double antes = Residente(), antesHeap = HeapEnUso();
    auto soltar = [&antes, &antesHeap](const char* que, const std::function<void()>& hacer) {
        hacer();
#ifdef __GLIBC__
        malloc_trim(0);
#endif
        const double ahora = Residente(), ahoraHeap = HeapEnUso();
        std::printf(" %s %.1f / %.1f,", que, antes - ahora, antesHeap - ahoraHeap);
        antes = ahora;
        antesHeap = ahoraHeap;
    };
    soltar("freed but kept", [] {});
    soltar("compile memory", [&w] { w.Comp().SetRecordar(false); });
    soltar("code pane model", [&w] { w.Cod().SetText(QString()); });
    soltar("code pane widget", [] {});   // it paints from the model and holds no text of its own
    soltar("command pane", [&w] { w.tx_Cmd->document()->clear(); });
    std::printf(" the rest %.1f / %.1f (empty window %.1f)\n", antes, antesHeap, vacia);
    std::vector<double> aperturas;
    for (int k = 0; k < kVeces; ++k) aperturas.push_back(Abrir(ruta).ms);
    std::printf("  opening: median %.0f ms (before: 1260)\n", Mediana(aperturas));
    std::fflush(stdout);
}

void Tarjetas(const QTemporaryDir& dir, int cambios, bool rojas = false) {
    std::printf("A card line changed at the top of a list without blank lines (%d changes%s):\n", cambios,
                rojas ? ", every line an error line" : "");
    std::printf("%-8s %8s %12s %10s %12s %10s %10s %10s\n", "lines", "changes", "leave ms", "max ms", "back up ms",
                "RSS MB", "after", "growth");
    for (int n : {20000, 100000}) CambiosArriba(dir, n, cambios, rojas);
    // Before the pass stopped where its state met the last pass's (same machine kind).
    if (!rojas) std::printf("before: 20000 lines 32.1 ms (max 80), 100000 lines 156.0 ms (max 364)\n");
}
// A file of one long line (a wrong file opened by mistake: an export, a
// dump with few line ends), an unknown command, so both panes and the error
// list hold it: opening, the first paint of the whole window, a key typed on
// a new line below it and the paint after it, Up into the long line and Right
// within it.
void LineaLarga(const QTemporaryDir& dir, const std::vector<int>& tamanos) {
    std::printf("A file of one long line (median of %d):\n", kVeces);
    // Before only the first part of a long line was laid out (same machine kind; open / paint / key+paint ms).
    struct Antes {
        int bytes;
        const char* figuras;
    };
    const Antes antes[] = {{100000, "141 / 168 / 511"}, {1000000, "3187 / 1696 / 8195"}};
    std::printf("%-10s %10s %12s %10s %12s %10s %10s   %s\n", "bytes", "open ms", "max stall ms", "paint ms",
                "key+paint ms", "up ms", "right ms", "before");
    for (int n : tamanos) {
        const QString ruta = dir.filePath(QStringLiteral("linea%1.txt").arg(n));
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly)) return;
        f.write(QByteArray(n, 'A') + "\r\n");
        f.close();
        std::vector<double> aperturas, paradas, pintadas, teclas, subir, derecha;
        for (int k = 0; k < kVeces; ++k) {
            const Medida m = Abrir(ruta);
            aperturas.push_back(m.ms);
            paradas.push_back(m.peor);
            VentanaBanco w;
            w.show();
            (void)QTest::qWaitForWindowExposed(&w);
            w.archivo = ruta;
            w.mn_Abrir_Click();
            QElapsedTimer t;
            t.start();
            (void)w.grab();
            pintadas.push_back(t.nsecsElapsed() / 1e6);
            // A key and the paint after it.
            auto tecla = [&w](Qt::Key cual) {
                QElapsedTimer reloj;
                reloj.start();
                QTest::keyClick(w.tx_Cmd, cual);
                (void)w.grab();
                return reloj.nsecsElapsed() / 1e6;
            };
            teclas.push_back(tecla(Qt::Key_X));
            // Up into the long line (the line left is compiled), then Right within it.
            subir.push_back(tecla(Qt::Key_Up));
            derecha.push_back(tecla(Qt::Key_Right));
        }
        const char* previo = "-";
        for (const Antes& a : antes)
            if (a.bytes == n) previo = a.figuras;
        std::printf("%-10d %10.1f %12.0f %10.1f %12.1f %10.1f %10.1f   %s\n", n, Mediana(aperturas), Mediana(paradas),
                    Mediana(pintadas), Mediana(teclas), Mediana(subir), Mediana(derecha), previo);
        std::fflush(stdout);
    }
}
}   // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (argc > 1 && qstrcmp(argv[1], "ventana") == 0) {
        VentanaTarjetas(dir);
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "linea") == 0) {
        std::vector<int> bytes;
        for (int i = 2; i < argc; ++i) bytes.push_back(std::atoi(argv[i]));
        LineaLarga(dir, bytes.empty() ? std::vector<int>{100000, 1000000, 10000000} : bytes);
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "tarjetas") == 0) {
        Tarjetas(dir, argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000, argc > 3 && qstrcmp(argv[3], "rojas") == 0);
        return 0;
    }
    std::vector<int> tamanos;
    for (int i = 1; i < argc; ++i) tamanos.push_back(std::atoi(argv[i]));
    if (tamanos.empty()) tamanos = {10000, 100000};

    // Figures measured before the panes laid out only the rows they show
    // (same machine kind, idle), printed beside today's for comparison.
    struct Antes {
        int lineas;
        double abrir, parada;
    };
    const Antes antes[] = {{10000, 301, 74}, {100000, 3488, 208}};
    auto previo = [&antes](int n, double Antes::*campo) {
        for (const auto& a : antes)
            if (a.lineas == n && a.*campo >= 0) return QString::number(a.*campo, 'f', 0);
        return QStringLiteral("-");
    };

    std::printf("Opening a file (median of %d):\n", kVeces);
    std::printf("%-8s %10s %10s %12s %14s %10s %10s\n", "lines", "open ms", "before", "us/line", "max stall ms",
                "before", "yields");
    for (int n : tamanos) {
        const QString ruta = Escribir(dir, n);
        std::vector<double> aperturas, paradas, cedidas;
        for (int k = 0; k < kVeces; ++k) {
            const Medida m = Abrir(ruta);
            aperturas.push_back(m.ms);
            paradas.push_back(m.peor);
            cedidas.push_back(m.ticks);
        }
        const double ms = Mediana(aperturas);
        std::printf("%-8d %10.1f %10s %12.2f %14.0f %10s %10.0f\n", n, ms, qPrintable(previo(n, &Antes::abrir)),
                    ms * 1000.0 / n, Mediana(paradas), qPrintable(previo(n, &Antes::parada)), Mediana(cedidas));
        std::fflush(stdout);
    }

    // The same pass on in-memory panes: what the compiler itself costs.
    for (int n : {1000, 10000, 100000}) {
        QString texto;
        for (int i = 0; i < n; ++i) texto += QString::fromLatin1(kLineas[i % std::size(kLineas)]) + QStringLiteral("\r\n");
        // Without and with the memory of the pass before (as the window compiles).
        for (bool recordar : {false, true}) {
            PanelMemoria cmd(texto), cod;
            EntornoCompilador entorno;
            Compilador c(cmd, cod, entorno);
            c.SetRecordar(recordar);
            std::vector<double> tiempos;
            for (int k = 0; k < 9; ++k) {
                c.LinAntCmd = n - 1;
                QElapsedTimer t;
                t.start();
                c.CompilarLineas(false);
                tiempos.push_back(t.nsecsElapsed() / 1e6);
            }
            std::printf("Pass over %d lines on in-memory panes%s: median %.1f ms\n", n,
                        recordar ? ", text unchanged since the pass before" : "", Mediana(tiempos));
        }
    }

    // Enter at the end of a long script: the key release runs one full pass.
    const std::vector<int> largos = argc > 1 ? tamanos : std::vector<int>{1000, 10000, 100000};
    for (int n : largos) {
        VentanaBanco w;
        w.show();
        (void)QTest::qWaitForWindowExposed(&w);
        w.archivo = Escribir(dir, n);
        w.mn_Abrir_Click();
        std::vector<double> tiempos;
        for (int k = 0; k < 9; ++k) {
            QTest::keyClicks(w.tx_Cmd, QStringLiteral("inia 1"));
            QElapsedTimer t;
            t.start();
            QTest::keyClick(w.tx_Cmd, Qt::Key_Return);
            tiempos.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("Enter at the end of %d lines: median %.1f ms (min %.1f, max %.1f)%s\n", n, Mediana(tiempos),
                    *std::min_element(tiempos.begin(), tiempos.end()),
                    *std::max_element(tiempos.begin(), tiempos.end()),
                    n == 10000 ? "; before: 23.4 ms" : (n == 100000 ? "; before: 295 ms" : ""));
        // Enter in the middle: the lines below are compiled again (their line numbers change).
        std::vector<double> medio;
        for (int k = 0; k < 5; ++k) {
            w.Cmd().SetSelStart(w.Cmd().LineIndex(n / 2) + w.Cmd().LineLength(w.Cmd().LineIndex(n / 2)));
            QTest::keyClick(w.tx_Cmd, Qt::Key_Left);
            QTest::keyClick(w.tx_Cmd, Qt::Key_Right);
            QElapsedTimer t;
            t.start();
            QTest::keyClick(w.tx_Cmd, Qt::Key_Return);
            medio.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("Enter in the middle of %d lines: median %.1f ms\n", n, Mediana(medio));
        // A character typed within a line: no pass, only the tip, the gutter and the pane.
        std::vector<double> teclas;
        for (int k = 0; k < 21; ++k) {
            QElapsedTimer t;
            t.start();
            QTest::keyClick(w.tx_Cmd, Qt::Key_X);
            teclas.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("A key within a line of a %d-line script: median %.2f ms\n", n, Mediana(teclas));
    }
    Tarjetas(dir, 1000);
    VentanaTarjetas(dir);
    return 0;
}
