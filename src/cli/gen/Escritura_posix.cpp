// Where -o points, with POSIX means: a FIFO or a device is written as a
// stream, a regular file replaced, a link in a shared folder never followed.
#include "ArchivoSeguro.h"
#include "EscrituraPlataforma.h"
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Escritura {

namespace {
// A FIFO or a device: opened for writing as it is, never created or truncated.
bool Flujo(const QString& ruta, bool sinEnlaces, const QByteArray& bytes, QString* motivo) {
    const int fd = ::open(QFile::encodeName(ruta).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (sinEnlaces ? O_NOFOLLOW : 0));
    if (fd < 0) {
        *motivo = qt_error_string(errno);
        return false;
    }
    struct stat st {};
    // A regular file put there meanwhile would be written over without a copy to fall back on.
    if (::fstat(fd, &st) != 0 || S_ISREG(st.st_mode)) {
        ::close(fd);
        *motivo = QStringLiteral("cambió mientras se abría; vuelva a intentarlo");
        return false;
    }
    const char* p = bytes.constData();
    qsizetype resta = bytes.size();
    while (resta > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(resta));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *motivo = qt_error_string(errno);
            ::close(fd);
            return false;
        }
        p += n;
        resta -= n;
    }
    if (::close(fd) != 0 && errno != EINTR) {
        *motivo = qt_error_string(errno);
        return false;
    }
    return true;
}

}   // namespace

bool EscribirRuta(const QString& ruta, const QByteArray& bytes, QString* motivo) {
    const QByteArray nombre = QFile::encodeName(ruta);
    const bool compartida = ArchivoSeguro::CarpetaCompartida(ruta);
    struct stat st {};
    if (::lstat(nombre.constData(), &st) != 0) return Reemplazar(ruta, bytes, motivo);
    // In a shared folder a link is refused by the replacement itself.
    if (S_ISLNK(st.st_mode) && (compartida || ::stat(nombre.constData(), &st) != 0)) return Reemplazar(ruta, bytes, motivo);
    if (S_ISREG(st.st_mode)) return Reemplazar(ruta, bytes, motivo);
    if (S_ISDIR(st.st_mode)) {
        *motivo = QStringLiteral("es una carpeta");
        return false;
    }
    return Flujo(ruta, compartida, bytes, motivo);
}

}   // namespace Escritura
