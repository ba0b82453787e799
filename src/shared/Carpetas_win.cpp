// Where an installed copy lives and keeps its files on Windows.
#include "Module1.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Module1 {

// The installer leaves its uninstaller beside the program; a folder
// unpacked from the zip has none and keeps its files beside the program.
bool EsInstalado(const QString& carpetaPrograma) {
    return QFileInfo(carpetaPrograma + QStringLiteral("/desinstalar.exe")).isFile();
}

QString CarpetaUsuario() {
    const QString local = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
    if (!local.isEmpty()) return local + QStringLiteral("/Orvo");
    const QString datos = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return datos.isEmpty() ? QDir::homePath() + QStringLiteral("/AppData/Local/Orvo") : datos;
}

}   // namespace Module1
