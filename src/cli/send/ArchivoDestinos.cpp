#include "ArchivoDestinos.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
#include "Visible.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {
// Whether the bytes are UTF-16 (with a byte-order mark, or ASCII text with
// every other byte zero), which the spreadsheet and notepad programs offer.
bool EsUtf16(const QByteArray& b) {
    if (b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF")) return true;
    return b.count('\0') * 3 > b.size();
}

bool EsBlanco(QChar c) { return c == u' ' || c == u'\t'; }

// A line's words: separated by blanks, a word in double quotes may hold
// them; an unquoted word starting with '#' begins a comment to the end.
bool Partir(const QString& linea, QStringList* partes, QString* problema) {
    const qsizetype n = linea.size();
    for (qsizetype i = 0; i < n;) {
        if (EsBlanco(linea.at(i))) {
            ++i;
            continue;
        }
        if (linea.at(i) == u'"') {
            const qsizetype cierre = linea.indexOf(u'"', i + 1);
            if (cierre < 0) {
                *problema = QStringLiteral("comillas sin cerrar");
                return false;
            }
            if (cierre + 1 < n && !EsBlanco(linea.at(cierre + 1))) {
                *problema = QStringLiteral("falta un espacio después de las comillas");
                return false;
            }
            partes->append(linea.mid(i + 1, cierre - i - 1));
            i = cierre + 1;
            continue;
        }
        if (linea.at(i) == u'#') break;
        qsizetype fin = i;
        while (fin < n && !EsBlanco(linea.at(fin))) ++fin;
        partes->append(linea.mid(i, fin - i));
        i = fin;
    }
    return true;
}

QString Entrecomillado(const QString& texto) {
    const bool hace = texto.isEmpty() || texto.startsWith(u'"') || texto.startsWith(u'#') ||
                      std::any_of(texto.begin(), texto.end(), EsBlanco);
    return hace ? QLatin1Char('"') + texto + QLatin1Char('"') : texto;
}
}   // namespace

bool LeerArchivoDestinos(const QString& ruta, QList<Destino>* destinos, QString* error) {
    const QString nombre = f_Visible(ruta);
    QByteArray bytes;
    QString motivo;
    if (!Codificacion::LeerArchivo(ruta, &bytes, &motivo)) {
        *error = QStringLiteral("no se puede leer \"%1\": %2").arg(nombre, motivo);
        return false;
    }
    if (EsUtf16(bytes)) {
        *error = QStringLiteral("\"%1\" está en UTF-16: guárdelo como texto UTF-8 o Windows-1252 y vuelva a intentarlo")
                     .arg(nombre);
        return false;
    }
    // An editor's byte-order mark is not part of the first target.
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    const QDir carpeta = QFileInfo(ruta).absoluteDir();
    const QStringList lineas = Codificacion::Lineas(Codificacion::Decodificar(bytes).texto);
    const qsizetype antes = destinos->size();
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QString l = lineas[i].trimmed();
        if (l.isEmpty() || l.startsWith(QLatin1Char('#'))) continue;
        QStringList partes;
        QString problema;
        Destino d;
        if (Partir(l, &partes, &problema)) {
            if (partes.size() > 2)
                problema = QStringLiteral("sobra texto después del archivo de comandos: \"%1\"").arg(f_Visible(partes[2]));
            else if (partes.isEmpty() || partes[0].isEmpty())
                problema = QStringLiteral("falta el destino");
            else if (partes.size() == 2 && partes[1].isEmpty())
                problema = QStringLiteral("el archivo de comandos está vacío");
            else if (LeerDestino(partes[0], &d, &problema) && partes.size() == 2)
                d.guion = QDir::cleanPath(carpeta.absoluteFilePath(partes[1]));
        }
        if (!problema.isEmpty()) {
            *error = QStringLiteral("%1, línea %2: %3").arg(nombre).arg(i + 1).arg(problema);
            return false;
        }
        destinos->append(d);
    }
    // Else an empty list would be told as a missing --destinos.
    if (destinos->size() == antes) {
        *error = QStringLiteral("\"%1\" no tiene destinos: escriba uno por línea (HOST[:PUERTO] o la ruta de un dispositivo)").arg(nombre);
        return false;
    }
    return true;
}

bool EscribirFallidos(const QString& ruta, const QList<Destino>& fallidos, QString* error) {
    const QFileInfo info(ruta);
    if (fallidos.isEmpty()) {
        // A list left from an earlier run would send again what is now done.
        if ((info.exists() || info.isSymLink()) && !QFile::remove(ruta)) {
            *error = QStringLiteral("no se pudo borrar \"%1\", que quedó de un envío anterior").arg(f_Visible(ruta));
            return false;
        }
        return true;
    }
    const QDir carpeta = info.absoluteDir();
    QString texto = QStringLiteral("# Destinos que no terminaron bien (orvo-send, %1)\n")
                        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    for (const Destino& d : fallidos) {
        texto += Entrecomillado(d.crudo);
        if (!d.guion.isEmpty()) texto += QLatin1Char(' ') + Entrecomillado(carpeta.relativeFilePath(d.guion));
        texto += QLatin1Char('\n');
    }
    ArchivoSeguro::Reemplazo archivo(ruta);
    if (archivo.Escribir(texto.toUtf8()) && archivo.Confirmar()) return true;
    *error = QStringLiteral("no se pudo escribir \"%1\": %2").arg(f_Visible(ruta), archivo.Motivo());
    return false;
}
