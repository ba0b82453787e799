#include "Bytes.h"
#include "Codificacion.h"
#include "LecturaCodigo.h"

namespace {
const char kDigitos[] = "0123456789ABCDEF";

QString DosDigitos(int valor) {
    const QChar r[2] = {QLatin1Char(kDigitos[(valor >> 4) & 0xF]), QLatin1Char(kDigitos[valor & 0xF])};
    return QString(r, 2);
}

void AgregarDigitos(QString& destino, QChar c) {
    int codigo = Codificacion::CodigoWin1252(c);
    if (codigo < 0) codigo = '?';
    destino += QLatin1Char(kDigitos[(codigo >> 4) & 0xF]);
    destino += QLatin1Char(kDigitos[codigo & 0xF]);
}
}   // namespace

QString HexAsc(QChar c) {
    int codigo = Codificacion::CodigoWin1252(c);
    if (codigo < 0) codigo = '?';   // as the platform's Asc does for a character the code page lacks
    return DosDigitos(codigo);
}

QString f_BCC(const QString& texto) {
    return DosDigitos(f_XorDeLinea(texto));
}

QString HexTexto(const QString& texto) {
    QString r;
    r.reserve(texto.size() * 3);
    for (QChar c : texto) {
        AgregarDigitos(r, c);
        r += QLatin1Char(' ');
    }
    return r;
}

QString TramaReloj(QChar reloj, const QString& byteComando, const QString& datos) {
    QString t;
    t.reserve(datos.size() + 20);
    t += QLatin1String("02 52 ");
    AgregarDigitos(t, reloj);
    t += QLatin1Char(' ');
    t += byteComando;
    t += QLatin1Char(' ');
    t += datos;
    t += QLatin1String("03 ");
    t += f_BCC(t);
    return t;
}
