// A clock that floods: a peer on 127.0.0.1 (this same program, started as
// a child with --par) answers every frame and, at the first one, sends a
// stream of N MB as fast as the socket takes it. The window runs a looped
// script at delay 0 until the stream is over. Printed per run: peak memory
// above the start, the longest stretch without events, and Comm.log's size.
//   build/bench_inundacion [MB] [runs]
#include "Avisos.h"
#include "Module1.h"
#include "fr_Transmitir.h"
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {
long RssKiB() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    return f.readAll().split(' ').value(1).toLong() * (::sysconf(_SC_PAGESIZE) / 1024);
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The flooding peer: prints its port, then "fin" once the stream is out.
int Par(qint64 total) {
    QTcpServer servidor;
    if (!servidor.listen(QHostAddress::LocalHost, 0)) return 1;
    std::printf("%d\n", servidor.serverPort());
    std::fflush(stdout);
    qint64 quedan = total;
    QObject::connect(&servidor, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = servidor.nextPendingConnection();
        auto rellenar = [s, &quedan] {
            while (quedan > 0 && s->bytesToWrite() < 256 * 1024) {
                const qint64 n = std::min<qint64>(quedan, 64 * 1024);
                s->write(QByteArray(n, '\x55'));
                quedan -= n;
                if (quedan == 0) {
                    std::printf("fin\n");
                    std::fflush(stdout);
                }
            }
        };
        QObject::connect(s, &QTcpSocket::bytesWritten, s, rellenar);
        QObject::connect(s, &QTcpSocket::readyRead, s, [s, rellenar] {
            s->readAll();
            s->write("\x06");
            rellenar();
        });
        QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    });
    return QCoreApplication::exec();
}

template <class T> T* C(fr_Transmitir& w, const char* n) { return w.findChild<T*>(QString::fromLatin1(n)); }
}   // namespace

int main(int argc, char** argv) {
    if (argc > 2 && QByteArray(argv[1]) == "--par") {
        QCoreApplication app(argc, argv);
        return Par(QByteArray(argv[2]).toLongLong());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const qint64 mb = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    const int corridas = argc > 2 ? std::max(1, atoi(argv[2])) : 3;

    QTemporaryDir dir;
    Module1::FijarCarpetas(dir.path(), dir.path());
    Avisos::Instalar([](QWidget*, const Avisos::Aviso& a) { std::printf("aviso: %s\n", qPrintable(a.texto)); });
    {
        QFile c(Module1::v_ArchCodigo), m(Module1::v_ArchComandos);
        c.open(QIODevice::WriteOnly);
        m.open(QIODevice::WriteOnly);
        for (int i = 0; i < 100; ++i) {
            c.write("06\r\n");
            m.write("ACK\r\n");
        }
    }
    fr_Transmitir w;
    w.show();
    C<QRadioButton>(w, "opt_TCP")->setChecked(true);
    C<QLineEdit>(w, "txt_IP")->setText(QStringLiteral("127.0.0.1"));
    C<QLineEdit>(w, "tx_TimeOut")->setText(QStringLiteral("1000"));
    C<QLineEdit>(w, "tx_Delay")->setText(QStringLiteral("0"));
    C<QCheckBox>(w, "chk_Loop")->setChecked(true);

    std::printf("flujo de %lld MB por TCP a delay 0, %d corridas\n", static_cast<long long>(mb), corridas);
    std::vector<double> picos, huecos, segundos;
    for (int k = 0; k < corridas; ++k) {
        QProcess par;
        par.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--par"), QString::number(mb << 20)});
        if (!par.waitForReadyRead(5000)) return 1;
        C<QLineEdit>(w, "txt_Port")->setText(QString::fromLatin1(par.readLine().trimmed()));
        QFile::remove(Module1::v_ArchLog);
        C<QPushButton>(w, "btn_Limpiar")->click();

        const long base = RssKiB();
        long pico = base;
        QElapsedTimer reloj;
        qint64 ultimo = 0, peorHueco = 0;
        QTimer latido;
        QObject::connect(&latido, &QTimer::timeout, [&] {
            pico = std::max(pico, RssKiB());
            peorHueco = std::max(peorHueco, reloj.elapsed() - ultimo);
            ultimo = reloj.elapsed();
        });
        // Stopped a moment after the stream is out, so its tail is read too.
        QObject::connect(&par, &QProcess::readyReadStandardOutput, [&] {
            if (par.readAll().contains("fin"))
                QTimer::singleShot(500, &w, [&] { C<QPushButton>(w, "btn_IniDet")->click(); });
        });
        reloj.start();
        latido.start(10);
        C<QPushButton>(w, "btn_IniDet")->click();
        QEventLoop bucle;
        QObject::connect(&w.LaCorrida(), &Corrida::Terminada, &bucle, &QEventLoop::quit);
        bucle.exec();
        latido.stop();
        const double s = reloj.elapsed() / 1000.0;
        par.kill();
        par.waitForFinished(3000);
        const double crecio = (pico - base) / 1024.0;
        std::printf("corrida %d: %.1f s, pico %.1f MiB (%.1f MiB sobre el comienzo), hueco mayor %lld ms, Comm.log %lld bytes\n",
                    k + 1, s, pico / 1024.0, crecio, static_cast<long long>(peorHueco),
                    static_cast<long long>(QFile(Module1::v_ArchLog).size()));
        picos.push_back(pico / 1024.0);
        huecos.push_back(static_cast<double>(peorHueco));
        segundos.push_back(s);
    }
    std::printf("medianas: pico %.1f MiB, hueco mayor %.0f ms, %.1f s (metas: < 100 MB, < 250 ms)\n", Mediana(picos),
                Mediana(huecos), Mediana(segundos));
    return 0;
}
