#include "Manejadores.h"
#include "Bytes.h"
#include "Compilador.h"
#include "FechaHora.h"
#include "PasosManejador.h"

// Terminal control commands, raw commands, comments and unknown words.
// Each handler leaves TipoLinea and, for a command line, v_CodLin.

namespace {
// INIA, INIB, LREG: the clock number and a frame without data.
void TramaSimple(Compilador& c, const char* byteComando) {
    if (Pasos::ArgsCompletos(c, 1) && Pasos::RelojValido(c))
        c.v_CodLin = TramaReloj(c.v_Arg[0].at(0), QLatin1String(byteComando));
}

bool EsHex(char32_t u) { return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F'); }
}   // namespace

void Cmd_INIA(Compilador& c) {
    TramaSimple(c, "41");
    if (c.v_ChkArgs == -1) c.TipoLinea = TipoDeLinea::Hlp;
}

void Cmd_INIB(Compilador& c) { TramaSimple(c, "42"); }

void Cmd_LREG(Compilador& c) { TramaSimple(c, "30"); }

void Cmd_ACK(Compilador& c) {
    if (Pasos::ArgsCompletos(c, 0)) c.v_CodLin = QStringLiteral("06");
}

void Cmd_FECH(Compilador& c) {
    if (!Pasos::ArgsCompletos(c, 3) || !Pasos::RelojValido(c) || !c.ChkFecha(c.v_Arg[1]) ||
        !c.ChkHora(c.v_Arg[2], QStringLiteral("ERROR! Hora invalida")))
        return;
    const QString& f = c.v_Arg[1];   // dd/mm/yyyy
    const QString& h = c.v_Arg[2];   // HH:MM
    const QString datos = f.mid(8, 2) + f.mid(3, 2) + f.left(2) + QString::number(f_DiaSemana(f)) + h.left(2) + h.mid(3, 2);
    c.v_CodLin = TramaReloj(c.v_Arg[0].at(0), QStringLiteral("31"), HexTexto(datos));
}

void Cmd_CMD(Compilador& c) {
    if (!Pasos::ArgsCompletos(c, 1)) return;
    const QString& arg = c.v_Arg[0];
    QString malos;
    for (qsizetype i = 0; i < arg.size(); ++i) {
        qsizetype largo = 1;
        if (arg.at(i).isHighSurrogate() && i + 1 < arg.size() && arg.at(i + 1).isLowSurrogate()) largo = 2;
        if (largo == 1 && EsHex(arg.at(i).unicode())) continue;
        malos += QStringLiteral(" '") + arg.mid(i, largo) + QLatin1Char('\'');
        i += largo - 1;
    }
    if (!malos.isEmpty()) {
        Pasos::AgregarError(c, QStringLiteral("ERROR! Caracteres inválidos:") + malos);
        return;
    }
    QString codigo;
    codigo.reserve(arg.size() * 3 / 2 + 1);
    for (qsizetype i = 0; i < arg.size(); i += 2) {
        if (i) codigo += QLatin1Char(' ');
        codigo += arg.mid(i, 2).toUpper();
    }
    c.v_CodLin = codigo;
}

void Cmd_C(Compilador& c) {
    if (!Pasos::ArgsCompletos(c, 3)) return;
    const QString& primero = c.v_Arg[0];
    if (primero.isEmpty()) {
        // Nothing to send; ChkArgs has already named an argument that was
        // empty before the blanks were removed, one of blanks only it has not.
        if (c.v_Cmd[1].section(QLatin1Char(','), 0, 0).isEmpty()) Pasos::Rechazar(c);
        else
            Pasos::AgregarError(c, QStringLiteral("Comando C: Argumento vacío"));
        return;
    }
    const QString texto = QStringLiteral("00 00 ") + HexAsc(primero.at(0)) + QStringLiteral(" 00 00 ");
    c.v_CodLin = texto + f_BCC(texto);
}

void Cmd_Comentario(Compilador& c) {
    c.InsertaCodigo(QString(), TipoDeLinea::Nul);
    c.TipoLinea = TipoDeLinea::Cmt;
}

void Cmd_Desconocido(Compilador& c) {
    Pasos::AgregarError(c, QStringLiteral("ERROR! Comando desconocido: ") + c.v_Cmd[0]);
}
