#include "Leyendas.h"

namespace {
QStringView Prefijo(Leyenda l) {
    return l == Leyenda::Compilando ? QStringView(u"Compilando linea: ") : QStringView(u"Insertando código: ");
}
}   // namespace

QString f_Leyenda(Leyenda l, QStringView codigo) {
    const QStringView prefijo = Prefijo(l);
    QString info;
    info.reserve(prefijo.size() + codigo.size());
    return info.append(prefijo).append(codigo);
}

bool EsLeyenda(Leyenda l, QStringView info, QStringView codigo) {
    const QStringView prefijo = Prefijo(l);
    return info.size() == prefijo.size() + codigo.size() && info.startsWith(prefijo) &&
           info.mid(prefijo.size()) == codigo;
}
