#pragma once
#include "Codificacion.h"
#include <QString>
#include <QStringList>

// Reading and writing command files. The file's encoding is kept so that a
// file is saved back as it came (Windows-1252, or UTF-8 with or without BOM).
struct ArchivoComandos {
    QStringList lineas;
    Codificacion::Tipo tipo = Codificacion::Tipo::Windows1252;
    bool conBom = false;
};

// Reads a whole file into lines. On failure returns false and the system's
// reason in *error.
bool LeerArchivoComandos(const QString& ruta, ArchivoComandos* archivo, QString* error);

// The bytes a pane's text is saved as: the text as typed, every line ended by
// CR LF (the empty piece after a final CR LF is no line of its own, so a file
// opened and saved again comes out byte for byte). False, with the character,
// when the encoding cannot hold one of the characters.
bool BytesArchivoComandos(const QString& texto, Codificacion::Tipo tipo, bool conBom, QByteArray* bytes,
                          QString* caracter);

// Writes the bytes in one go (the old file stays intact if writing fails).
bool GrabarArchivoComandos(const QString& ruta, const QByteArray& bytes, QString* error);
