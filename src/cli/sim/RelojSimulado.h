#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <array>
#include <initializer_list>

// A plausible clock: answers each frame with the bytes the transmission run
// awaits and keeps date and time, cards, profiles and configuration.
//
// Answer layout (simulated; a real terminal's contents may differ, only the
// lengths are what the program relies on). K is the clock byte of the
// request, X the check byte (XOR of everything before it):
//   41 INIA  02 52 K 41 YY MM DD hh mm E C1 C2 03 X                     (19)
//            date and time as ASCII digits (two each), E '1' enabled or
//            '0' disabled (EHAB/EINH), C1 C2 number of cards
//   42 INIB  02 52 K 42 MO T1 T2 T3 NS SE A1 A2 A3 R1 R2 R3 DW 03 X      (19)
//            configuration: mode and opening time, clock to set (SCFG),
//            selection, AnRTE, TpoRTE and DebW (SCF2)
//   30 LREG  02 52 K 30 N1 N2 N3 N4 N5 YY MM DD hh 03 X                  (19)
//            number of stored records (5 digits), date and hour
//   06 after a register read, one record per acknowledge:
//            02 52 K 47 T1 T2 T3 T4 T5 DD hh mm 45 03 X                  (18)
//            card (5 digits), day and time, 'E' entry; twelve '0' data
//            bytes once the records run out
//   anything else: the single byte 06 (acknowledge).
// The length rule follows the fourth byte of whatever is sent, framed or raw.
class RelojSimulado {
public:
    // Where one link is in a register read: two connections to the same
    // clock each read their own records.
    struct Sesion {
        bool trasLREG = false;
        char ultimoReloj = '1';
        int leidos = 0;
    };

    RelojSimulado();
    QByteArray Responder(QByteArrayView trama) { return Responder(trama, &v_Propia); }
    QByteArray Responder(QByteArrayView trama, Sesion* sesion);

    // For tests and the verbose trace.
    QDateTime Ahora() const;
    int Tarjetas() const { return static_cast<int>(v_Tarjetas.size()); }

private:
    struct Registro {
        QByteArray tarjeta;
        QDateTime momento;
    };
    using Manejador = QByteArray (RelojSimulado::*)(char reloj, QByteArrayView datos);

    QByteArray Estado(char reloj, QByteArrayView datos);
    QByteArray Configuracion(char reloj, QByteArrayView datos);
    QByteArray LeerRegistros(char reloj, QByteArrayView datos);
    QByteArray Fecha(char reloj, QByteArrayView datos);
    QByteArray BorrarRegistros(char reloj, QByteArrayView datos);
    QByteArray Habilitar(char reloj, QByteArrayView datos);
    QByteArray Inhabilitar(char reloj, QByteArrayView datos);
    QByteArray AltaTarjeta(char reloj, QByteArrayView datos);
    QByteArray BajaTarjeta(char reloj, QByteArrayView datos);
    QByteArray Reset(char reloj, QByteArrayView datos);
    QByteArray CantidadPerfiles(char reloj, QByteArrayView datos);
    QByteArray BorrarPerfiles(char reloj, QByteArrayView datos);
    QByteArray Config1(char reloj, QByteArrayView datos);
    QByteArray Config2(char reloj, QByteArrayView datos);
    QByteArray SiguienteRegistro(char reloj);
    void Fichar(const QByteArray& tarjeta);

    static QByteArray Trama(char reloj, char comando, std::initializer_list<QByteArrayView> datos);
    static QByteArray Ack();
    static const std::array<Manejador, 256>& Tabla();

    qint64 v_Desfase = 0;   // seconds between the simulated and the host clock
    bool v_Habilitado = true;
    Sesion v_Propia;
    Sesion* v_Sesion = &v_Propia;              // the link being answered
    QMap<QByteArray, QByteArray> v_Tarjetas;   // card -> two profile codes
    QMap<char, QByteArray> v_Perfiles;         // code -> day byte and time range
    int v_NumPerfiles = 0;
    QByteArray v_Config1 = "M020";   // mode, opening time
    char v_RelojSet = '1';
    QByteArray v_Config2 = "00000000000";   // SCF2 data bytes
    QList<Registro> v_Registros;
};
