#include "AyudaTx.h"
#include "CarpetaPrueba.h"
#include "Module1.h"
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>

namespace AyudaTx {

QStringList Repetir(const QString& linea, int veces) { return QStringList(veces, linea); }

Carpeta::Carpeta() { CarpetaPrueba::Nueva(); }
QString Carpeta::Raiz() const { return CarpetaPrueba::Ruta(); }
QString Carpeta::Ruta(const QString& nombre) const { return CarpetaPrueba::Ruta(nombre); }

void Carpeta::Script(const QStringList& codigo, const QStringList& comandos) const {
    auto escribir = [](const QString& ruta, const QStringList& lineas) {
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        for (const QString& l : lineas) f.write(l.toLatin1() + "\r\n");
    };
    escribir(Module1::v_ArchCodigo, codigo);
    escribir(Module1::v_ArchComandos, comandos);
}

QStringList LineasDe(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {QStringLiteral("<sin archivo>")};
    QStringList l = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

QStringList Carpeta::LineasLog() const { return LineasDe(Module1::v_ArchLog); }

QByteArray Carpeta::Cfg() const { return CarpetaPrueba::Leer(Module1::v_ArchCFG); }

quint16 PuertoLibre() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

namespace {
bool ArrancarSim(QProcess& proc, const QStringList& args) {
    proc.setProcessChannelMode(QProcess::SeparateChannels);
    proc.start(QStringLiteral(ORVO_BUILD_DIR "/orvo-sim"), args);
    if (!proc.waitForStarted(5000)) return false;
    // It says so on stderr once it is listening.
    QByteArray dicho;
    QDeadlineTimer plazo(5000);
    while (!plazo.hasExpired() && proc.state() == QProcess::Running) {
        proc.waitForReadyRead(100);
        dicho += proc.readAllStandardError();
        if (dicho.contains("escuchando") || dicho.contains("atendiendo")) return true;
    }
    return false;
}

void Terminar(QProcess& proc) {
    if (proc.state() == QProcess::NotRunning) return;
    proc.terminate();
    if (!proc.waitForFinished(3000)) proc.kill();
    proc.waitForFinished(1000);
}
}   // namespace

Sim::~Sim() { Terminar(proc); }

bool Sim::IniciarTCP(quint16 puerto, const QStringList& fallas) {
    return ArrancarSim(proc, QStringList{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(puerto)} + fallas);
}

bool Sim::IniciarSerie(const QString& ruta, const QStringList& fallas) {
    return ArrancarSim(proc, QStringList{QStringLiteral("--serial"), ruta} + fallas);
}

bool Sim::IniciarVarios(int cuantos, const QString& anotadas, quint16* primero, const QStringList& fallas) {
    // A free port need not have free neighbours: another base is tried when one is taken.
    for (int intento = 0; intento < 10; ++intento) {
        *primero = PuertoLibre();
        if (*primero + cuantos > 65535) continue;
        if (ArrancarSim(proc, QStringList{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(*primero),
                                          QStringLiteral("--count"), QString::number(cuantos), QStringLiteral("--tramas"),
                                          anotadas} +
                                  fallas))
            return true;
        Terminar(proc);
    }
    return false;
}

ParPty::~ParPty() { Terminar(proc); }

bool ParPty::HaySocat() { return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty(); }

bool ParPty::Crear(const QString& carpeta) {
    a = carpeta + QStringLiteral("/ttyV0");
    b = carpeta + QStringLiteral("/ttyV1");
    proc.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=") + a, QStringLiteral("pty,raw,echo=0,link=") + b});
    if (!proc.waitForStarted(5000)) return false;
    return QTest::qWaitFor([&] { return QFileInfo::exists(a) && QFileInfo::exists(b); }, 5000);
}

}   // namespace AyudaTx
