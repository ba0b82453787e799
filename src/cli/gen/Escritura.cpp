#include "Escritura.h"
#include "ArchivoSeguro.h"
#include "Consola.h"
#include "EscrituraPlataforma.h"
#include "NombreDispositivo.h"
#include <QDir>
#include <QFile>
#include <QSet>

namespace Escritura {

bool Reemplazar(const QString& ruta, const QByteArray& bytes, QString* motivo) {
    ArchivoSeguro::Reemplazo r(ruta);
    if (r.Escribir(bytes) && r.Confirmar()) return true;
    *motivo = r.Motivo();
    return false;
}

namespace {
const QString kLista = QStringLiteral("destinos.txt");

QString Citado(const QString& ruta) { return ruta.contains(QLatin1Char(' ')) || ruta.contains(QLatin1Char('\t')) ? QLatin1Char('"') + ruta + QLatin1Char('"') : ruta; }
}   // namespace

bool Salida(const QString& ruta, const QByteArray& bytes, QString* motivo) {
    if (ruta.isEmpty()) {
        if (Consola::SalidaBytes(bytes)) return true;
        *motivo = QStringLiteral("no se pudo escribir en la salida estándar");
        return false;
    }
    return EscribirRuta(ruta, bytes, motivo);
}

QString f_NombreSeguro(const QString& destino) {
    QString n;
    for (QChar c : destino) {
        const bool seguro = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
        n += seguro ? c : QChar(u'_');
    }
    // Never hidden, never "." or "..".
    while (n.startsWith(QLatin1Char('_')) || n.startsWith(QLatin1Char('.'))) n.remove(0, 1);
    if (n.isEmpty()) return QStringLiteral("destino");
    // A name Windows keeps for a device (COM1, NUL...) is no file there, and
    // the folder may be made on Linux for a Windows laptop.
    if (ArchivoSeguro::EsDispositivoWindows(n + QStringLiteral(".txt"))) n += QLatin1Char('_');
    return n;
}

QStringList f_ArchivosCarpeta(const QList<Tarjetas::Guion>& guiones) {
    QSet<QString> usados{kLista};
    QStringList archivos;
    for (const Tarjetas::Guion& g : guiones) {
        const QString base = f_NombreSeguro(g.destino);
        QString archivo = base + QStringLiteral(".txt");
        // Two destinations may read alike as file names ("a:1", "a_1"); case too, on some disks.
        for (int n = 2; usados.contains(archivo.toLower()); ++n) archivo = QStringLiteral("%1-%2.txt").arg(base).arg(n);
        usados.insert(archivo.toLower());
        archivos << archivo;
    }
    archivos << kLista;
    return archivos;
}

bool Carpeta(const QString& carpeta, const QList<Tarjetas::Guion>& guiones, QString* motivo) {
    if (!QDir().mkpath(carpeta)) {
        *motivo = QStringLiteral("no se pudo crear la carpeta \"%1\"").arg(carpeta);
        return false;
    }
    const QDir dir(carpeta);
    const QStringList archivos = f_ArchivosCarpeta(guiones);
    QByteArray lista = "# Destino y su archivo de comandos, para orvo-send --destinos\n";
    for (qsizetype i = 0; i < guiones.size(); ++i) {
        QString problema;
        if (!Salida(dir.filePath(archivos[i]), guiones[i].bytes, &problema)) {
            *motivo = QStringLiteral("no se pudo escribir \"%1\": %2").arg(dir.filePath(archivos[i]), problema);
            return false;
        }
        lista += (guiones[i].destino + QLatin1Char(' ') + Citado(archivos[i]) + QLatin1Char('\n')).toUtf8();
    }
    QString problema;
    if (!Salida(dir.filePath(kLista), lista, &problema)) {
        *motivo = QStringLiteral("no se pudo escribir \"%1\": %2").arg(dir.filePath(kLista), problema);
        return false;
    }
    return true;
}

}   // namespace Escritura
