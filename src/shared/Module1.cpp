#include "Module1.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Module1 {

QString Version() {
    return QStringLiteral("%1.%2.%3").arg(kVersionMayor).arg(kVersionMenor).arg(kVersionRevision);
}

QString CarpetaPrograma() {
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

static QString CarpetaInstalada(const QString& carpetaPrograma) {
    return QDir::cleanPath(carpetaPrograma + QStringLiteral("/../share/orvo"));
}

QString CarpetaRecursos(const QString& carpetaPrograma) {
    static const QString kHtml = QStringLiteral("/Ayuda/html");
    if (QFileInfo(carpetaPrograma + kHtml).isDir()) return carpetaPrograma;
    const QString instalada = CarpetaInstalada(carpetaPrograma);
    if (QFileInfo(instalada + kHtml).isDir()) return instalada;
    return carpetaPrograma;
}

QString CarpetaDatos(const QString& carpetaPrograma) {
    return EsInstalado(carpetaPrograma) ? CarpetaUsuario() : carpetaPrograma;
}

QString CarpetaDatos() { return CarpetaDatos(CarpetaPrograma()); }

QString CarpetaAyudaHtml() {
    if (!v_ArchAyuda.isEmpty()) return QFileInfo(v_ArchAyuda).absolutePath() + QStringLiteral("/html");
    return CarpetaRecursos(CarpetaPrograma()) + QStringLiteral("/Ayuda/html");
}

void FijarCarpetas(const QString& carpetaDatos, const QString& carpetaRecursos) {
    v_ArchCFG = carpetaDatos + QStringLiteral("/Orvo.cfg");
    v_ArchLog = carpetaDatos + QStringLiteral("/Comm.log");
    v_ArchCodigo = carpetaDatos + QStringLiteral("/Codigo.tmp");
    v_ArchComandos = carpetaDatos + QStringLiteral("/Comandos.tmp");
    v_ArchAyuda = carpetaRecursos + QStringLiteral("/Ayuda/Orvo.chm");
}

void FijarCarpetasPorDefecto() {
    const QString programa = CarpetaPrograma();
    const QString datos = CarpetaDatos(programa);
    // A first start of an installed copy: the user's folder may not exist yet.
    QDir().mkpath(datos);
    FijarCarpetas(datos, CarpetaRecursos(programa));
}

}   // namespace Module1
