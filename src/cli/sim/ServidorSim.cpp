#include "ServidorSim.h"
#include <QHostAddress>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>

namespace {
// A frame cut in two by the link is waited for this long before it is taken as it is.
constexpr int kSilencioMs = 100;

struct Conexion : QObject {
    LectorTramas lector;
    RelojSimulado::Sesion sesion;
    QTimer silencio;
    int atendidas = 0;
};

void Traza(bool detalle, const char* lado, const QByteArray& bytes) {
    if (!detalle) return;
    QTextStream(stderr) << lado << ' ' << bytes.toHex(' ').toUpper() << Qt::endl;
}
}   // namespace

ServidorSim::ServidorSim(const Fallas& fallas, bool detalle, QObject* padre)
    : QObject(padre), v_Fallas(fallas), v_Detalle(detalle) {}

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
    c->setParent(disp);
    c->setObjectName(QStringLiteral("conexion"));
    c->silencio.setSingleShot(true);
    c->silencio.setInterval(kSilencioMs);
    connect(&c->silencio, &QTimer::timeout, disp, [this, disp] { Procesar(disp, true); });
    connect(disp, &QIODevice::readyRead, this, [this, disp] { Procesar(disp, false); });
}

void ServidorSim::Procesar(QIODevice* disp, bool forzar) {
    auto* c = static_cast<Conexion*>(disp->findChild<QObject*>(QStringLiteral("conexion"), Qt::FindDirectChildrenOnly));
    if (!c) return;
    const QByteArray llegados = disp->readAll();
    Traza(v_Detalle, ">", llegados);
    c->lector.Agregar(llegados);
    for (const QByteArray& trama : c->lector.Extraer(forzar)) {
        QByteArray respuesta = v_Reloj.Responder(trama, &c->sesion);
        ++c->atendidas;
        const bool cerrar = v_Fallas.cerrarTras > 0 && c->atendidas >= v_Fallas.cerrarTras;
        if (v_Fallas.sinRespuesta) respuesta.clear();
        if (v_Fallas.cortas > 0) respuesta.chop(qMin<qsizetype>(v_Fallas.cortas, respuesta.size()));
        if (v_Fallas.extra > 0) respuesta.append(QByteArray(v_Fallas.extra, '\xEE'));
        QPointer<QIODevice> destino(disp);
        auto enviar = [this, destino, respuesta, cerrar] {
            if (!destino) return;
            if (!respuesta.isEmpty()) {
                Traza(v_Detalle, "<", respuesta);
                destino->write(respuesta);
            }
            if (cerrar) Cerrar(destino);
        };
        if (v_Fallas.demoraMs > 0) QTimer::singleShot(v_Fallas.demoraMs, this, enviar);
        else
            enviar();
        if (cerrar) return;
    }
    if (c->lector.HayPendiente()) c->silencio.start();
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
