// A serial port text as Windows names its ports.
#include "DispositivoSerie.h"
#include <QRegularExpression>

namespace PuertoSerie {

bool Dispositivo(const QString& texto, QString* dispositivo, QString* error) {
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]{0,2})$"), QRegularExpression::CaseInsensitiveOption);
    const QString t = texto.trimmed();
    const auto m = com.match(t);
    if (m.hasMatch() && m.captured(1).toInt() <= 256) {
        *dispositivo = t.toUpper();
        return true;
    }
    *error = QStringLiteral(
                 "El puerto \"%1\" no es válido.\r\n\r\n"
                 "Elija un puerto de la lista o escriba su nombre (por ejemplo COM3).")
                 .arg(texto);
    return false;
}

}   // namespace PuertoSerie
