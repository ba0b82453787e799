#include "Bytes.h"
#include "Codificacion.h"
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "Leyendas.h"
#include "Manejadores.h"
#include "Numeros.h"
#include "PasosManejador.h"

// BREG, EHAB, EINH, EPER, RSET (clock only) and the card commands BING, AING.

namespace {

// The five single-clock commands differ only in their command byte.
void UnReloj(Compilador& c, const QString& byteComando) {
    if (Pasos::ArgsCompletos(c, 1) && Pasos::RelojValido(c))
        c.v_CodLin = TramaReloj(c.v_Arg.at(0).at(0), byteComando);
}

// The card number, rewritten with five digits and stored back. A value of six
// or more digits is refused: only five travel, so it would reach the terminal
// as another card.
bool TarjetaValida(Compilador& c) {
    const auto tarjeta = f_ConCeros(c.v_Arg.at(1), 5);
    if (!tarjeta) {
        Pasos::AgregarError(c, QStringLiteral("ERROR! Tarjeta Invalida"));
        return false;
    }
    c.v_Arg[1] = *tarjeta;
    return true;
}

// The first character of each AING profile travels as it is; a line never
// sends a byte nobody typed. A profile empty once its blanks are gone has no
// character: ChkArgs already reports one that was empty as typed, one of
// blanks only gets the same message here. A first character without a
// Windows-1252 code would travel as "?".
bool PerfilesValidos(Compilador& c) {
    bool validos = true;
    for (int i = 2; i <= 3; ++i) {
        const QString& perfil = c.v_Arg.at(i);
        if (perfil.isEmpty()) {
            // Read again as typed only here: most lines have both profiles.
            const QStringList tecleados = c.v_Cmd.value(1).split(u',');
            validos = tecleados.value(i).isEmpty()
                          ? Pasos::Rechazar(c)
                          : Pasos::AgregarError(c, QStringLiteral("Comando ") + c.v_Cmd.at(0) + QStringLiteral(": Argumento vacío"));
        } else if (Codificacion::CodigoWin1252(perfil.at(0)) < 0) {
            validos = Pasos::AgregarError(c, QStringLiteral("ERROR! Código de perfil invalido"));
        }
    }
    return validos;
}

}   // namespace

void Cmd_BREG(Compilador& c) { UnReloj(c, QStringLiteral("32")); }
void Cmd_EHAB(Compilador& c) { UnReloj(c, QStringLiteral("33")); }
void Cmd_EINH(Compilador& c) { UnReloj(c, QStringLiteral("36")); }
void Cmd_EPER(Compilador& c) { UnReloj(c, QStringLiteral("52")); }
void Cmd_RSET(Compilador& c) { UnReloj(c, QStringLiteral("43")); }

void Cmd_BING(Compilador& c) {
    if (Pasos::ArgsCompletos(c, 2) && Pasos::RelojValido(c) && TarjetaValida(c))
        c.v_CodLin = TramaReloj(c.v_Arg.at(0).at(0), QStringLiteral("34"), HexTexto(c.v_Arg.at(1)));
}

void Cmd_AING(Compilador& c) {
    if (Pasos::ArgsCompletos(c, 4) && Pasos::RelojValido(c) && TarjetaValida(c) && PerfilesValidos(c)) {
        const QStringList& a = c.v_Arg;
        c.v_CodLin = TramaReloj(a.at(0).at(0), QStringLiteral("35"), HexTexto(a.at(1) + a.at(2).at(0) + a.at(3).at(0)));
    }
    // Shown whatever the outcome, so a long card load shows where it is. A
    // line without argument text leaves v_Arg as another line filled it.
    if (c.v_Cmd.size() > 1 && c.v_Arg.size() >= 3) {
        c.MostrarInfo(f_Leyenda(Leyenda::Compilando, c.v_Arg.at(1)));
        c.entorno.Ceder();
    }
}
