#include "Escritura.h"
#include "ArchivoSeguro.h"
#include "Consola.h"
#include <QDir>
#include <QFile>
#include <QSet>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Escritura {

namespace {
bool Reemplazar(const QString& ruta, const QByteArray& bytes, QString* motivo) {
    ArchivoSeguro::Reemplazo r(ruta);
    if (r.Escribir(bytes) && r.Confirmar()) return true;
    *motivo = r.Motivo();
    return false;
}

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

QString Citado(const QString& ruta) { return ruta.contains(QLatin1Char(' ')) || ruta.contains(QLatin1Char('\t')) ? QLatin1Char('"') + ruta + QLatin1Char('"') : ruta; }
}   // namespace

bool Salida(const QString& ruta, const QByteArray& bytes, QString* motivo) {
    if (ruta.isEmpty()) {
        if (Consola::SalidaBytes(bytes)) return true;
        *motivo = QStringLiteral("no se pudo escribir en la salida estándar");
        return false;
    }
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

QString f_NombreSeguro(const QString& destino) {
    QString n;
    for (QChar c : destino) {
        const bool seguro = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
        n += seguro ? c : QChar(u'_');
    }
    // Never hidden, never "." or "..".
    while (n.startsWith(QLatin1Char('_')) || n.startsWith(QLatin1Char('.'))) n.remove(0, 1);
    return n.isEmpty() ? QStringLiteral("destino") : n;
}

bool Carpeta(const QString& carpeta, const QList<Tarjetas::Guion>& guiones, QString* motivo) {
    if (!QDir().mkpath(carpeta)) {
        *motivo = QStringLiteral("no se pudo crear la carpeta \"%1\"").arg(carpeta);
        return false;
    }
    const QDir dir(carpeta);
    QSet<QString> usados{QStringLiteral("destinos.txt")};
    QByteArray lista = "# Destino y su archivo de comandos, para orvo-send --destinos\n";
    for (const Tarjetas::Guion& g : guiones) {
        const QString base = f_NombreSeguro(g.destino);
        QString archivo = base + QStringLiteral(".txt");
        // Two destinations may read alike as file names ("a:1", "a_1"); case too, on some disks.
        for (int n = 2; usados.contains(archivo.toLower()); ++n) archivo = QStringLiteral("%1-%2.txt").arg(base).arg(n);
        usados.insert(archivo.toLower());
        QString problema;
        if (!Salida(dir.filePath(archivo), g.bytes, &problema)) {
            *motivo = QStringLiteral("no se pudo escribir \"%1\": %2").arg(dir.filePath(archivo), problema);
            return false;
        }
        lista += (g.destino + QLatin1Char(' ') + Citado(archivo) + QLatin1Char('\n')).toUtf8();
    }
    QString problema;
    if (!Salida(dir.filePath(QStringLiteral("destinos.txt")), lista, &problema)) {
        *motivo = QStringLiteral("no se pudo escribir \"%1\": %2").arg(dir.filePath(QStringLiteral("destinos.txt")), problema);
        return false;
    }
    return true;
}

}   // namespace Escritura
