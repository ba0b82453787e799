#include "MotivoSistema.h"
#include "MotivoSistemaPlataforma.h"
#include <cerrno>
#include <cstring>

namespace MotivoSistema {

namespace {
struct Motivo {
    int e;
    const char* texto;
};

// Every reason the tools and the window may meet on files, devices and sockets.
constexpr Motivo kMotivos[] = {
    {ENOENT, "no existe"},
    {EACCES, "permiso denegado"},
    {EPERM, "operación no permitida"},
    {EEXIST, "ya existe"},
    {EISDIR, "es una carpeta"},
    {ENOTDIR, "una parte de la ruta no es una carpeta"},
    {ENAMETOOLONG, "el nombre es demasiado largo"},
    {ELOOP, "demasiados enlaces simbólicos seguidos"},
    {ENOSPC, "no queda espacio en el disco"},
#ifdef EDQUOT   // disk quotas: not a C runtime reason on Windows
    {EDQUOT, "se agotó la cuota de disco del usuario"},
#endif
    {EROFS, "el sistema de archivos es de solo lectura"},
    {EMFILE, "el programa tiene demasiados archivos abiertos"},
    {ENFILE, "el sistema tiene demasiados archivos abiertos"},
    {EFBIG, "el archivo es demasiado grande"},
    {EIO, "error de entrada/salida del dispositivo"},
    {ENXIO, "el dispositivo no está conectado"},
    {ENODEV, "no existe tal dispositivo"},
    {ENOTTY, "no es un puerto serie (no admite las órdenes de una terminal)"},
    {EBUSY, "el dispositivo está ocupado"},
    {EAGAIN, "el recurso no está disponible por ahora"},
    {EINTR, "la operación fue interrumpida"},
    {EINVAL, "argumento inválido"},
    {ENOMEM, "no hay memoria suficiente"},
    {ETXTBSY, "el archivo está en uso"},
    {EPIPE, "el otro extremo ya no recibe (tubería cerrada)"},
    {EBADF, "no está abierta (descriptor cerrado)"},
    {ECONNREFUSED, "conexión rechazada: nadie escucha en ese puerto"},
    {ECONNRESET, "el otro extremo cortó la conexión"},
    {ETIMEDOUT, "se agotó el tiempo de espera"},
    {EHOSTUNREACH, "no hay ruta hasta el equipo"},
    {ENETUNREACH, "la red no es alcanzable"},
    {ENETDOWN, "la red está caída"},
    {EADDRINUSE, "la dirección ya está en uso"},
    {EADDRNOTAVAIL, "la dirección no pertenece a este equipo"},
};
}   // namespace

QString f_Errno(int e) {
    for (const Motivo& m : kMotivos)
        if (m.e == e) return QString::fromUtf8(m.texto);
    return QStringLiteral("error del sistema número %1").arg(e);
}

QString f_DeTexto(const QString& textoQt, const QString& siNo) {
    const QString t = textoQt.trimmed();
    if (t.isEmpty()) return siNo;
    for (const Motivo& m : kMotivos) {
        if (t.compare(QString::fromLocal8Bit(std::strerror(m.e)), Qt::CaseInsensitive) == 0 ||
            t.compare(f_ErrnoEnC(m.e), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(m.texto);
    }
    return siNo;
}

}   // namespace MotivoSistema
