#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// A spreadsheet export read as rows of fields.
struct FilaCsv {
    int numero = 0;              // row number in the file, from 1
    QStringList campos;          // unquoted, blanks around them removed
    bool saltoEnCampo = false;   // a quoted field held a line break
};

// The separator (';', ',' or tab) that splits the first row into the most
// fields outside quotes; ';' when none appears.
QChar f_SeparadorCsv(const QString& texto);

// Rows of the text: fields split at `separador`, "..." quotes with "" for a
// quote inside them; a quoted field may span lines.
QList<FilaCsv> f_LeerCsv(const QString& texto, QChar separador);
