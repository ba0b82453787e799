// Where -o points, with Windows means: a device name (NUL, CON, COM1...) is
// written as a stream, never created or replaced; a folder is refused; any
// other name is a file replaced in one go.
#include "EscrituraPlataforma.h"
#include "NombreDispositivo.h"
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <windows.h>

namespace Escritura {

namespace {
bool Flujo(const QString& ruta, const QByteArray& bytes, QString* motivo) {
    const std::wstring nombre = QDir::toNativeSeparators(ruta).toStdWString();
    const HANDLE h = CreateFileW(nombre.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *motivo = qt_error_string(static_cast<int>(GetLastError()));
        return false;
    }
    const char* p = bytes.constData();
    qsizetype resta = bytes.size();
    while (resta > 0) {
        DWORD n = 0;
        if (!WriteFile(h, p, static_cast<DWORD>(std::min<qsizetype>(resta, 1 << 30)), &n, nullptr) || n == 0) {
            *motivo = qt_error_string(static_cast<int>(GetLastError()));
            CloseHandle(h);
            return false;
        }
        p += n;
        resta -= n;
    }
    CloseHandle(h);
    return true;
}
}   // namespace

bool EscribirRuta(const QString& ruta, const QByteArray& bytes, QString* motivo) {
    if (ArchivoSeguro::EsDispositivoWindows(ruta)) return Flujo(ruta, bytes, motivo);
    if (QFileInfo(ruta).isDir()) {
        *motivo = QStringLiteral("es una carpeta");
        return false;
    }
    return Reemplazar(ruta, bytes, motivo);
}

}   // namespace Escritura
