#include "FilasMalas.h"

void FilasMalas::Agregar(int fila, const QStringList& mensajes) {
    v_Primeras[fila] += mensajes;
    if (v_Primeras.size() <= kMostradas) return;
    v_Primeras.erase(std::prev(v_Primeras.end()));
    ++v_Mas;
}

QStringList FilasMalas::Lista() const {
    QStringList r;
    for (const auto& [fila, mensajes] : v_Primeras) r += mensajes;
    if (v_Mas > 0) r << QStringLiteral("… y %1 filas más").arg(v_Mas);
    return r;
}
