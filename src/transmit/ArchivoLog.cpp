#include "ArchivoLog.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
#include "MotivoSistema.h"
#include "Module1.h"
#include <cerrno>
#include <unistd.h>

namespace ArchivoLog {

namespace {
constexpr qsizetype kBytesPorTrozo = 64 * 1024;

// Room for n more bytes at the end of the line, written in place: byte by
// byte appends cost more than the line's write(2).
char* Alargar(QByteArray* linea, qsizetype n) {
    const qsizetype antes = linea->size();
    linea->resize(antes + n);
    return linea->data() + antes;
}

// Appends the line in Windows-1252; log lines are hex and markers, and
// whatever else is kept as '?' rather than lose the line.
void Codificar(const QString& linea, QByteArray* bytes) {
    char* p = Alargar(bytes, linea.size() + 2);
    for (QChar c : linea) {
        // Log lines are mostly hex: ASCII is itself, no table needed.
        if (c.unicode() < 0x80) {
            *p++ = static_cast<char>(c.unicode());
            continue;
        }
        const int codigo = Codificacion::CodigoWin1252(c);
        *p++ = codigo < 0 ? '?' : static_cast<char>(codigo);
    }
    p[0] = '\r';
    p[1] = '\n';
}

// As f_LineaHex, straight into the line's bytes.
void AgregarHex(QByteArrayView bytes, QByteArray* linea) {
    static constexpr char kDigitos[] = "0123456789ABCDEF";
    char* p = Alargar(linea, 3 * bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *p++ = kDigitos[b >> 4];
        *p++ = kDigitos[b & 15];
        *p++ = ' ';
    }
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
    v_Retenida = false;
    if (ArchivoSeguro::EscribirTodo(v_Fd, v_Linea.constData(), v_Linea.size())) return true;
    *error = MotivoSistema::f_Errno(errno);
    return false;
}

bool Abierto::Agregar(const QString& ruta, const QString& linea, QString* error) {
    if (!Abrir(ruta, error)) return false;
    if (!v_Retenida) v_Linea.resize(0);   // keeps its room
    Codificar(linea, &v_Linea);
    return Escribir(error);
}

bool Abierto::AgregarRespuesta(const QString& ruta, const QByteArray& respuesta, QString* error, bool retener) {
    if (!Abrir(ruta, error)) return false;
    // A usual answer is one write; a flood goes in slices, the line end with the last.
    if (!v_Retenida) v_Linea.resize(0);
    v_Linea.append("< ");
    for (qsizetype i = 0; i < respuesta.size(); i += kBytesPorTrozo) {
        AgregarHex(QByteArrayView(respuesta).sliced(i, qMin(kBytesPorTrozo, respuesta.size() - i)), &v_Linea);
        if (i + kBytesPorTrozo >= respuesta.size()) break;
        if (!Escribir(error)) return false;
        v_Linea.resize(0);
    }
    v_Linea.append("\r\n");
    if (retener && respuesta.size() <= kBytesPorTrozo) {
        v_Retenida = true;
        return true;
    }
    return Escribir(error);
}

bool Abierto::Soltar(QString* error) { return !v_Retenida || Escribir(error); }

void Abierto::Cerrar() {
    if (v_Fd >= 0) {
        QString ignorado;
        Soltar(&ignorado);
    }
    v_Retenida = false;
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
