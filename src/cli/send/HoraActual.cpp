#include "HoraActual.h"
#include "CompilarArchivo.h"
#include <QStringList>

bool f_ConHoraActual(QString* codigo, QString* comando, const QDateTime& ahora) {
    if (comando->trimmed().section(QLatin1Char(' '), 0, 0).compare(QLatin1String("FECH"), Qt::CaseInsensitive) != 0)
        return false;
    // 02 52 K 31, eleven data bytes, 03 and the check byte.
    const QStringList b = codigo->split(QLatin1Char(' '));
    if (b.size() != 17 || b[0] != QLatin1String("02") || b[1] != QLatin1String("52") || b[3] != QLatin1String("31") ||
        b[15] != QLatin1String("03"))
        return false;
    bool ok = false;
    const uint reloj = b[2].toUInt(&ok, 16);
    if (!ok || reloj < 0x21 || reloj > 0x7E) return false;
    const QByteArray linea = QStringLiteral("FECH %1, %2, %3")
                                 .arg(QChar(reloj), ahora.toString(QStringLiteral("dd/MM/yyyy")),
                                      ahora.toString(QStringLiteral("HH:mm")))
                                 .toLatin1();
    const ResultadoCompilacion r = CompilarComoAbrir(linea);
    const QString nuevo = r.codigo.section(QStringLiteral("\r\n"), 0, 0);
    if (!r.debug.isEmpty() || nuevo.isEmpty()) return false;
    *codigo = nuevo;
    *comando = r.comandos.section(QStringLiteral("\r\n"), 0, 0);
    return true;
}
