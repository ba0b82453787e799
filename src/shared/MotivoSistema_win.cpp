// The system's reasons on Windows: the C library's errno texts, and the
// usual GetLastError() codes told as the errno they stand for.
#include "MotivoSistema.h"
#include "MotivoSistemaPlataforma.h"
#include <cerrno>
#include <cstring>
#include <windows.h>

namespace MotivoSistema {

namespace {
struct Equivalente {
    DWORD codigo;
    int e;
};
constexpr Equivalente kEquivalentes[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_DRIVE, ENOENT},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
    {ERROR_OUTOFMEMORY, ENOMEM},
    {ERROR_WRITE_PROTECT, EROFS},
    {ERROR_NOT_READY, ENXIO},
    {ERROR_DEV_NOT_EXIST, ENODEV},
    {ERROR_SHARING_VIOLATION, ETXTBSY},
    {ERROR_LOCK_VIOLATION, ETXTBSY},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_FILE_EXISTS, EEXIST},
    {ERROR_ALREADY_EXISTS, EEXIST},
    {ERROR_BROKEN_PIPE, EPIPE},
    {ERROR_NO_DATA, EPIPE},
    {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    {ERROR_DIRECTORY, ENOTDIR},
    {ERROR_CRC, EIO},
    {ERROR_GEN_FAILURE, EIO},
    {ERROR_BUSY, EBUSY},
};
}   // namespace

QString f_ErrnoEnC(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

QString f_Sistema(unsigned long codigo) {
    for (const Equivalente& q : kEquivalentes)
        if (q.codigo == codigo) return f_Errno(q.e);
    return qt_error_string(static_cast<int>(codigo));
}

}   // namespace MotivoSistema
