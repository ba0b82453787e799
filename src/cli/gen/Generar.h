#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// A generated command script, or why it could not be made.
struct Generado {
    QStringList lineas;    // command lines, without line ends
    QStringList errores;   // "fila N: ..." for every bad row; nothing is written when any
};

// The scripts made from a card sheet: one, or one per destination when the
// sheet has a destino column, each in the editor's format (Windows-1252, CR LF).
struct Tarjetas {
    struct Guion {
        QString destino;   // empty without a destino column
        QByteArray bytes;
    };
    QList<Guion> guiones;   // destinations in the order the sheet first names them
    bool conDestino = false;
    QStringList errores;     // the first bad rows, then "… y N filas más"
    bool sinFilas = false;   // nothing but titles and blank rows
    QString problema;        // the sheet as a whole cannot be read (status 2); %1 is its name
};

// Every row checked (its cells, then the compiler) before anything is kept;
// the sheet is read a row at a time.
Tarjetas f_GenerarTarjetas(QByteArrayView csv);

// INIA and FECH for each clock of a list such as "1-5,7", at `ahora`.
// false with the message in *error when the list is not valid.
bool f_GenerarHora(const QString& lista, const QDateTime& ahora, Generado* g, QString* error);

// The lines in the editor's file format: Windows-1252, CR LF after each.
// false when a character has no Windows-1252 code (named in *error).
bool f_BytesGuion(const QStringList& lineas, QByteArray* bytes, QString* error);
