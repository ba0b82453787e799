#include "Bytes.h"
#include "Compilador.h"
#include "Manejadores.h"
#include "Numeros.h"
#include "PasosManejador.h"
#include <QStringView>

// SCFG and SCF2: every field is tested even after an earlier one failed, so
// the user sees all bad fields of a line at once, in field order (each
// failing step has made the line an error line).

namespace {

const QString kFormatoActual = QStringLiteral("ERROR! Formato de número actual de reloj invalido");
const QString kNumeroActual = QStringLiteral("ERROR! Número de reloj actual invalido");

// A one-letter field, upper-cased and stored back when it is that short.
bool Letra(Compilador& c, int indice, QStringView letras, const QString& msgLetra, const QString& msgLargo) {
    QString& campo = c.v_Arg[indice];
    if (campo.size() >= 2) return Pasos::AgregarError(c, msgLargo);
    campo = campo.toUpper();
    return (campo.size() == 1 && letras.contains(campo.at(0))) || Pasos::AgregarError(c, msgLetra);
}

// A number inside its bounds, rewritten with three digits and stored back.
bool Numero(Compilador& c, int indice, int minimo, int maximo, const QString& mensaje) {
    const auto valor = f_ValorEntre(c.v_Arg.at(indice), minimo, maximo);
    if (!valor) return Pasos::AgregarError(c, mensaje);
    c.v_Arg[indice] = QString::number(*valor).rightJustified(3, u'0');
    return true;
}

}   // namespace

void Cmd_SCFG(Compilador& c) {
    if (!Pasos::ArgsCompletos(c, 4)) return;
    const QString modo = QStringLiteral("ERROR! Modo invalido");
    bool valido = Pasos::RelojValido(c, 0, kFormatoActual, kNumeroActual);
    valido &= Pasos::RelojValido(c, 1, QStringLiteral("ERROR! Formato de número de reloj (a setear) invalido"),
                                 QStringLiteral("ERROR! Número de reloj (a setear) invalido"));
    valido &= Letra(c, 2, u"MP", modo, modo);
    valido &= Numero(c, 3, 20, 999, QStringLiteral("ERROR! Tiempo de apertura inválido"));
    if (!valido) return;
    // Every field after the clock is now one character per byte.
    const QStringList& a = c.v_Arg;
    c.v_CodLin = TramaReloj(a.at(0).at(0), QStringLiteral("58"), HexTexto(a.at(1) + a.at(2) + a.at(3)));
}

void Cmd_SCF2(Compilador& c) {
    if (!Pasos::ArgsCompletos(c, 6)) return;
    bool valido = Pasos::RelojValido(c, 0, kFormatoActual, kNumeroActual);
    valido &= Letra(c, 1, u"SN", QStringLiteral("ERROR! Selectivo debe der 'S' o 'N"),
                    QStringLiteral("ERROR! Selectivo debe der 'S' o 'N'"));
    valido &= Numero(c, 2, 1, 254, QStringLiteral("ERROR! Ancho Min RTE inválido"));
    valido &= Numero(c, 3, 1, 254, QStringLiteral("ERROR! Tiempo RTE inválido"));
    valido &= Letra(c, 4, u"SN", QStringLiteral("ERROR! DebW debe der 'S' o 'N"),
                    QStringLiteral("ERROR! DebW debe der 'S' o 'N'"));
    valido &= Numero(c, 5, 1, 254, QStringLiteral("ERROR! TiempoW inválido"));
    if (!valido) return;
    const QStringList& a = c.v_Arg;
    c.v_CodLin = TramaReloj(a.at(0).at(0), QStringLiteral("59"), HexTexto(a.at(1) + a.at(2) + a.at(3) + a.at(4) + a.at(5)));
}
