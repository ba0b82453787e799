#include "Codificacion.h"
#include "ArchivoSeguro.h"
#include "CodificacionPlataforma.h"
#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace Codificacion {

namespace {
// The code page's 256 characters, asked of the system's converter once.
const std::array<char16_t, 256>& TablaDecodificacion() {
    static const std::array<char16_t, 256> tabla = f_TablaWin1252();
    return tabla;
}

bool TodoAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool EsUtf8(const QByteArray& bytes) {
    QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = dec.decode(bytes);
    return !dec.hasError();
}
}   // namespace

Decodificado Decodificar(const QByteArray& bytes) {
    if (TodoAscii(bytes)) return {QString::fromLatin1(bytes), Tipo::Windows1252};   // the same in every code page
    if (EsUtf8(bytes)) {
        QByteArray sinBom = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        return {QString::fromUtf8(sinBom), Tipo::Utf8};
    }
    return {DesdeWin1252(bytes), Tipo::Windows1252};
}

QString DesdeWin1252(QByteArrayView bytes) {
    const auto& tabla = TablaDecodificacion();
    QString s(bytes.size(), Qt::Uninitialized);
    QChar* d = s.data();
    for (char c : bytes) *d++ = QChar(tabla[static_cast<unsigned char>(c)]);
    return s;
}

int CodigoWin1252(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) return u;
    const auto& tabla = TablaDecodificacion();
    for (int i = 0x80; i < 256; ++i)
        if (tabla[i] == u) return i;
    return -1;
}

bool Codificar(const QString& texto, Tipo tipo, QByteArray* salida, QString* error) {
    if (tipo == Tipo::Utf8) {
        *salida = texto.toUtf8();
        return true;
    }
    QByteArray r;
    r.reserve(texto.size());
    for (QChar c : texto) {
        const int codigo = CodigoWin1252(c);
        if (codigo < 0) {
            if (error) *error = QString(c);
            return false;
        }
        r.append(static_cast<char>(codigo));
    }
    *salida = r;
    return true;
}

bool LeerArchivo(const QString& ruta, QByteArray* bytes, QString* motivo) {
    return ArchivoSeguro::Leer(ruta, ArchivoSeguro::kLimiteComandos, false, bytes, motivo);
}

QStringList Lineas(const QString& texto) {
    QStringList r;
    qsizetype inicio = 0;
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texto.at(i);
        // The command pane breaks a line at U+2028 and U+2029 too, so a file is read as it will show.
        if (EsFinDeLinea(c)) {
            r.append(texto.mid(inicio, i - inicio));
            if (c == u'\r' && i + 1 < n && texto.at(i + 1) == u'\n') ++i;
            inicio = i + 1;
        }
    }
    if (inicio < n) r.append(texto.mid(inicio));
    return r;
}

}   // namespace Codificacion
