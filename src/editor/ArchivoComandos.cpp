#include "ArchivoComandos.h"
#include <QFile>
#include <QSaveFile>

namespace {
const QByteArray kBom("\xEF\xBB\xBF");
}

bool LeerArchivoComandos(const QString& ruta, ArchivoComandos* archivo, QString* error) {
    QByteArray bytes;
    if (!Codificacion::LeerArchivo(ruta, &bytes, error)) return false;
    const auto d = Codificacion::Decodificar(bytes);
    archivo->lineas = Codificacion::Lineas(d.texto);
    archivo->tipo = d.tipo;
    archivo->conBom = d.tipo == Codificacion::Tipo::Utf8 && bytes.startsWith(kBom);
    return true;
}

bool BytesArchivoComandos(const QString& texto, Codificacion::Tipo tipo, bool conBom, QByteArray* bytes,
                          QString* caracter) {
    QString t = texto;
    if (!t.isEmpty() && !t.endsWith(QStringLiteral("\r\n"))) t += QStringLiteral("\r\n");
    QByteArray r;
    if (!Codificacion::Codificar(t, tipo, &r, caracter)) return false;
    if (tipo == Codificacion::Tipo::Utf8 && conBom) r.prepend(kBom);
    *bytes = r;
    return true;
}

bool GrabarArchivoComandos(const QString& ruta, const QByteArray& bytes, QString* error) {
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) {
        *error = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        *error = f.errorString();
        return false;
    }
    return true;
}
