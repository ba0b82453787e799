#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// A spreadsheet export read one row at a time, so that a sheet of a million
// rows, or one row of millions of cells, is never held as fields all at once.
// Fields follow RFC 4180: "..." quotes with "" for a quote inside; a quoted
// field may hold the separator and line breaks.
struct FilaCsv {
    int numero = 0;                   // row of the sheet, from 1 (a row spanning lines counts once)
    QStringList campos;               // the first kColumnasLeidas cells, blanks around them removed
    qsizetype columnas = 0;           // cells in the row, counting those not kept
    QList<bool> saltos;               // per kept cell: a quoted line break inside it
    bool comillasSinCerrar = false;   // the file ended inside quotes
    bool Vacia() const;
};

class LectorCsv {
public:
    // Cells past this column are counted, not kept: no real sheet has so many.
    static constexpr qsizetype kColumnasLeidas = 512;

    // `bytes` must outlive the reader. The encoding and separator are found
    // from the bytes themselves (UTF-8 when valid, else Windows-1252).
    explicit LectorCsv(QByteArrayView bytes);

    // The next row; false at the end.
    bool Siguiente(FilaCsv* fila);
    char Separador() const { return v_Separador; }

private:
    QString Decodificar(QByteArrayView crudo);

    QByteArrayView v_Bytes;
    qsizetype v_Pos = 0;
    int v_Fila = 0;
    char v_Separador = ';';
    bool v_Utf8 = false;
};

// The separator (';', ',' or tab) found most often outside quotes in the
// first lines; ';' when none appears.
char f_SeparadorCsv(QByteArrayView bytes);
