#include "RelojSimulado.h"

namespace {
constexpr char kACK = 0x06;

QByteArray Digitos(qint64 n, int ancho) {
    return QByteArray::number(n).rightJustified(ancho, '0').right(ancho);
}
}   // namespace

RelojSimulado::RelojSimulado() = default;

QDateTime RelojSimulado::Ahora() const { return QDateTime::currentDateTime().addSecs(v_Desfase); }

QByteArray RelojSimulado::Trama(char reloj, char comando, const QByteArray& datos) {
    QByteArray t;
    t.append('\x02').append('R').append(reloj).append(comando).append(datos).append('\x03');
    char x = 0;
    for (char c : t) x ^= c;
    return t.append(x);
}

const QMap<char, RelojSimulado::Manejador>& RelojSimulado::Tabla() {
    static const QMap<char, Manejador> tabla = {
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
    return tabla;
}

QByteArray RelojSimulado::Responder(const QByteArray& trama, Sesion* sesion) {
    v_Sesion = sesion;
    if (trama.size() == 1 && trama.at(0) == kACK)
        return v_Sesion->trasLREG ? SiguienteRegistro(v_Sesion->ultimoReloj) : QByteArray(1, kACK);

    const char reloj = trama.size() > 2 ? trama.at(2) : '1';
    const char comando = trama.size() > 3 ? trama.at(3) : 0;
    // Data bytes: between the command byte and the ETX, when it is a frame.
    QByteArray datos;
    if (trama.startsWith('\x02') && trama.size() >= 6) datos = trama.mid(4, trama.size() - 6);
    v_Sesion->ultimoReloj = reloj;
    v_Sesion->trasLREG = comando == 0x30;

    const bool largo = comando == 0x41 || comando == 0x42 || comando == 0x30;
    const auto it = Tabla().constFind(comando);
    if (it != Tabla().cend()) {
        const QByteArray r = (this->*it.value())(reloj, datos);
        if (largo || !r.isEmpty()) return largo ? r : QByteArray(1, kACK);
    }
    // APER carries the profile code where other frames have their command byte.
    if (trama.startsWith('\x02') && trama.size() == 15 && (static_cast<unsigned char>(trama.at(4)) & 0x80))
        v_Perfiles.insert(comando, trama.mid(4, 9));
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::Estado(char reloj, const QByteArray&) {
    const QDateTime t = Ahora();
    QByteArray d = t.toString(QStringLiteral("yyMMddhhmm")).toLatin1();
    d.append(v_Habilitado ? '1' : '0');
    d.append(Digitos(v_Tarjetas.size(), 2));
    return Trama(reloj, 0x41, d);
}

QByteArray RelojSimulado::Configuracion(char reloj, const QByteArray&) {
    QByteArray d = v_Config1;
    d.append(v_RelojSet);
    d.append(v_Config2.left(8));
    return Trama(reloj, 0x42, d);
}

QByteArray RelojSimulado::LeerRegistros(char reloj, const QByteArray&) {
    // Every card on the clock has clocked in once since the last read.
    if (v_Registros.isEmpty())
        for (auto it = v_Tarjetas.cbegin(); it != v_Tarjetas.cend(); ++it) Fichar(it.key());
    v_Sesion->leidos = 0;
    QByteArray d = Digitos(v_Registros.size(), 5);
    d.append(Ahora().toString(QStringLiteral("yyMMddhh")).toLatin1());
    return Trama(reloj, 0x30, d);
}

QByteArray RelojSimulado::SiguienteRegistro(char reloj) {
    if (v_Sesion->leidos >= v_Registros.size()) return Trama(reloj, 0x47, QByteArray(12, '0'));
    const Registro& r = v_Registros.at(v_Sesion->leidos++);
    QByteArray d = r.tarjeta.leftJustified(5, '0').left(5);
    d.append(r.momento.toString(QStringLiteral("ddhhmm")).toLatin1());
    d.append('E');
    return Trama(reloj, 0x47, d);
}

void RelojSimulado::Fichar(const QByteArray& tarjeta) { v_Registros.append({tarjeta, Ahora()}); }

QByteArray RelojSimulado::Fecha(char, const QByteArray& datos) {
    // YY MM DD W hh mm, ASCII digits.
    if (datos.size() >= 11) {
        const QDate d(2000 + datos.mid(0, 2).toInt(), datos.mid(2, 2).toInt(), datos.mid(4, 2).toInt());
        const QTime h(datos.mid(7, 2).toInt(), datos.mid(9, 2).toInt());
        if (d.isValid() && h.isValid()) v_Desfase = QDateTime::currentDateTime().secsTo(QDateTime(d, h));
    }
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::BorrarRegistros(char, const QByteArray&) {
    v_Registros.clear();
    v_Sesion->leidos = 0;
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::Habilitar(char, const QByteArray&) {
    v_Habilitado = true;
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::Inhabilitar(char, const QByteArray&) {
    v_Habilitado = false;
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::AltaTarjeta(char, const QByteArray& datos) {
    if (datos.size() >= 7) v_Tarjetas.insert(datos.left(5), datos.mid(5, 2));
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::BajaTarjeta(char, const QByteArray& datos) {
    v_Tarjetas.remove(datos.left(5));
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::Reset(char, const QByteArray&) {
    *this = RelojSimulado();
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::CantidadPerfiles(char, const QByteArray& datos) {
    v_NumPerfiles = datos.toInt();
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::BorrarPerfiles(char, const QByteArray&) {
    v_Perfiles.clear();
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::Config1(char, const QByteArray& datos) {
    if (datos.size() >= 5) {
        v_RelojSet = datos.at(0);
        v_Config1 = datos.mid(1, 4);
    }
    return QByteArray(1, kACK);
}

QByteArray RelojSimulado::Config2(char, const QByteArray& datos) {
    if (datos.size() >= 11) v_Config2 = datos.left(11);
    return QByteArray(1, kACK);
}
