#include "TramaCodigo.h"
#include "Bytes.h"

QString f_CodigoTrama(QChar reloj, const QStringList& bytes) {
    QString texto = QStringLiteral("02 52 ") + HexAsc(reloj) + u' ';
    for (const QString& b : bytes) texto += b + u' ';
    texto += QStringLiteral("03 ");
    return texto + f_BCC(texto);
}

QStringList f_BytesDe(const QString& texto) {
    QStringList bytes;
    bytes.reserve(texto.size());
    for (const QChar c : texto) bytes << HexAsc(c);
    return bytes;
}
