#include "RelojSimulado.h"
#include <algorithm>
#include <utility>

namespace {
constexpr char kACK = 0x06;
const char kAckTexto[] = {kACK};

// The first n bytes, or all when there are fewer.
QByteArray Primeros(QByteArrayView datos, qsizetype n) { return datos.first(qMin(n, datos.size())).toByteArray(); }

QByteArray Digitos(qint64 n, int ancho) {
    return QByteArray::number(n).rightJustified(ancho, '0').right(ancho);
}
}   // namespace

RelojSimulado::RelojSimulado() = default;

QDateTime RelojSimulado::Ahora() const { return QDateTime::currentDateTime().addSecs(v_Desfase); }

// Not copied: most answers are this one byte.
QByteArray RelojSimulado::Ack() { return QByteArray::fromRawData(kAckTexto, 1); }

// The data bytes may come in pieces; the frame is written in place, in
// one allocation (a byte at a time through append cost more than the rest
// of the answer).
QByteArray RelojSimulado::Trama(char reloj, char comando, std::initializer_list<QByteArrayView> datos) {
    qsizetype largo = 6;
    for (QByteArrayView d : datos) largo += d.size();
    QByteArray t(largo, Qt::Uninitialized);
    char* p = t.data();
    *p++ = '\x02';
    *p++ = 'R';
    *p++ = reloj;
    *p++ = comando;
    for (QByteArrayView d : datos) p = std::copy(d.begin(), d.end(), p);
    *p++ = '\x03';
    char x = 0;
    for (const char* c = t.constData(); c != p; ++c) x ^= *c;
    *p = x;
    return t;
}

// By command byte, so that a frame finds its handler by indexing.
const std::array<RelojSimulado::Manejador, 256>& RelojSimulado::Tabla() {
    static const std::array<Manejador, 256> tabla = [] {
        const std::pair<char, Manejador> filas[] = {
            {0x41, &RelojSimulado::Estado},
            {0x42, &RelojSimulado::Configuracion},
            {0x30, &RelojSimulado::LeerRegistros},
            {0x31, &RelojSimulado::Fecha},
            {0x32, &RelojSimulado::BorrarRegistros},
            {0x33, &RelojSimulado::Habilitar},
            {0x36, &RelojSimulado::Inhabilitar},
            {0x52, &RelojSimulado::BorrarPerfiles},
            {0x43, &RelojSimulado::Reset},
            {0x34, &RelojSimulado::BajaTarjeta},
            {0x35, &RelojSimulado::AltaTarjeta},
            {0x50, &RelojSimulado::CantidadPerfiles},
            {0x58, &RelojSimulado::Config1},
            {0x59, &RelojSimulado::Config2},
        };
        std::array<Manejador, 256> t{};
        for (const auto& [comando, manejador] : filas) t[static_cast<unsigned char>(comando)] = manejador;
        return t;
    }();
    return tabla;
}

QByteArray RelojSimulado::Responder(QByteArrayView trama, Sesion* sesion) {
    v_Sesion = sesion;
    if (trama.size() == 1 && trama.at(0) == kACK)
        return v_Sesion->trasLREG ? SiguienteRegistro(v_Sesion->ultimoReloj) : Ack();

    const char reloj = trama.size() > 2 ? trama.at(2) : '1';
    const char comando = trama.size() > 3 ? trama.at(3) : 0;
    // Data bytes: between the command byte and the ETX, when it is a frame.
    QByteArrayView datos;
    if (trama.startsWith('\x02') && trama.size() >= 6) datos = trama.sliced(4, trama.size() - 6);
    v_Sesion->ultimoReloj = reloj;
    v_Sesion->trasLREG = comando == 0x30;

    const bool largo = comando == 0x41 || comando == 0x42 || comando == 0x30;
    if (const Manejador manejador = Tabla()[static_cast<unsigned char>(comando)]) {
        const QByteArray r = (this->*manejador)(reloj, datos);
        if (largo || !r.isEmpty()) return largo ? r : Ack();
    }
    // APER carries the profile code where other frames have their command byte.
    if (trama.startsWith('\x02') && trama.size() == 15 && (static_cast<unsigned char>(trama.at(4)) & 0x80))
        v_Perfiles.insert(comando, trama.sliced(4, 9).toByteArray());
    return Ack();
}

QByteArray RelojSimulado::Estado(char reloj, QByteArrayView) {
    const QDateTime t = Ahora();
    QByteArray d = t.toString(QStringLiteral("yyMMddhhmm")).toLatin1();
    d.append(v_Habilitado ? '1' : '0');
    d.append(Digitos(v_Tarjetas.size(), 2));
    return Trama(reloj, 0x41, {d});
}

QByteArray RelojSimulado::Configuracion(char reloj, QByteArrayView) {
    return Trama(reloj, 0x42, {v_Config1, QByteArrayView(&v_RelojSet, 1), QByteArrayView(v_Config2).first(8)});
}

QByteArray RelojSimulado::LeerRegistros(char reloj, QByteArrayView) {
    // Every card on the clock has clocked in once since the last read.
    if (v_Registros.isEmpty())
        for (auto it = v_Tarjetas.cbegin(); it != v_Tarjetas.cend(); ++it) Fichar(it.key());
    v_Sesion->leidos = 0;
    QByteArray d = Digitos(v_Registros.size(), 5);
    d.append(Ahora().toString(QStringLiteral("yyMMddhh")).toLatin1());
    return Trama(reloj, 0x30, {d});
}

QByteArray RelojSimulado::SiguienteRegistro(char reloj) {
    if (v_Sesion->leidos >= v_Registros.size()) return Trama(reloj, 0x47, {QByteArray(12, '0')});
    const Registro& r = v_Registros.at(v_Sesion->leidos++);
    QByteArray d = r.tarjeta.leftJustified(5, '0').left(5);
    d.append(r.momento.toString(QStringLiteral("ddhhmm")).toLatin1());
    d.append('E');
    return Trama(reloj, 0x47, {d});
}

void RelojSimulado::Fichar(const QByteArray& tarjeta) { v_Registros.append({tarjeta, Ahora()}); }

QByteArray RelojSimulado::Fecha(char, QByteArrayView datos) {
    // YY MM DD W hh mm, ASCII digits.
    if (datos.size() >= 11) {
        const QDate d(2000 + datos.sliced(0, 2).toInt(), datos.sliced(2, 2).toInt(), datos.sliced(4, 2).toInt());
        const QTime h(datos.sliced(7, 2).toInt(), datos.sliced(9, 2).toInt());
        if (d.isValid() && h.isValid()) v_Desfase = QDateTime::currentDateTime().secsTo(QDateTime(d, h));
    }
    return Ack();
}

QByteArray RelojSimulado::BorrarRegistros(char, QByteArrayView) {
    v_Registros.clear();
    v_Sesion->leidos = 0;
    return Ack();
}

QByteArray RelojSimulado::Habilitar(char, QByteArrayView) {
    v_Habilitado = true;
    return Ack();
}

QByteArray RelojSimulado::Inhabilitar(char, QByteArrayView) {
    v_Habilitado = false;
    return Ack();
}

QByteArray RelojSimulado::AltaTarjeta(char, QByteArrayView datos) {
    if (datos.size() >= 7) v_Tarjetas.insert(datos.first(5).toByteArray(), datos.sliced(5, 2).toByteArray());
    return Ack();
}

QByteArray RelojSimulado::BajaTarjeta(char, QByteArrayView datos) {
    v_Tarjetas.remove(Primeros(datos, 5));
    return Ack();
}

QByteArray RelojSimulado::Reset(char, QByteArrayView) {
    *this = RelojSimulado();
    return Ack();
}

QByteArray RelojSimulado::CantidadPerfiles(char, QByteArrayView datos) {
    v_NumPerfiles = datos.toInt();
    return Ack();
}

QByteArray RelojSimulado::BorrarPerfiles(char, QByteArrayView) {
    v_Perfiles.clear();
    return Ack();
}

QByteArray RelojSimulado::Config1(char, QByteArrayView datos) {
    if (datos.size() >= 5) {
        v_RelojSet = datos.at(0);
        v_Config1 = datos.sliced(1, 4).toByteArray();
    }
    return Ack();
}

QByteArray RelojSimulado::Config2(char, QByteArrayView datos) {
    if (datos.size() >= 11) v_Config2 = datos.first(11).toByteArray();
    return Ack();
}
