// Transmission throughput and memory: whole runs through the window over TCP
// loopback against orvo-sim, delay 0, lists and Comm.log included.
//   build/bench_transmision [frames] [loops]
#include "Avisos.h"
#include "Module1.h"
#include "fr_Transmitir.h"
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
long RssKiB() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> campos = f.readAll().split(' ');
    return campos.size() > 1 ? campos[1].toLong() * 4 : 0;
}

void Script(int frames) {
    QFile c(Module1::v_ArchCodigo), m(Module1::v_ArchComandos);
    c.open(QIODevice::WriteOnly);
    m.open(QIODevice::WriteOnly);
    for (int i = 0; i < frames; ++i) {
        // Alternate a 19-byte answer and a 1-byte one.
        c.write(i % 2 ? "02 52 31 33 03 21\r\n" : "02 52 31 41 03 23\r\n");
        m.write(i % 2 ? "EHAB 1\r\n" : "INIA 1\r\n");
    }
}

// Runs the real event loop until the run has ended (qWaitFor would sleep between turns).
void EsperarFin(fr_Transmitir& w) {
    if (!w.LaCorrida().Activa()) return;
    QEventLoop bucle;
    QObject::connect(&w.LaCorrida(), &Corrida::Terminada, &bucle, &QEventLoop::quit);
    bucle.exec();
}

template <class T> T* C(fr_Transmitir& w, const char* n) { return w.findChild<T*>(QString::fromLatin1(n)); }

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}   // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int frames = argc > 1 ? atoi(argv[1]) : 10000;
    const int vueltas = argc > 2 ? atoi(argv[2]) : 300;

    QTemporaryDir dir;
    Module1::FijarCarpetas(dir.path(), dir.path());
    Avisos::Instalar([](QWidget*, const Avisos::Aviso& a) { std::printf("aviso: %s\n", qPrintable(a.texto)); });

    quint16 puerto;
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        puerto = s.serverPort();
    }
    QProcess sim;
    sim.start(QStringLiteral(ORVO_BUILD_DIR "/orvo-sim"), {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(puerto)});
    sim.waitForStarted();
    QTest::qWait(300);

    fr_Transmitir w;
    w.show();
    C<QRadioButton>(w, "opt_TCP")->setChecked(true);
    C<QLineEdit>(w, "txt_IP")->setText(QStringLiteral("127.0.0.1"));
    C<QLineEdit>(w, "txt_Port")->setText(QString::number(puerto));
    C<QLineEdit>(w, "tx_TimeOut")->setText(QStringLiteral("1000"));
    C<QLineEdit>(w, "tx_Delay")->setText(QStringLiteral("0"));

    // Responsiveness: the longest gap between ticks of a 10 ms timer.
    QElapsedTimer reloj;
    qint64 ultimo = 0, peorHueco = 0;
    QTimer latido;
    QObject::connect(&latido, &QTimer::timeout, [&] {
        const qint64 ahora = reloj.elapsed();
        peorHueco = std::max(peorHueco, ahora - ultimo);
        ultimo = ahora;
    });

    Script(frames);
    std::vector<double> tasas, huecos;
    for (int rep = 0; rep < 3; ++rep) {
        C<QPushButton>(w, "btn_Limpiar")->click();
        reloj.start();
        ultimo = 0;
        peorHueco = 0;
        latido.start(10);
        C<QPushButton>(w, "btn_IniDet")->click();
        EsperarFin(w);
        const double s = reloj.elapsed() / 1000.0;
        latido.stop();
        tasas.push_back(frames / s);
        huecos.push_back(static_cast<double>(peorHueco));
        std::printf("run %d: %d frames in %.2f s = %.0f frames/s, longest event-loop gap %lld ms\n", rep + 1, frames, s,
                    frames / s, static_cast<long long>(peorHueco));
    }
    std::printf("median: %.0f frames/s, longest gap %.0f ms\n", Mediana(tasas), Mediana(huecos));

    // Memory in a long loop run: a 100-frame script repeated many times.
    Script(100);
    C<QCheckBox>(w, "chk_Loop")->setChecked(true);
    long rssTras = 0;
    int lineas = 0;
    QObject::connect(&w.LasLineas(), &LineasCorrida::LogCmd, [&](const QString& l) {
        if (l != QStringLiteral("Loop ...")) return;
        ++lineas;
        if (lineas == 20) rssTras = RssKiB();
        if (lineas % 100 == 0) std::printf("  loop %d: RSS %ld KiB\n", lineas, RssKiB());
        if (lineas >= vueltas) C<QPushButton>(w, "btn_IniDet")->click();
    });
    reloj.start();
    C<QPushButton>(w, "btn_IniDet")->click();
    EsperarFin(w);
    std::printf("loop run: %d loops (%d frames) in %.1f s; RSS after 20 loops %ld KiB, at the end %ld KiB; lists %d/%d lines\n",
                lineas, lineas * 100, reloj.elapsed() / 1000.0, rssTras, RssKiB(),
                w.findChild<QListWidget*>(QStringLiteral("lst_Log"))->count(),
                w.findChild<QListWidget*>(QStringLiteral("lst_Cmd"))->count());
    QFile log(Module1::v_ArchLog);
    std::printf("Comm.log: %lld bytes\n", static_cast<long long>(log.size()));
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
