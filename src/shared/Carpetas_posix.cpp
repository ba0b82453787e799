// Where an installed copy lives and keeps its files on Linux.
#include "Module1.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Module1 {

bool EsInstalado(const QString& carpetaPrograma) {
    return QDir(carpetaPrograma).dirName() == QLatin1String("bin") &&
           QFileInfo(QDir::cleanPath(carpetaPrograma + QStringLiteral("/../share/orvo"))).isDir();
}

QString CarpetaUsuario() {
    const QString datos = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return datos.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share/Orvo") : datos;
}

}   // namespace Module1
