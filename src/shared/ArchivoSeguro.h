#pragma once
#include <QByteArray>
#include <QString>

class QFile;

// Opening files without surprises. Nothing that is not a regular file (a
// FIFO, a device, a folder, a socket) is read or written, and no open ever
// waits for someone at the other end. The program's own files (Comm.log,
// Orvo.cfg, Codigo.tmp, Comandos.tmp) are never reached through a symbolic
// link when their folder is writable by others (a shared lab folder, mode
// 1777): anyone could have planted one there, pointing at the user's files.
namespace ArchivoSeguro {

// Largest command file the program reads: far above any real script (one
// of 100,000 lines is about 2.5 MB).
inline constexpr qint64 kLimiteComandos = qint64(64) << 20;
// The temporary files carry a code line per command line, which can be a
// few times longer than the command.
inline constexpr qint64 kLimiteTemporales = 4 * kLimiteComandos;

// Whether users other than the owner may create or remove files in the
// folder that holds `ruta`.
bool CarpetaCompartida(const QString& ruta);

// Reads a whole regular file of at most `limite` bytes. `propio`: one of the
// program's own files, never read through a link in a shared folder.
// False with the reason (Spanish, without the file name) in *motivo.
bool Leer(const QString& ruta, qint64 limite, bool propio, QByteArray* bytes, QString* motivo);

// Opens one of the program's own files for appending, creating it if absent.
bool AbrirAgregar(QFile& archivo, const QString& ruta, QString* motivo);
// The same as a bare descriptor (the caller closes it), for a log kept open
// through a run and written with one write(2) per line.
int AbrirAgregar(const QString& ruta, QString* motivo);
// write(2) until every byte went, EINTR retried; false on any other failure.
bool EscribirTodo(int fd, const char* datos, qsizetype largo);

// Replaces one of the program's own files in one go: the bytes go to a new
// file beside it, renamed over the name by Confirmar(), so a failure leaves
// the old file as it was. In a private folder a link is followed, as the
// user may have set it up; in a shared folder the name is replaced, never
// the file a link points at.
class Reemplazo {
public:
    // escrituraDirecta: when the folder forbids the new file, write the
    // existing file in place instead.
    explicit Reemplazo(const QString& ruta, bool escrituraDirecta = false);
    ~Reemplazo();   // an unconfirmed new file is removed
    Reemplazo(const Reemplazo&) = delete;
    Reemplazo& operator=(const Reemplazo&) = delete;

    bool Escribir(const QByteArray& bytes);
    bool Confirmar();
    const QString& Motivo() const { return v_Motivo; }

private:
    QString v_Ruta;
    QString v_Destino;
    QString v_Temporal;
    QString v_Motivo;
    QByteArray v_Directo;
    bool v_EscrituraDirecta;
    bool v_EnDirecto = false;
};

}   // namespace ArchivoSeguro
