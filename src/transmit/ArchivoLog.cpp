#include "ArchivoLog.h"
#include "Codificacion.h"
#include "Module1.h"
#include <QFile>

namespace ArchivoLog {

bool Agregar(const QString& linea, QString* error) { return Agregar(Module1::v_ArchLog, linea, error); }

bool Agregar(const QString& ruta, const QString& linea, QString* error) {
    QByteArray bytes;
    if (!Codificacion::Codificar(linea, Codificacion::Tipo::Windows1252, &bytes)) {
        // Log lines are hex and markers; keep whatever else as '?' rather than lose the line.
        bytes.clear();
        for (QChar c : linea) {
            const int codigo = Codificacion::CodigoWin1252(c);
            bytes.append(codigo < 0 ? '?' : static_cast<char>(codigo));
        }
    }
    bytes.append("\r\n");
    QFile archivo(ruta);
    if (archivo.open(QIODevice::WriteOnly | QIODevice::Append) && archivo.write(bytes) == bytes.size()) {
        archivo.close();
        if (archivo.error() == QFileDevice::NoError) return true;
    }
    *error = QStringLiteral("No se pudo escribir en %1:\r\n%2").arg(ruta, archivo.errorString());
    return false;
}

}  // namespace ArchivoLog
