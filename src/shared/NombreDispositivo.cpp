#include "NombreDispositivo.h"
#include <QRegularExpression>
#include <QStringList>

namespace ArchivoSeguro {

bool EsDispositivoWindows(const QString& ruta) {
    QString r = ruta;
    r.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (r.startsWith(QLatin1String("\\\\.\\")) || r.startsWith(QLatin1String("\\\\?\\"))) return true;
    QString nombre = r.mid(r.lastIndexOf(QLatin1Char('\\')) + 1);
    if (nombre.size() >= 2 && nombre[1] == QLatin1Char(':') && r.indexOf(QLatin1Char('\\')) < 0) nombre = nombre.mid(2);
    // "NUL.txt", "con .log", "COM1:" all reach the device.
    const qsizetype fin = nombre.indexOf(QRegularExpression(QStringLiteral("[.:]")));
    QString base = (fin < 0 ? nombre : nombre.left(fin)).toUpper();
    while (base.endsWith(QLatin1Char(' '))) base.chop(1);
    static const QStringList kFijos = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                       QStringLiteral("NUL"), QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    if (kFijos.contains(base)) return true;
    if (base.size() != 4 || !(base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT")))) return false;
    const QChar n = base[3];
    return (n >= QLatin1Char('1') && n <= QLatin1Char('9')) || n == QChar(0x00B9) || n == QChar(0x00B2) || n == QChar(0x00B3);
}

}   // namespace ArchivoSeguro
