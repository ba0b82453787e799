#include "ArchivoLog.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
#include "Module1.h"
#include "Trama.h"
#include <QFile>
#include <functional>

namespace ArchivoLog {

namespace {
constexpr qsizetype kBytesPorTrozo = 64 * 1024;

bool Escribir(const QString& ruta, const std::function<bool(QFile&)>& escribir, QString* error) {
    QFile archivo;
    QString motivo;
    if (ArchivoSeguro::AbrirAgregar(archivo, ruta, &motivo)) {
        if (escribir(archivo)) {
            archivo.close();
            if (archivo.error() == QFileDevice::NoError) return true;
        }
        motivo = archivo.errorString();
    }
    *error = motivo;
    return false;
}

bool Todo(QFile& f, const QByteArray& bytes) { return f.write(bytes) == bytes.size(); }
}   // namespace

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
    return Escribir(
        ruta, [&bytes](QFile& f) { return Todo(f, bytes); }, error);
}

bool AgregarRespuesta(const QByteArray& respuesta, QString* error) {
    return AgregarRespuesta(Module1::v_ArchLog, respuesta, error);
}

bool AgregarRespuesta(const QString& ruta, const QByteArray& respuesta, QString* error) {
    return Escribir(
        ruta,
        [&respuesta](QFile& f) {
            if (!Todo(f, QByteArrayLiteral("< "))) return false;
            for (qsizetype i = 0; i < respuesta.size(); i += kBytesPorTrozo)
                if (!Todo(f, f_LineaHex(respuesta.mid(i, kBytesPorTrozo)).toLatin1())) return false;
            return Todo(f, QByteArrayLiteral("\r\n"));
        },
        error);
}

}   // namespace ArchivoLog
