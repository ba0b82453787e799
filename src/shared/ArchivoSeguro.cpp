#include "ArchivoSeguro.h"
#include "ArchivoSeguroPlataforma.h"
#include "MotivoSistema.h"
#include <QFile>
#include <algorithm>

namespace ArchivoSeguro {

bool Leer(const QString& ruta, qint64 limite, bool propio, QByteArray* bytes, QString* motivo) {
    QFile archivo;
    if (!AbrirLectura(archivo, ruta, propio, motivo)) return false;
    auto grande = [&](qint64 tamano) {
        *motivo = QStringLiteral("ocupa %1 bytes, más que el límite de %2 MB").arg(tamano).arg(limite >> 20);
        return false;
    };
    const qint64 tamano = archivo.size();
    if (tamano > limite) return grande(tamano);
    QByteArray r;
    r.reserve(tamano);
    // Up to one byte past the limit: a file that grows while it is read is
    // no more read to its end than a large one.
    for (;;) {
        const qint64 antes = r.size();
        r.resize(antes + std::min<qint64>(qint64(1) << 20, limite + 1 - antes));
        const qint64 n = archivo.read(r.data() + antes, r.size() - antes);
        if (n < 0) {
            *motivo = MotivoSistema::f_DeTexto(archivo.errorString(), archivo.errorString());
            return false;
        }
        r.resize(antes + n);
        if (r.size() > limite) return grande(r.size());
        if (n == 0) break;
    }
    *bytes = std::move(r);
    return true;
}

}   // namespace ArchivoSeguro
