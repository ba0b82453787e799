#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

// A generated command script, or why it could not be made.
struct Generado {
    QStringList lineas;    // command lines, without line ends
    QStringList errores;   // "fila N: ..." for every bad row; nothing is written when any
};

// A card list (reloj, tarjeta, perfil 1, perfil 2; optional header row)
// as AING lines, every row checked by the compiler.
Generado f_GenerarTarjetas(const QByteArray& csv);

// INIA and FECH for each clock of a list such as "1-5,7", at `ahora`.
// false with the message in *error when the list is not valid.
bool f_GenerarHora(const QString& lista, const QDateTime& ahora, Generado* g, QString* error);

// The lines in the editor's file format: Windows-1252, CR LF after each.
// false when a character has no Windows-1252 code (named in *error).
bool f_BytesGuion(const QStringList& lineas, QByteArray* bytes, QString* error);
