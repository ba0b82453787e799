#include "FechaHora.h"
#include <QDate>

namespace {
// Reads a run of 1..maxDigitos ASCII digits at pos; -1 when there is none or it is longer.
int LeerNumero(const QString& t, qsizetype& pos, int minDigitos, int maxDigitos, int* digitos = nullptr) {
    int valor = 0;
    int n = 0;
    while (pos < t.size() && t.at(pos) >= u'0' && t.at(pos) <= u'9') {
        if (++n > maxDigitos) return -1;
        valor = valor * 10 + (t.at(pos).unicode() - u'0');
        ++pos;
    }
    if (n < minDigitos) return -1;
    if (digitos) *digitos = n;
    return valor;
}

QString DosCifras(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }
}   // namespace

QString f_NormalizarFecha(const QString& t) {
    qsizetype pos = 0;
    const int dia = LeerNumero(t, pos, 1, 2);
    if (dia < 0 || pos >= t.size()) return {};
    const QChar sep = t.at(pos);
    if (sep != u'/' && sep != u'-') return {};
    ++pos;
    const int mes = LeerNumero(t, pos, 1, 2);
    if (mes < 0 || pos >= t.size() || t.at(pos) != sep) return {};
    ++pos;
    int digitos = 0;
    int anio = LeerNumero(t, pos, 2, 4, &digitos);
    if (anio < 0 || pos != t.size() || digitos == 3) return {};
    if (digitos == 2) anio += anio < 30 ? 2000 : 1900;
    if (anio < 1 || !QDate::isValid(anio, mes, dia)) return {};
    return DosCifras(dia) + QLatin1Char('/') + DosCifras(mes) + QLatin1Char('/') +
           QStringLiteral("%1").arg(anio, 4, 10, QLatin1Char('0'));
}

QString f_NormalizarHora(const QString& t) {
    qsizetype pos = 0;
    const int hora = LeerNumero(t, pos, 1, 2);
    if (hora < 0 || hora > 23 || pos >= t.size() || t.at(pos) != u':') return {};
    ++pos;
    const int minuto = LeerNumero(t, pos, 2, 2);
    if (minuto < 0 || minuto > 59) return {};
    if (pos < t.size()) {
        if (t.at(pos) != u':') return {};
        ++pos;
        const int segundo = LeerNumero(t, pos, 2, 2);
        if (segundo < 0 || segundo > 59 || pos != t.size()) return {};
    }
    return DosCifras(hora) + QLatin1Char(':') + DosCifras(minuto);
}

int f_DiaSemana(const QString& f) {
    const QDate d(f.mid(6, 4).toInt(), f.mid(3, 2).toInt(), f.left(2).toInt());
    return d.dayOfWeek() % 7 + 1;   // Qt: Monday 1 ... Sunday 7
}
