#include "ServidorSim.h"
#include "ServidorTCP.h"
#include <QHostAddress>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>
#include <deque>

namespace {
// A frame cut in two by the link is waited for this long before it is taken as it is.
constexpr int kSilencioMs = 100;

void Traza(bool detalle, const char* lado, const QByteArray& bytes) {
    if (!detalle) return;
    QTextStream(stderr) << lado << ' ' << bytes.toHex(' ').toUpper() << Qt::endl;
}
}   // namespace

struct ServidorSim::Conexion : QObject {
    LectorTramas lector;
    RelojSimulado::Sesion sesion;
    QTimer silencio;
    int atendidas = 0;
    bool cerrada = false;   // by --close-after: held answers are not sent
};

class ServidorSim::Demoras : public QObject {
public:
    Demoras() {
        v_Tiempo.start();
        tmr_Vence.setSingleShot(true);
        tmr_Vence.setTimerType(Qt::PreciseTimer);
        connect(&tmr_Vence, &QTimer::timeout, this, &Demoras::Entregar);
    }
    void Agregar(int demoraMs, ServidorSim* servidor, QIODevice* disp, Conexion* c, const QByteArray& respuesta, bool cerrar) {
        v_Cola.push_back({v_Tiempo.elapsed() + demoraMs, servidor, disp, c, respuesta, cerrar});
        if (!tmr_Vence.isActive()) tmr_Vence.start(demoraMs);
    }

private:
    // An answer held back, due at `vence` (ms of v_Tiempo). The connection
    // may be gone by then (the client closed it): its answers are dropped.
    struct Pendiente {
        qint64 vence;
        ServidorSim* servidor;
        QIODevice* disp;
        QPointer<Conexion> conexion;
        QByteArray respuesta;
        bool cerrar;
    };
    // Sends the answers that are due and waits for the next.
    void Entregar() {
        const qint64 ahora = v_Tiempo.elapsed();
        while (!v_Cola.empty() && v_Cola.front().vence <= ahora) {
            const Pendiente p = std::move(v_Cola.front());
            v_Cola.pop_front();
            if (!p.conexion || p.conexion->cerrada) continue;
            if (!p.servidor->Responder(p.disp, p.respuesta, p.cerrar)) p.conexion->cerrada = true;
        }
        if (!v_Cola.empty()) tmr_Vence.start(static_cast<int>(v_Cola.front().vence - ahora));
    }

    std::deque<Pendiente> v_Cola;
    QElapsedTimer v_Tiempo;
    QTimer tmr_Vence;
};

std::shared_ptr<ServidorSim::Demoras> ServidorSim::NuevasDemoras() { return std::make_shared<Demoras>(); }

ServidorSim::ServidorSim(const Fallas& fallas, bool detalle, std::shared_ptr<Demoras> demoras, QObject* padre)
    : QObject(padre), v_Fallas(fallas), v_Detalle(detalle), v_Demoras(demoras ? std::move(demoras) : NuevasDemoras()) {}

ServidorSim::~ServidorSim() = default;

bool ServidorSim::EscucharTCP(const QHostAddress& host, quint16 puerto, QString* error) {
    v_Servidor = new ServidorTCP(this);
    if (!v_Servidor->listen(host, puerto)) {
        *error = v_Servidor->errorString();
        return false;
    }
    v_Servidor->AlConectar = [this](QIODevice* conexion) { Atender(conexion); };
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
    connect(&c->silencio, &QTimer::timeout, disp, [this, disp, c] { Procesar(disp, c, true); });
    connect(disp, &QIODevice::readyRead, this, [this, disp, c] { Procesar(disp, c, false); });
}

void ServidorSim::Procesar(QIODevice* disp, Conexion* c, bool forzar) {
    // As much as is there, in one piece of its size (readAll starts from a 16 KB one).
    const QByteArray llegados = disp->read(disp->bytesAvailable());
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
            v_Demoras->Agregar(v_Fallas.demoraMs, this, disp, c, respuesta, cerrar);
        } else if (!Responder(disp, respuesta, cerrar)) {
            return;
        }
        if (cerrar) return;
    }
    if (c->lector.HayPendiente()) c->silencio.start();
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
