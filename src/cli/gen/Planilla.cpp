#include "Planilla.h"
#include <QRegularExpression>

namespace {
const char* const kNombres[kColumnas] = {"reloj", "tarjeta", "perfil 1", "perfil 2", "destino"};

// Lower case, no accents, no blanks, '_', '-' or '.'.
QString Clave(const QString& titulo) {
    QString clave;
    for (QChar c : titulo.normalized(QString::NormalizationForm_D)) {
        if (c.isMark() || c.isSpace() || c == u'_' || c == u'-' || c == u'.') continue;
        clave += c.toLower();
    }
    return clave;
}

int ColumnaDe(const QString& titulo) {
    const QString clave = Clave(titulo);
    for (int i = 0; i < kColumnas; ++i)
        if (clave == Clave(QLatin1String(kNombres[i]))) return i;
    return -1;
}

// A column as the spreadsheet program shows it: A..Z, AA...
QString f_Letra(qsizetype indice) {
    QString letra;
    for (qsizetype n = indice + 1; n > 0; n = (n - 1) / 26) letra.prepend(QChar(static_cast<char16_t>(u'A' + (n - 1) % 26)));
    return letra;
}

// The old guess for a sheet whose titles say nothing known: no clock (one
// character) in the first cell and no digit in the second.
bool PareceTitulos(const FilaCsv& f) {
    static const QRegularExpression digito(QStringLiteral("[0-9]"));
    return f.campos.value(0).size() != 1 && !f.campos.value(1).contains(digito);
}
}   // namespace

QString f_NombreColumna(Columna c) { return QLatin1String(kNombres[static_cast<int>(c)]); }

Columnas f_BuscarColumnas(QByteArrayView bytes) {
    LectorCsv lector(bytes);
    FilaCsv f;
    int primeraConDatos = 0;
    bool primeraEsTitulos = false;
    while (lector.Siguiente(&f)) {
        if (f.Vacia()) continue;
        if (primeraConDatos == 0) {
            primeraConDatos = f.numero;
            primeraEsTitulos = PareceTitulos(f);
        }
        Columnas c;
        c.indice.fill(-1);
        QString repetida;   // a title given twice: which of the two is meant cannot be told
        for (qsizetype i = 0; i < f.campos.size(); ++i) {
            const int col = ColumnaDe(f.campos[i]);
            if (col < 0) continue;
            if (c.indice[col] < 0)
                c.indice[col] = i;
            else if (repetida.isEmpty())
                repetida = QStringLiteral("la fila de títulos (fila %1) tiene dos columnas «%2» (%3 y %4): deje una sola")
                               .arg(QString::number(f.numero), f_NombreColumna(static_cast<Columna>(col)), f_Letra(c.indice[col]), f_Letra(i));
        }
        if (c.Indice(Columna::Reloj) < 0 || c.Indice(Columna::Tarjeta) < 0) continue;
        c.filaTitulos = f.numero;
        c.problema = repetida;
        for (Columna falta : {Columna::Perfil1, Columna::Perfil2})
            if (c.Indice(falta) < 0 && c.problema.isEmpty())
                c.problema = QStringLiteral("la fila de títulos (fila %1) no tiene la columna «%2»").arg(f.numero).arg(f_NombreColumna(falta));
        return c;
    }
    Columnas c;
    if (primeraEsTitulos) c.filaTitulos = primeraConDatos;
    return c;
}
