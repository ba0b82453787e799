#include "ServidorSim.h"
#include "EnlaceDispositivo.h"
#include "LectorTramas.h"
#include "MotivoSistema.h"
#include "ServidorTCP.h"
#include <QHostAddress>
#include <QSerialPort>
#include <QTextStream>
#include <QTimer>

namespace {
// A frame cut in two by the link is waited for this long before it is taken as it is.
constexpr int kSilencioMs = 100;

// Called only with --verbose.
void Traza(const char* lado, QByteArrayView bytes) {
    QTextStream(stderr) << lado << ' ' << bytes.toByteArray().toHex(' ').toUpper() << Qt::endl;
}
}   // namespace

// Goes with its link; the late answers find it by its key.
struct ServidorSim::Conexion final : EnlaceSim::Receptor, Demoras::Destino {
    Conexion(ServidorSim* s, EnlaceSim* e) : servidor(s), enlace(e), clave(s->v_Demoras->Registrar(this)) {}
    ~Conexion() override { servidor->v_Demoras->Quitar(clave); }

    void Recibido(QByteArrayView datos) override {
        if (servidor->v_Detalle) Traza(">", datos);
        lector.Agregar(datos);
        servidor->Procesar(*this, false);
    }
    void Entregar(const QByteArray& respuesta, bool cerrar) override {
        if (!cerrada) servidor->Responder(*this, respuesta, cerrar);
    }
    // Made the first time a frame comes in pieces: most links never need it.
    void EsperarResto() {
        if (!silencio) {
            silencio = std::make_unique<QTimer>();
            silencio->setSingleShot(true);
            silencio->setInterval(kSilencioMs);
            QObject::connect(silencio.get(), &QTimer::timeout, [this] { servidor->Procesar(*this, true); });
        }
        silencio->start();
    }

    ServidorSim* servidor;
    EnlaceSim* enlace;
    Demoras::Clave clave;
    LectorTramas lector;
    RelojSimulado::Sesion sesion;
    std::unique_ptr<QTimer> silencio;
    int atendidas = 0;
    bool cerrada = false;   // by --close-after: held answers are not sent
};

ServidorSim::ServidorSim(const Fallas& fallas, bool detalle, std::shared_ptr<Demoras> demoras, QObject* padre)
    : QObject(padre), v_Fallas(fallas), v_Detalle(detalle), v_Demoras(demoras ? std::move(demoras) : std::make_shared<Demoras>()) {}

// The links go first: their connections leave the shared queue's table, which may outlive this clock.
ServidorSim::~ServidorSim() {
    delete v_Servidor;
    delete v_Serie;
}

bool ServidorSim::EscucharTCP(const QHostAddress& host, quint16 puerto, QString* error) {
    v_Servidor = new ServidorTCP(this);
    if (!v_Servidor->listen(host, puerto)) {
        *error = v_Servidor->errorString();
        return false;
    }
    v_Servidor->AlConectar = [this](EnlaceSim* conexion) { Atender(conexion); };
    return true;
}

bool ServidorSim::AbrirSerie(const QString& ruta, QString* error) {
    v_Serie = new QSerialPort(ruta, this);
    if (!v_Serie->open(QIODevice::ReadWrite)) {
        // Qt spells the system's reason in the session's language, often English.
        *error = MotivoSistema::f_DeTexto(v_Serie->errorString(), v_Serie->errorString());
        return false;
    }
    // Pseudo-terminals refuse some line settings; the bytes flow all the same.
    v_Serie->setBaudRate(QSerialPort::Baud9600);
    v_Serie->setDataBits(QSerialPort::Data8);
    v_Serie->setParity(QSerialPort::NoParity);
    v_Serie->setStopBits(QSerialPort::OneStop);
    v_EnlaceSerie = new EnlaceDispositivo(v_Serie);
    Atender(v_EnlaceSerie);
    return true;
}

void ServidorSim::Atender(EnlaceSim* enlace) { enlace->Atender(std::make_unique<Conexion>(this, enlace)); }

void ServidorSim::Procesar(Conexion& c, bool forzar) {
    if (c.cerrada) return;
    QByteArrayView trama;
    while (c.lector.Siguiente(forzar, &trama)) {
        if (Recibida) Recibida(trama);
        QByteArray respuesta = v_Reloj.Responder(trama, &c.sesion);
        ++c.atendidas;
        const bool cerrar = v_Fallas.cerrarTras > 0 && c.atendidas >= v_Fallas.cerrarTras;
        if (v_Fallas.sinRespuesta) respuesta.clear();
        if (v_Fallas.cortas > 0) respuesta.chop(qMin<qsizetype>(v_Fallas.cortas, respuesta.size()));
        if (v_Fallas.extra > 0) respuesta.append(QByteArray(v_Fallas.extra, '\xEE'));
        if (v_Fallas.demoraMs > 0) {
            v_Demoras->Agregar(v_Fallas.demoraMs, c.clave, respuesta, cerrar);
        } else if (!Responder(c, respuesta, cerrar)) {
            return;
        }
        if (cerrar) {
            // The link closes with this answer: the frames after it in this read go unanswered.
            while (c.lector.Siguiente(forzar, &trama)) continue;
            return;
        }
    }
    if (c.lector.HayPendiente()) c.EsperarResto();
}

bool ServidorSim::Responder(Conexion& c, const QByteArray& respuesta, bool cerrar) {
    if (!respuesta.isEmpty()) {
        if (v_Detalle) Traza("<", respuesta);
        c.enlace->Enviar(respuesta);
    }
    if (cerrar) Cerrar(c);
    return !cerrar;
}

void ServidorSim::Cerrar(Conexion& c) {
    c.cerrada = true;
    c.enlace->Cerrar();
    if (c.enlace == v_EnlaceSerie) QTextStream(stderr) << "orvo-sim: puerto cerrado tras las tramas pedidas" << Qt::endl;
}
