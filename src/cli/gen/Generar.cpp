#include "Generar.h"
#include "Codificacion.h"
#include "CompilarArchivo.h"
#include "Destino.h"
#include "FilasMalas.h"
#include "Planilla.h"
#include <QHash>
#include <QRegularExpression>

namespace {
// Rows compiled together: one pass per block keeps a long sheet quick, and
// the "Linea N" of each message still names its row.
constexpr qsizetype kBloque = 2048;

// The column a compiler message is about, so the technician knows which cell to mend.
struct MensajeColumna {
    const char* contiene;
    Columna columna;
};
const MensajeColumna kMensajes[] = {
    {"reloj", Columna::Reloj},
    {"Tarjeta", Columna::Tarjeta},
};

int ClaseReloj(QChar c) {
    if (c >= u'1' && c <= u'9') return 1;
    if (c >= u'a' && c <= u'z') return 2;
    if (c >= u'A' && c <= u'Z') return 3;
    return 0;
}

QString Celda(Columna c, const QString& valor) { return QStringLiteral("%1 \"%2\"").arg(f_NombreColumna(c), valor); }

// A row waiting for the compiler.
struct Pendiente {
    int fila;
    QString linea;
    std::array<QString, kColumnas> celdas;
};

class Generador {
public:
    explicit Generador(const Columnas& c) : v_Columnas(c) {}

    void Fila(const FilaCsv& f) {
        std::array<QString, kColumnas> celdas;
        QString problema = Revisar(f, &celdas);
        if (!problema.isEmpty()) return v_Malas.Agregar(f.numero, {QStringLiteral("fila %1: %2").arg(f.numero).arg(problema)});
        ++v_Filas;
        v_Pendientes.push_back({f.numero, QStringLiteral("AING %1, %2, %3, %4").arg(celdas[0], celdas[1], celdas[2], celdas[3]), celdas});
        if (v_Pendientes.size() >= kBloque) Compilar();
    }

    Tarjetas Fin() {
        Compilar();
        Tarjetas t;
        t.conDestino = v_Columnas.Indice(Columna::Destino) >= 0;
        t.errores = v_Malas.Lista();
        t.sinFilas = t.errores.isEmpty() && v_Filas == 0;
        if (t.errores.isEmpty()) t.guiones = std::move(v_Guiones);
        return t;
    }

private:
    // The cells of a row, or what is wrong with them.
    QString Revisar(const FilaCsv& f, std::array<QString, kColumnas>* celdas) {
        if (f.comillasSinCerrar) return QStringLiteral("comillas sin cerrar");
        for (int i = 0; i < kColumnas; ++i) {
            const auto col = static_cast<Columna>(i);
            const qsizetype indice = v_Columnas.Indice(col);
            if (indice < 0) continue;
            if (indice >= f.campos.size() || f.campos[indice].isEmpty()) return QStringLiteral("falta %1").arg(f_NombreColumna(col));
            if (f.saltos[indice]) return QStringLiteral("%1: hay un salto de línea dentro de la celda").arg(Celda(col, f.campos[indice]));
            (*celdas)[i] = f.campos[indice];
        }
        // A card column the spreadsheet took for numbers: its digits are already lost.
        static const QRegularExpression cientifica(QStringLiteral("^[0-9]+([.,][0-9]+)?[eE][+-]?[0-9]+$"));
        if (const QString& tarjeta = (*celdas)[static_cast<int>(Columna::Tarjeta)]; cientifica.match(tarjeta).hasMatch())
            return QStringLiteral(
                       "%1: la hoja de cálculo escribió el número en notación científica; dé formato de texto a la columna "
                       "tarjeta y vuelva a exportar")
                .arg(Celda(Columna::Tarjeta, tarjeta));
        for (Columna p : {Columna::Perfil1, Columna::Perfil2}) {
            const QString& perfil = (*celdas)[static_cast<int>(p)];
            // The compiler sends only a profile's first character: "10" would go as "1".
            if (perfil.size() > 1) return QStringLiteral("%1: un perfil es un solo carácter").arg(Celda(p, perfil));
        }
        for (const QString& c : *celdas) {
            QByteArray prueba;
            QString caracter;
            if (!Codificacion::Codificar(c, Codificacion::Tipo::Windows1252, &prueba, &caracter))
                return QStringLiteral("el carácter «%1» no se puede escribir en Windows-1252").arg(caracter);
        }
        auto celda = [celdas](Columna col) -> const QString& { return (*celdas)[static_cast<int>(col)]; };
        if (const QString problema = ProblemaDestino(celda(Columna::Destino)); !problema.isEmpty()) return problema;
        const QString clave = celda(Columna::Destino) + QChar(0x1F) + celda(Columna::Reloj) + QChar(0x1F) + celda(Columna::Tarjeta);
        const size_t huella = qHash(clave, kSemilla);
        // One arg() for every text, so a cell holding "%1" stays as typed.
        if (const auto it = v_Vistas.constFind(huella); it != v_Vistas.cend())
            return QStringLiteral("la tarjeta %1 del reloj %2 ya está en la fila %3").arg(celda(Columna::Tarjeta), celda(Columna::Reloj), QString::number(*it));
        v_Vistas.insert(huella, f.numero);
        return {};
    }

    // What orvo-send would refuse in the destinations list this cell goes to.
    static QString ProblemaDestino(const QString& destino) {
        if (destino.isEmpty()) return {};
        static const QRegularExpression blanco(QStringLiteral("\\s"));
        if (destino.contains(blanco))
            return QStringLiteral("%1: un destino no lleva espacios (HOST[:PUERTO] o un dispositivo)").arg(Celda(Columna::Destino, destino));
        // The list reads these as a comment or a quoted word.
        if (destino.startsWith(QLatin1Char('#')) || destino.startsWith(QLatin1Char('"')))
            return QStringLiteral("%1: un destino no empieza con # ni con comillas").arg(Celda(Columna::Destino, destino));
        Destino d;
        QString error;
        return LeerDestino(destino, &d, &error) ? QString() : error;
    }

    void Compilar() {
        if (v_Pendientes.empty()) return;
        QString texto;
        for (const Pendiente& p : v_Pendientes) texto += p.linea + QStringLiteral("\r\n");
        const ResultadoCompilacion r = CompilarComoAbrir(texto.toUtf8());
        static const QRegularExpression entrada(QStringLiteral("^Linea (\\d+) - (.*)$"));
        std::vector<QStringList> mensajes(v_Pendientes.size());
        for (const QString& e : r.debug) {
            const auto m = entrada.match(e);
            const qsizetype i = m.captured(1).toLongLong() - 1;
            if (m.hasMatch() && i >= 0 && i < qsizetype(mensajes.size())) mensajes[i] << m.captured(2);
        }
        qsizetype tramas = -r.debug.size();   // every error is a code line too
        for (const QStringView l : QStringView(r.codigo).tokenize(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) tramas += !l.trimmed().isEmpty();
        qsizetype buenas = 0;
        for (const QStringList& m : mensajes) buenas += m.isEmpty();
        // A row that gives neither a frame nor a message is bad too; only
        // row by row can it be found.
        if (tramas != buenas && v_Pendientes.size() > 1) return CompilarUnaAUna();
        if (tramas < buenas) mensajes[0] << QStringLiteral("no da ninguna trama");
        for (size_t i = 0; i < v_Pendientes.size(); ++i) Guardar(v_Pendientes[i], mensajes[i]);
        v_Pendientes.clear();
    }

    void CompilarUnaAUna() {
        std::vector<Pendiente> todas = std::move(v_Pendientes);
        for (Pendiente& p : todas) {
            v_Pendientes = {std::move(p)};
            Compilar();
        }
    }

    void Guardar(const Pendiente& p, const QStringList& mensajes) {
        if (!mensajes.isEmpty()) {
            QStringList lineas;
            for (const QString& m : mensajes) lineas << QStringLiteral("fila %1: %2%3").arg(p.fila).arg(ColumnaDe(m, p.celdas), m);
            return v_Malas.Agregar(p.fila, lineas);
        }
        if (!v_Malas.Vacia()) return;   // nothing is written: the script need not be kept
        const QString& destino = p.celdas[static_cast<int>(Columna::Destino)];
        auto it = v_Indice.find(destino);
        if (it == v_Indice.end()) {
            it = v_Indice.insert(destino, v_Guiones.size());
            v_Guiones.push_back({destino, {}});
        }
        QByteArray bytes;
        Codificacion::Codificar(p.linea + QStringLiteral("\r\n"), Codificacion::Tipo::Windows1252, &bytes);
        v_Guiones[*it].bytes += bytes;
    }

    static QString ColumnaDe(const QString& mensaje, const std::array<QString, kColumnas>& celdas) {
        for (const auto& m : kMensajes)
            if (mensaje.contains(QLatin1String(m.contiene))) return Celda(m.columna, celdas[static_cast<int>(m.columna)]) + QStringLiteral(": ");
        return {};
    }

    Columnas v_Columnas;
    std::vector<Pendiente> v_Pendientes;
    // Destination, clock and card -> first row. Kept as a 64-bit hash: a
    // million rows cost a few megabytes, and two different cards share one
    // with a chance far below one in a million.
    static constexpr size_t kSemilla = 0x4f72766f;
    QHash<size_t, int> v_Vistas;
    QHash<QString, qsizetype> v_Indice;
    QList<Tarjetas::Guion> v_Guiones;
    FilasMalas v_Malas;
    int v_Filas = 0;
};

// A workbook (ZIP: .xlsx, .ods; OLE: .xls) begins with its container's signature.
bool EsLibro(QByteArrayView bytes) {
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}
}   // namespace

Tarjetas f_GenerarTarjetas(QByteArrayView csv) {
    if (EsLibro(csv)) {
        Tarjetas t;
        t.problema = QStringLiteral("%1 es un libro de hoja de cálculo: guárdelo como CSV (separado por ; o ,) y vuelva a intentarlo");
        return t;
    }
    const Columnas columnas = f_BuscarColumnas(csv);
    if (!columnas.problema.isEmpty()) {
        Tarjetas t;
        t.problema = QStringLiteral("%1: ") + columnas.problema;
        return t;
    }
    Generador g(columnas);
    LectorCsv lector(csv);
    FilaCsv f;
    while (lector.Siguiente(&f))
        if (f.numero > columnas.filaTitulos && !f.Vacia()) g.Fila(f);
    return g.Fin();
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
    QString texto;
    for (const QString& l : g->lineas) texto += l + QStringLiteral("\r\n");
    const ResultadoCompilacion r = CompilarComoAbrir(texto.toUtf8());
    for (const QString& e : r.debug) g->errores << QString(e).replace(QRegularExpression(QStringLiteral("^Linea (\\d+) - ")), QStringLiteral("fila \\1: "));
    return true;
}

bool f_BytesGuion(const QStringList& lineas, QByteArray* bytes, QString* error) {
    QString texto;
    for (const QString& l : lineas) texto += l + QStringLiteral("\r\n");
    return Codificacion::Codificar(texto, Codificacion::Tipo::Windows1252, bytes, error);
}
