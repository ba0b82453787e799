// The safe file routines with POSIX means: lstat, O_NOFOLLOW, rename.
#include "ArchivoSeguro.h"
#include "ArchivoSeguroPlataforma.h"
#include "MotivoSistema.h"
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ArchivoSeguro {

namespace {
const QString kEnlace = QStringLiteral(
    "es un enlace simbólico en una carpeta en la que otros usuarios pueden escribir; por seguridad no se sigue");

QString NoComun(mode_t modo) {
    if (S_ISDIR(modo)) return QStringLiteral("es una carpeta");
    if (S_ISFIFO(modo)) return QStringLiteral("no es un archivo común sino una tubería con nombre (FIFO)");
    if (S_ISCHR(modo) || S_ISBLK(modo)) return QStringLiteral("no es un archivo común sino un dispositivo");
    if (S_ISSOCK(modo)) return QStringLiteral("no es un archivo común sino un socket");
    return QStringLiteral("no es un archivo común");
}

QString Errno(int e) { return MotivoSistema::f_Errno(e); }

// open() that never waits (a FIFO with nobody at the other end, a serial
// line without carrier) and keeps only regular files. The type is looked at
// first, so that such a file gets its own reason rather than the open's.
int Abrir(const QString& ruta, int modo, bool propio, QString* motivo) {
    const bool sinEnlaces = propio && CarpetaCompartida(ruta);
    const QByteArray nombre = QFile::encodeName(ruta);
    struct stat st {};
    if ((sinEnlaces ? ::lstat(nombre.constData(), &st) : ::stat(nombre.constData(), &st)) == 0) {
        if (S_ISLNK(st.st_mode)) {
            *motivo = kEnlace;
            return -1;
        }
        if (!S_ISREG(st.st_mode)) {
            *motivo = NoComun(st.st_mode);
            return -1;
        }
    }
    const int fd = ::open(nombre.constData(), modo | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (sinEnlaces ? O_NOFOLLOW : 0), 0666);
    if (fd < 0) {
        *motivo = errno == ELOOP && sinEnlaces ? kEnlace : Errno(errno);
        return -1;
    }
    // What was opened may not be what was looked at a moment before.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *motivo = NoComun(st.st_mode);
        ::close(fd);
        return -1;
    }
    // A hard link planted there is the same trap as a symbolic one, for writing.
    if (sinEnlaces && (modo & O_ACCMODE) != O_RDONLY && st.st_nlink > 1) {
        *motivo = QStringLiteral(
            "tiene otro nombre (un enlace) en una carpeta en la que otros usuarios pueden "
            "escribir; por seguridad no se escribe en él");
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool EnQFile(QFile& archivo, int fd, QIODevice::OpenMode modo, QString* motivo) {
    if (archivo.open(fd, modo, QFileDevice::AutoCloseHandle)) return true;
    *motivo = MotivoSistema::f_DeTexto(archivo.errorString(), archivo.errorString());
    ::close(fd);
    return false;
}

bool EscribirTodo(int fd, const QByteArray& bytes) { return ArchivoSeguro::EscribirTodo(fd, bytes.constData(), bytes.size()); }

// The file a replacement writes: links followed in a private folder only.
bool Destino(const QString& ruta, QString* destino, QString* motivo) {
    QString r = ruta;
    for (int salto = 0; salto < 40; ++salto) {
        struct stat st {};
        if (::lstat(QFile::encodeName(r).constData(), &st) != 0) {
            if (errno != ENOENT) {
                *motivo = Errno(errno);
                return false;
            }
            *destino = r;
            return true;
        }
        if (S_ISLNK(st.st_mode)) {
            if (CarpetaCompartida(r)) {
                *motivo = kEnlace;
                return false;
            }
            r = QFileInfo(r).symLinkTarget();
            continue;
        }
        if (!S_ISREG(st.st_mode)) {
            *motivo = NoComun(st.st_mode);
            return false;
        }
        *destino = r;
        return true;
    }
    *motivo = Errno(ELOOP);
    return false;
}
}   // namespace

bool CarpetaCompartida(const QString& ruta) {
    struct stat st {};
    if (::stat(QFile::encodeName(QFileInfo(ruta).absolutePath()).constData(), &st) != 0) return false;
    return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

bool AbrirLectura(QFile& archivo, const QString& ruta, bool propio, QString* motivo) {
    const int fd = Abrir(ruta, O_RDONLY, propio, motivo);
    return fd >= 0 && EnQFile(archivo, fd, QIODevice::ReadOnly, motivo);
}

bool AbrirAgregar(QFile& archivo, const QString& ruta, QString* motivo) {
    const int fd = AbrirAgregar(ruta, motivo);
    return fd >= 0 && EnQFile(archivo, fd, QIODevice::WriteOnly | QIODevice::Append, motivo);
}

int AbrirAgregar(const QString& ruta, QString* motivo) { return Abrir(ruta, O_WRONLY | O_APPEND | O_CREAT, true, motivo); }

bool EscribirTodo(int fd, const char* datos, qsizetype largo) {
    while (largo > 0) {
        const ssize_t n = ::write(fd, datos, static_cast<size_t>(largo));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        datos += n;
        largo -= n;
    }
    return true;
}

Reemplazo::Reemplazo(const QString& ruta, bool escrituraDirecta) : v_Ruta(ruta), v_EscrituraDirecta(escrituraDirecta) {}

Reemplazo::~Reemplazo() {
    if (!v_Temporal.isEmpty()) ::unlink(QFile::encodeName(v_Temporal).constData());
}

bool Reemplazo::Escribir(const QByteArray& bytes) {
    if (!Destino(v_Ruta, &v_Destino, &v_Motivo)) return false;
    int fd = -1;
    for (int intento = 0; intento < 20 && fd < 0; ++intento) {
        v_Temporal = v_Destino + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        // O_EXCL: a name planted meanwhile is never opened, link or not.
        fd = ::open(QFile::encodeName(v_Temporal).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int e = errno;
        v_Temporal.clear();
        if (v_EscrituraDirecta && (e == EACCES || e == EPERM || e == EROFS)) {
            v_EnDirecto = true;
            v_Directo = bytes;
            return true;
        }
        v_Motivo = Errno(e);
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat st {};
    if (::stat(QFile::encodeName(v_Destino).constData(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
    const bool ok = EscribirTodo(fd, bytes) && ::fdatasync(fd) == 0;
    const int e = errno;
    if (::close(fd) != 0 || !ok) {
        v_Motivo = Errno(ok ? errno : e);
        return false;
    }
    return true;
}

bool Reemplazo::Confirmar() {
    if (v_EnDirecto) {
        const int fd = Abrir(v_Destino, O_WRONLY | O_CREAT | O_TRUNC, true, &v_Motivo);
        if (fd < 0) return false;
        const bool ok = EscribirTodo(fd, v_Directo);
        const int e = errno;
        if (::close(fd) != 0 || !ok) {
            v_Motivo = Errno(ok ? errno : e);
            return false;
        }
        return true;
    }
    if (v_Temporal.isEmpty()) return false;
    // rename() replaces whatever holds the name, a link included, and never follows it.
    if (::rename(QFile::encodeName(v_Temporal).constData(), QFile::encodeName(v_Destino).constData()) != 0) {
        v_Motivo = Errno(errno);
        return false;
    }
    v_Temporal.clear();
    return true;
}

}   // namespace ArchivoSeguro
