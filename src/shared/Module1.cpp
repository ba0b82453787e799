#include "Module1.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace Module1 {

QString Version() {
    return QStringLiteral("%1.%2.%3").arg(kVersionMayor).arg(kVersionMenor).arg(kVersionRevision);
}

QString CarpetaPrograma() {
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

static bool SePuedeEscribir(const QString& carpeta) {
    QTemporaryFile prueba(carpeta + QStringLiteral("/.orvo-XXXXXX"));
    return prueba.open();
}

QString CarpetaDatos() {
    const QString programa = CarpetaPrograma();
    if (SePuedeEscribir(programa)) return programa;
    QString datos = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (datos.isEmpty()) datos = QDir::homePath() + QStringLiteral("/.local/share/Orvo");
    QDir().mkpath(datos);
    return datos;
}

void FijarCarpetas(const QString& carpetaDatos, const QString& carpetaPrograma) {
    v_ArchCFG = carpetaDatos + QStringLiteral("/Orvo.cfg");
    v_ArchLog = carpetaDatos + QStringLiteral("/Comm.log");
    v_ArchCodigo = carpetaDatos + QStringLiteral("/Codigo.tmp");
    v_ArchComandos = carpetaDatos + QStringLiteral("/Comandos.tmp");
    v_ArchAyuda = carpetaPrograma + QStringLiteral("/Ayuda/Orvo.chm");
}

void FijarCarpetasPorDefecto() { FijarCarpetas(CarpetaDatos(), CarpetaPrograma()); }

}  // namespace Module1
