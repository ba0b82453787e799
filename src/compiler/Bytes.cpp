#include "Bytes.h"
#include "Codificacion.h"
#include "LecturaCodigo.h"

namespace {
QString DosDigitos(int valor) {
    QString r;
    r.reserve(2);
    AgregarByteHex(r, static_cast<unsigned>(valor));
    return r;
}

void AgregarDigitos(QString& destino, QChar c) {
    const int codigo = Codificacion::CodigoWin1252(c);
    // As the platform's Asc does for a character the code page lacks.
    AgregarByteHex(destino, codigo < 0 ? unsigned('?') : static_cast<unsigned>(codigo));
}
}   // namespace

QString HexAsc(QChar c) {
    QString r;
    r.reserve(2);
    AgregarDigitos(r, c);
    return r;
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
