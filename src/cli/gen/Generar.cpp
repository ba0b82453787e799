#include "Generar.h"
#include "Codificacion.h"
#include "CompilarArchivo.h"
#include "Csv.h"
#include <QRegularExpression>
#include <algorithm>

namespace {
constexpr int kColumnas = 4;

// Each line compiled on its own as the editor would, so every message belongs
// to its row: "fila <row>: <message>". A line that gives neither a frame nor
// a message (a help request, "?") is a bad row as well.
QStringList ErroresCompilacion(const QStringList& lineas, const QList<int>& filas) {
    QStringList errores;
    static const QRegularExpression entrada(QStringLiteral("^Linea \\d+ - "));
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const ResultadoCompilacion r = CompilarComoAbrir((lineas[i] + QStringLiteral("\r\n")).toUtf8());
        for (QString e : r.debug) errores << QStringLiteral("fila %1: %2").arg(filas[i]).arg(e.remove(entrada));
        if (r.debug.isEmpty() && r.codigo.trimmed().isEmpty())
            errores << QStringLiteral("fila %1: no da ninguna trama").arg(filas[i]);
    }
    return errores;
}

// A title row: no clock (one character) in the first column and no digit in the second.
bool EsCabecera(const FilaCsv& f) {
    static const QRegularExpression digito(QStringLiteral("[0-9]"));
    return f.campos.value(0).size() != 1 && !f.campos.value(1).contains(digito);
}

bool Vacia(const FilaCsv& f) {
    for (const QString& c : f.campos)
        if (!c.isEmpty()) return false;
    return true;
}

int ClaseReloj(QChar c) {
    if (c >= u'1' && c <= u'9') return 1;
    if (c >= u'a' && c <= u'z') return 2;
    if (c >= u'A' && c <= u'Z') return 3;
    return 0;
}
}   // namespace

Generado f_GenerarTarjetas(const QByteArray& csv) {
    const QString texto = Codificacion::Decodificar(csv).texto;
    QList<FilaCsv> filas = f_LeerCsv(texto, f_SeparadorCsv(texto));
    while (!filas.isEmpty() && Vacia(filas.first())) filas.removeFirst();
    if (!filas.isEmpty() && EsCabecera(filas.first())) filas.removeFirst();

    Generado g;
    QStringList aCompilar;
    QList<int> numeros;
    for (const FilaCsv& f : filas) {
        if (Vacia(f)) continue;
        QString problema;
        if (f.campos.size() != kColumnas)
            problema = QStringLiteral("se esperaban %1 columnas (reloj, tarjeta, perfil 1, perfil 2) y hay %2")
                           .arg(kColumnas)
                           .arg(f.campos.size());
        else if (f.saltoEnCampo)
            problema = QStringLiteral("un campo tiene un salto de línea");
        const QString linea = QStringLiteral("AING ") + f.campos.join(QStringLiteral(", "));
        QByteArray prueba;
        QString caracter;
        if (problema.isEmpty() && !Codificacion::Codificar(linea, Codificacion::Tipo::Windows1252, &prueba, &caracter))
            problema = QStringLiteral("el carácter «%1» no se puede escribir en Windows-1252").arg(caracter);
        if (!problema.isEmpty()) {
            g.errores << QStringLiteral("fila %1: %2").arg(f.numero).arg(problema);
            continue;
        }
        aCompilar << linea;
        numeros << f.numero;
    }
    g.errores += ErroresCompilacion(aCompilar, numeros);
    // Rows in file order, whichever check found them.
    std::stable_sort(g.errores.begin(), g.errores.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char(':'), 0, 0).mid(5).toInt() < b.section(QLatin1Char(':'), 0, 0).mid(5).toInt();
    });
    if (g.errores.isEmpty()) g.lineas = aCompilar;
    return g;
}

bool f_GenerarHora(const QString& lista, const QDateTime& ahora, Generado* g, QString* error) {
    QString relojes;
    for (const QString& parte : lista.split(QLatin1Char(','))) {
        const QString p = parte.trimmed();
        const bool uno = p.size() == 1 && ClaseReloj(p[0]);
        const bool rango = p.size() == 3 && p[1] == u'-' && ClaseReloj(p[0]) && ClaseReloj(p[0]) == ClaseReloj(p[2]) &&
                           p[0] <= p[2];
        if (!uno && !rango) {
            *error = QStringLiteral(
                         "lista de relojes inválida: \"%1\" (relojes 1 a 9, a a z o A a Z; "
                         "rangos como 1-5 separados por comas)")
                         .arg(lista);
            return false;
        }
        for (char16_t c = p[0].unicode(); c <= p[p.size() - 1].unicode(); ++c)
            if (!relojes.contains(QChar(c))) relojes += QChar(c);
    }
    const QString fecha = ahora.toString(QStringLiteral("dd/MM/yyyy"));
    const QString hora = ahora.toString(QStringLiteral("HH:mm"));
    for (QChar r : relojes) {
        g->lineas << QStringLiteral("INIA %1").arg(r);
        g->lineas << QStringLiteral("FECH %1, %2, %3").arg(r).arg(fecha, hora);
    }
    QList<int> filas;
    for (qsizetype i = 0; i < g->lineas.size(); ++i) filas << static_cast<int>(i + 1);
    g->errores = ErroresCompilacion(g->lineas, filas);
    return true;
}

bool f_BytesGuion(const QStringList& lineas, QByteArray* bytes, QString* error) {
    QString texto;
    for (const QString& l : lineas) texto += l + QStringLiteral("\r\n");
    return Codificacion::Codificar(texto, Codificacion::Tipo::Windows1252, bytes, error);
}
