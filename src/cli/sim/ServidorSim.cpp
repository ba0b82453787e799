#include "ServidorSim.h"
#include <QHostAddress>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>
#include <deque>

namespace {
// A frame cut in two by the link is waited for this long before it is taken as it is.
constexpr int kSilencioMs = 100;

// An answer held back by --late, due at `vence` (ms of the server's clock).
struct Pendiente {
    qint64 vence;
    QByteArray respuesta;
    bool cerrar;
};

void Traza(bool detalle, const char* lado, const QByteArray& bytes) {
    if (!detalle) return;
    QTextStream(stderr) << lado << ' ' << bytes.toHex(' ').toUpper() << Qt::endl;
}
}   // namespace

struct ServidorSim::Conexion : QObject {
    LectorTramas lector;
    RelojSimulado::Sesion sesion;
    QTimer silencio;
    // Late answers in the order they fall due (one delay for all), behind
    // one timer: an object and a timer per answer cost a thousand clocks
    // more than the answers themselves.
    std::deque<Pendiente> pendientes;
    QTimer demora;
    int atendidas = 0;
};

ServidorSim::ServidorSim(const Fallas& fallas, bool detalle, QObject* padre)
    : QObject(padre), v_Fallas(fallas), v_Detalle(detalle) {
    v_Tiempo.start();
}

bool ServidorSim::EscucharTCP(const QHostAddress& host, quint16 puerto, QString* error) {
    v_Servidor = new QTcpServer(this);
    if (!v_Servidor->listen(host, puerto)) {
        *error = v_Servidor->errorString();
        return false;
    }
    connect(v_Servidor, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = v_Servidor->nextPendingConnection()) {
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            Atender(s);
        }
    });
    return true;
}

bool ServidorSim::AbrirSerie(const QString& ruta, QString* error) {
    v_Serie = new QSerialPort(ruta, this);
    if (!v_Serie->open(QIODevice::ReadWrite)) {
        *error = v_Serie->errorString();
        return false;
    }
    // Pseudo-terminals refuse some line settings; the bytes flow all the same.
    v_Serie->setBaudRate(QSerialPort::Baud9600);
    v_Serie->setDataBits(QSerialPort::Data8);
    v_Serie->setParity(QSerialPort::NoParity);
    v_Serie->setStopBits(QSerialPort::OneStop);
    Atender(v_Serie);
    return true;
}

void ServidorSim::Atender(QIODevice* disp) {
    auto* c = new Conexion;
    c->setParent(disp);   // goes with its link, timers and held answers too
    c->silencio.setSingleShot(true);
    c->silencio.setInterval(kSilencioMs);
    c->demora.setSingleShot(true);
    c->demora.setTimerType(Qt::PreciseTimer);
    connect(&c->silencio, &QTimer::timeout, disp, [this, disp, c] { Procesar(disp, c, true); });
    connect(&c->demora, &QTimer::timeout, disp, [this, disp, c] { Entregar(disp, c); });
    connect(disp, &QIODevice::readyRead, this, [this, disp, c] { Procesar(disp, c, false); });
}

void ServidorSim::Procesar(QIODevice* disp, Conexion* c, bool forzar) {
    const QByteArray llegados = disp->readAll();
    Traza(v_Detalle, ">", llegados);
    c->lector.Agregar(llegados);
    for (const QByteArray& trama : c->lector.Extraer(forzar)) {
        if (Recibida) Recibida(trama);
        QByteArray respuesta = v_Reloj.Responder(trama, &c->sesion);
        ++c->atendidas;
        const bool cerrar = v_Fallas.cerrarTras > 0 && c->atendidas >= v_Fallas.cerrarTras;
        if (v_Fallas.sinRespuesta) respuesta.clear();
        if (v_Fallas.cortas > 0) respuesta.chop(qMin<qsizetype>(v_Fallas.cortas, respuesta.size()));
        if (v_Fallas.extra > 0) respuesta.append(QByteArray(v_Fallas.extra, '\xEE'));
        if (v_Fallas.demoraMs > 0) {
            c->pendientes.push_back({v_Tiempo.elapsed() + v_Fallas.demoraMs, respuesta, cerrar});
            if (!c->demora.isActive()) c->demora.start(v_Fallas.demoraMs);
        } else if (!Responder(disp, respuesta, cerrar)) {
            return;
        }
        if (cerrar) return;
    }
    if (c->lector.HayPendiente()) c->silencio.start();
}

void ServidorSim::Entregar(QIODevice* disp, Conexion* c) {
    const qint64 ahora = v_Tiempo.elapsed();
    while (!c->pendientes.empty() && c->pendientes.front().vence <= ahora) {
        const Pendiente p = std::move(c->pendientes.front());
        c->pendientes.pop_front();
        if (!Responder(disp, p.respuesta, p.cerrar)) return;
    }
    if (!c->pendientes.empty()) c->demora.start(static_cast<int>(c->pendientes.front().vence - ahora));
}

bool ServidorSim::Responder(QIODevice* disp, const QByteArray& respuesta, bool cerrar) {
    if (!respuesta.isEmpty()) {
        Traza(v_Detalle, "<", respuesta);
        disp->write(respuesta);
        // Sent now rather than at the loop's next turn: the answer leaves when
        // it is due, and the socket's write wait is not turned on and off again.
        if (auto* s = qobject_cast<QTcpSocket*>(disp)) s->flush();
    }
    if (cerrar) Cerrar(disp);
    return !cerrar;
}

void ServidorSim::Cerrar(QIODevice* disp) {
    if (auto* s = qobject_cast<QTcpSocket*>(disp)) {
        s->flush();
        s->disconnectFromHost();
        return;
    }
    disp->close();
    if (disp == v_Serie) QTextStream(stderr) << "orvo-sim: puerto cerrado tras las tramas pedidas" << Qt::endl;
}
