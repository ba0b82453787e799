#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// Text encoding of command files, temporary files and logs: Windows-1252,
// except that a file which is valid UTF-8 with non-ASCII characters is read
// (and saved back) as UTF-8.
namespace Codificacion {

enum class Tipo { Windows1252,
                  Utf8 };

struct Decodificado {
    QString texto;
    Tipo tipo = Tipo::Windows1252;
};

Decodificado Decodificar(const QByteArray& bytes);

// Encodes text; on a character the encoding cannot hold returns false and
// names the first such character in *error (nothing is replaced silently).
bool Codificar(const QString& texto, Tipo tipo, QByteArray* salida, QString* error = nullptr);

// Bytes known to be Windows-1252, as text (every byte has its character).
QString DesdeWin1252(QByteArrayView bytes);

// Windows-1252 code of one character; -1 when the code page has none.
int CodigoWin1252(QChar c);

// Reads a whole command file: a regular file of at most
// ArchivoSeguro::kLimiteComandos bytes. On failure returns false with the
// reason in *motivo.
bool LeerArchivo(const QString& ruta, QByteArray* bytes, QString* motivo);

// Splits file contents into lines: CR LF, a lone LF, a lone CR and the
// Unicode line and paragraph separators each end a line (see EsFinDeLinea);
// a final line end does not open one more line.
QStringList Lineas(const QString& texto);
// A character that ends a line by that rule (CR LF is one end). The rich-text
// pane also breaks a line at its own frame marks, U+FDD0 and U+FDD1.
inline bool EsFinDeLinea(QChar c) {
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == u'\uFDD0' ||
           c == u'\uFDD1';
}

}   // namespace Codificacion
