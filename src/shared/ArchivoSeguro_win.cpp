// The safe file routines with Windows means: CreateFileW with the type of
// the handle checked, reparse points (symbolic links, junctions) not
// followed in a shared folder, MoveFileExW to replace, and the device names
// Windows reserves refused before anything is opened.
#include "ArchivoSeguro.h"
#include "ArchivoSeguroPlataforma.h"
#include "MotivoSistema.h"
#include "NombreDispositivo.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <aclapi.h>
#include <algorithm>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace ArchivoSeguro {

namespace {
const QString kEnlace = QStringLiteral(
    "es un enlace simbólico en una carpeta en la que otros usuarios pueden escribir; por seguridad no se sigue");
const QString kDispositivo = QStringLiteral("no es un archivo común sino un dispositivo");
const QString kCarpeta = QStringLiteral("es una carpeta");

std::wstring Nativa(const QString& ruta) { return QDir::toNativeSeparators(ruta).toStdWString(); }

QString Error(DWORD e) { return MotivoSistema::f_Sistema(e); }

// The handle's kind decides, not its name: a pipe or a console is refused.
bool Comun(HANDLE h, bool sinEnlaces, bool escritura, QString* motivo) {
    const DWORD tipo = GetFileType(h);
    if (tipo == FILE_TYPE_PIPE) {
        *motivo = QStringLiteral("no es un archivo común sino una tubería con nombre (FIFO)");
        return false;
    }
    if (tipo != FILE_TYPE_DISK) {
        *motivo = kDispositivo;
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info)) {
        *motivo = Error(GetLastError());
        return false;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        *motivo = kCarpeta;
        return false;
    }
    if (sinEnlaces && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        *motivo = kEnlace;
        return false;
    }
    if (sinEnlaces && escritura && info.nNumberOfLinks > 1) {
        *motivo = QStringLiteral(
            "tiene otro nombre (un enlace) en una carpeta en la que otros usuarios pueden "
            "escribir; por seguridad no se escribe en él");
        return false;
    }
    return true;
}

// CreateFileW for a regular file only; INVALID_HANDLE_VALUE with the reason.
HANDLE Abrir(const QString& ruta, DWORD acceso, DWORD creacion, bool propio, QString* motivo) {
    if (EsDispositivoWindows(ruta)) {
        *motivo = kDispositivo;
        return INVALID_HANDLE_VALUE;
    }
    const bool sinEnlaces = propio && CarpetaCompartida(ruta);
    const std::wstring nativa = Nativa(ruta);
    const DWORD atributos = GetFileAttributesW(nativa.c_str());
    if (atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY)) {
        *motivo = kCarpeta;
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE h = CreateFileW(nativa.c_str(), acceso, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 creacion, FILE_ATTRIBUTE_NORMAL | (sinEnlaces ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *motivo = Error(GetLastError());
        return h;
    }
    if (!Comun(h, sinEnlaces, acceso != GENERIC_READ, motivo)) {
        CloseHandle(h);
        return INVALID_HANDLE_VALUE;
    }
    return h;
}

bool EnQFile(QFile& archivo, HANDLE h, int banderas, QIODevice::OpenMode modo, QString* motivo) {
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), banderas | _O_BINARY);
    if (fd < 0) {
        *motivo = Error(ERROR_TOO_MANY_OPEN_FILES);
        CloseHandle(h);
        return false;
    }
    if (archivo.open(fd, modo, QFileDevice::AutoCloseHandle)) return true;
    *motivo = archivo.errorString();
    _close(fd);
    return false;
}

bool EscribirTodo(HANDLE h, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype resta = bytes.size();
    while (resta > 0) {
        DWORD n = 0;
        const DWORD pedazo = static_cast<DWORD>(std::min<qsizetype>(resta, 1 << 30));
        if (!WriteFile(h, p, pedazo, &n, nullptr) || n == 0) return false;
        p += n;
        resta -= n;
    }
    return true;
}

// The file a replacement writes: links followed in a private folder only.
bool Destino(const QString& ruta, QString* destino, QString* motivo) {
    if (EsDispositivoWindows(ruta)) {
        *motivo = kDispositivo;
        return false;
    }
    QString r = ruta;
    for (int salto = 0; salto < 40; ++salto) {
        const DWORD atributos = GetFileAttributesW(Nativa(r).c_str());
        if (atributos == INVALID_FILE_ATTRIBUTES) {
            const DWORD e = GetLastError();
            if (e != ERROR_FILE_NOT_FOUND && e != ERROR_PATH_NOT_FOUND) {
                *motivo = Error(e);
                return false;
            }
            *destino = r;
            return true;
        }
        if (atributos & FILE_ATTRIBUTE_DIRECTORY) {
            *motivo = kCarpeta;
            return false;
        }
        if (atributos & FILE_ATTRIBUTE_REPARSE_POINT) {
            if (CarpetaCompartida(r)) {
                *motivo = kEnlace;
                return false;
            }
            const QString meta = QFileInfo(r).symLinkTarget();
            if (meta.isEmpty()) break;
            r = meta;
            continue;
        }
        *destino = r;
        return true;
    }
    *motivo = Error(ERROR_CANT_RESOLVE_FILENAME);
    return false;
}

// Whether an allowed entry of the folder's access list lets everyone, all
// users or all signed-in users create files there.
bool AbiertaATodos(PACL dacl) {
    if (!dacl) return true;   // no list at all: everyone may do everything
    static const WELL_KNOWN_SID_TYPE kGrupos[] = {WinWorldSid, WinBuiltinUsersSid, WinAuthenticatedUserSid};
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) continue;
        const auto* cabecera = static_cast<ACE_HEADER*>(ace);
        if (cabecera->AceType != ACCESS_ALLOWED_ACE_TYPE || (cabecera->AceFlags & INHERIT_ONLY_ACE)) continue;
        const auto* permitida = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        if (!(permitida->Mask & (FILE_ADD_FILE | GENERIC_WRITE | GENERIC_ALL))) continue;
        const PSID sid = const_cast<DWORD*>(&permitida->SidStart);
        for (const WELL_KNOWN_SID_TYPE grupo : kGrupos)
            if (IsWellKnownSid(sid, grupo)) return true;
    }
    return false;
}
}   // namespace

bool CarpetaCompartida(const QString& ruta) {
    std::wstring carpeta = Nativa(QFileInfo(ruta).absolutePath());
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(carpeta.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const bool compartida = AbiertaATodos(dacl);
    LocalFree(descriptor);
    return compartida;
}

bool AbrirLectura(QFile& archivo, const QString& ruta, bool propio, QString* motivo) {
    const HANDLE h = Abrir(ruta, GENERIC_READ, OPEN_EXISTING, propio, motivo);
    return h != INVALID_HANDLE_VALUE && EnQFile(archivo, h, _O_RDONLY, QIODevice::ReadOnly, motivo);
}

bool AbrirAgregar(QFile& archivo, const QString& ruta, QString* motivo) {
    // FILE_APPEND_DATA alone: every write lands at the end, whoever else writes.
    const HANDLE h = Abrir(ruta, FILE_APPEND_DATA | SYNCHRONIZE, OPEN_ALWAYS, true, motivo);
    return h != INVALID_HANDLE_VALUE &&
           EnQFile(archivo, h, _O_WRONLY | _O_APPEND, QIODevice::WriteOnly | QIODevice::Append, motivo);
}

int AbrirAgregar(const QString& ruta, QString* motivo) {
    const HANDLE h = Abrir(ruta, FILE_APPEND_DATA | SYNCHRONIZE, OPEN_ALWAYS, true, motivo);
    if (h == INVALID_HANDLE_VALUE) return -1;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_APPEND | _O_BINARY);
    if (fd < 0) {
        *motivo = Error(ERROR_TOO_MANY_OPEN_FILES);
        CloseHandle(h);
    }
    return fd;
}

bool EscribirTodo(int fd, const char* datos, qsizetype largo) {
    const auto h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    return h != INVALID_HANDLE_VALUE && EscribirTodo(h, QByteArray::fromRawData(datos, largo));
}

Reemplazo::Reemplazo(const QString& ruta, bool escrituraDirecta) : v_Ruta(ruta), v_EscrituraDirecta(escrituraDirecta) {}

Reemplazo::~Reemplazo() {
    if (!v_Temporal.isEmpty()) DeleteFileW(Nativa(v_Temporal).c_str());
}

bool Reemplazo::Escribir(const QByteArray& bytes) {
    if (!Destino(v_Ruta, &v_Destino, &v_Motivo)) return false;
    HANDLE h = INVALID_HANDLE_VALUE;
    DWORD e = ERROR_SUCCESS;
    for (int intento = 0; intento < 20 && h == INVALID_HANDLE_VALUE; ++intento) {
        v_Temporal = v_Destino + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        // CREATE_NEW: a name planted meanwhile is never opened.
        h = CreateFileW(Nativa(v_Temporal).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        e = GetLastError();
        if (h == INVALID_HANDLE_VALUE && e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) break;
    }
    if (h == INVALID_HANDLE_VALUE) {
        v_Temporal.clear();
        if (v_EscrituraDirecta && (e == ERROR_ACCESS_DENIED || e == ERROR_WRITE_PROTECT)) {
            v_EnDirecto = true;
            v_Directo = bytes;
            return true;
        }
        v_Motivo = Error(e);
        return false;
    }
    const bool ok = EscribirTodo(h, bytes) && FlushFileBuffers(h);
    e = GetLastError();
    if (!CloseHandle(h) || !ok) {
        v_Motivo = Error(ok ? GetLastError() : e);
        return false;
    }
    return true;
}

bool Reemplazo::Confirmar() {
    if (v_EnDirecto) {
        const HANDLE h = Abrir(v_Destino, GENERIC_WRITE, CREATE_ALWAYS, true, &v_Motivo);
        if (h == INVALID_HANDLE_VALUE) return false;
        const bool ok = EscribirTodo(h, v_Directo);
        const DWORD e = GetLastError();
        if (!CloseHandle(h) || !ok) {
            v_Motivo = Error(ok ? GetLastError() : e);
            return false;
        }
        return true;
    }
    if (v_Temporal.isEmpty()) return false;
    // Replaces whatever holds the name, a link included, and never follows it.
    if (!MoveFileExW(Nativa(v_Temporal).c_str(), Nativa(v_Destino).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        v_Motivo = Error(GetLastError());
        return false;
    }
    v_Temporal.clear();
    return true;
}

}   // namespace ArchivoSeguro
