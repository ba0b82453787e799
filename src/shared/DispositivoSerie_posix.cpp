// A serial port text as Linux names its devices.
#include "DispositivoSerie.h"
#include <QRegularExpression>

namespace PuertoSerie {

bool Dispositivo(const QString& texto, QString* dispositivo, QString* error) {
    const QString t = texto.trimmed();
    static const QRegularExpression com(QStringLiteral("^COM([1-8])$"), QRegularExpression::CaseInsensitiveOption);
    const auto m = com.match(t);
    if (m.hasMatch()) {
        *dispositivo = QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
        return true;
    }
    if (t.startsWith(QLatin1Char('/')) && t.size() > 1) {
        *dispositivo = t;
        return true;
    }
    *error = QStringLiteral(
                 "El puerto \"%1\" no es válido.\r\n\r\n"
                 "Elija COM1 a COM8 o escriba la ruta de un dispositivo serie "
                 "(por ejemplo /dev/ttyUSB0).")
                 .arg(texto);
    return false;
}

}   // namespace PuertoSerie
