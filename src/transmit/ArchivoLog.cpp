#include "ArchivoLog.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
#include "MotivoSistema.h"
#include "Module1.h"
#include "Trama.h"
#include <cerrno>
#include <unistd.h>

namespace ArchivoLog {

namespace {
constexpr qsizetype kBytesPorTrozo = 64 * 1024;

void Codificar(const QString& linea, QByteArray* bytes) {
    if (!Codificacion::Codificar(linea, Codificacion::Tipo::Windows1252, bytes)) {
        // Log lines are hex and markers; keep whatever else as '?' rather than lose the line.
        bytes->clear();
        for (QChar c : linea) {
            const int codigo = Codificacion::CodigoWin1252(c);
            bytes->append(codigo < 0 ? '?' : static_cast<char>(codigo));
        }
    }
    bytes->append("\r\n");
}
}   // namespace

bool Abierto::Abrir(const QString& ruta, QString* error) {
    if (v_Fd >= 0) return true;
    if (!v_Fallido) {
        v_Fd = ArchivoSeguro::AbrirAgregar(ruta, &v_MotivoApertura);
        v_Fallido = v_Fd < 0;
    }
    if (v_Fallido) *error = v_MotivoApertura;
    return !v_Fallido;
}

bool Abierto::Escribir(QString* error) {
    if (ArchivoSeguro::EscribirTodo(v_Fd, v_Linea.constData(), v_Linea.size())) return true;
    *error = MotivoSistema::f_Errno(errno);
    return false;
}

bool Abierto::Agregar(const QString& ruta, const QString& linea, QString* error) {
    if (!Abrir(ruta, error)) return false;
    Codificar(linea, &v_Linea);
    return Escribir(error);
}

bool Abierto::AgregarRespuesta(const QString& ruta, const QByteArray& respuesta, QString* error) {
    if (!Abrir(ruta, error)) return false;
    // A usual answer is one write; a flood goes in slices, the line end with the last.
    v_Linea = QByteArrayLiteral("< ");
    for (qsizetype i = 0; i < respuesta.size(); i += kBytesPorTrozo) {
        v_Linea.append(f_LineaHex(respuesta.mid(i, kBytesPorTrozo)).toLatin1());
        if (i + kBytesPorTrozo >= respuesta.size()) break;
        if (!Escribir(error)) return false;
        v_Linea.clear();
    }
    v_Linea.append("\r\n");
    return Escribir(error);
}

void Abierto::Cerrar() {
    if (v_Fd >= 0) ::close(v_Fd);
    v_Fd = -1;
    v_Fallido = false;
    v_MotivoApertura.clear();
}

bool Agregar(const QString& linea, QString* error) { return Agregar(Module1::v_ArchLog, linea, error); }

bool Agregar(const QString& ruta, const QString& linea, QString* error) {
    Abierto log;
    return log.Agregar(ruta, linea, error);
}

bool AgregarRespuesta(const QByteArray& respuesta, QString* error) {
    return AgregarRespuesta(Module1::v_ArchLog, respuesta, error);
}

bool AgregarRespuesta(const QString& ruta, const QByteArray& respuesta, QString* error) {
    Abierto log;
    return log.AgregarRespuesta(ruta, respuesta, error);
}

}   // namespace ArchivoLog
