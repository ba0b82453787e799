#include "ManejadoresPerfil.h"
#include "Bytes.h"
#include "Compilador.h"
#include "Manejadores.h"
#include "Numeros.h"
#include "PasosManejador.h"
#include <QStringView>

// SPER (number of profiles) and APER (one profile: code, days, time range).

namespace {

int BitDelDia(char32_t letra) {
    switch (letra) {
    case U'D': return 0x01;
    case U'L': return 0x02;
    case U'M': return 0x04;
    case U'X': return 0x08;
    case U'J': return 0x10;
    case U'V': return 0x20;
    case U'S': return 0x40;
    default: return 0;
    }
}

// The four digits of a normalised "HH:MM".
QString DigitosHora(const QString& hora) { return hora.left(2) + hora.mid(3, 2); }

}   // namespace

QString f_Dias(QString& v_Dias_S) {
    int dias = 0x80;
    // By code point, so a character outside the basic plane is named whole.
    const QList<uint> letras = v_Dias_S.toUcs4();
    for (const uint letra : letras) {
        const char32_t mayuscula = QChar::toUpper(char32_t(letra));
        const int bit = BitDelDia(mayuscula);
        if (bit == 0) return QStringLiteral("Err ") + QString::fromUcs4(&mayuscula, 1);
        dias |= bit;   // a repeated day sets the same bit again
    }
    v_Dias_S = v_Dias_S.toUpper();
    return QStringLiteral("%1").arg(dias, 2, 16).toUpper();
}

void Cmd_SPER(Compilador& c) {
    if (!Pasos::ArgsCompletos(c, 2) || !Pasos::RelojValido(c)) return;
    // Only two digits travel: a count of three or more digits would reach the
    // terminal as another count, so it is refused.
    const auto perfiles = f_ConCeros(c.v_Arg.at(1), 2);
    if (!perfiles) {
        Pasos::AgregarError(c, QStringLiteral("ERROR! Número de perfiles inválido"));
        return;
    }
    c.v_Arg[1] = *perfiles;
    c.v_CodLin = TramaReloj(c.v_Arg.at(0).at(0), QStringLiteral("50"), HexTexto(*perfiles));
}

void Cmd_APER(Compilador& c) {
    if (!Pasos::ArgsCompletos(c, 5) || !Pasos::RelojValido(c)) return;
    if (!Pasos::RelojValido(c, 1, QStringLiteral("ERROR! Formato de código de perfil invalido"),
                            QStringLiteral("ERROR! Código de perfil invalido")))
        return;
    const QString dias = f_Dias(c.v_Arg[2]);
    if (dias.startsWith(QStringLiteral("Err"))) {
        Pasos::AgregarError(c, QStringLiteral("ERROR! El caracter ") + dias.mid(4) + QStringLiteral(" no es válido"));
        return;
    }
    if (!c.ChkHora(c.v_Arg[3], QStringLiteral("ERROR! Hora desde invalida")) ||
        !c.ChkHora(c.v_Arg[4], QStringLiteral("ERROR! Hora hasta invalida")))
        return;
    // No command byte: the profile code stands in its place.
    const QStringList& a = c.v_Arg;
    c.v_CodLin = TramaReloj(a.at(0).at(0), HexAsc(a.at(1).at(0)),
                            dias + u' ' + HexTexto(DigitosHora(a.at(3)) + DigitosHora(a.at(4))));
}
