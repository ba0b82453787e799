#include "PaginasTexto.h"
#include "LecturaCodigo.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr quint32 kPagina = 64 * 1024;
constexpr qsizetype kLargoPropio = kPagina / 8;   // longer lines get a block of their own

PaginasTexto::Forma FormaDe(QStringView s) {
    if (f_EsPares(s)) return PaginasTexto::Hex;
    const bool latin1 = std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 256; });
    return latin1 ? PaginasTexto::Latin1 : PaginasTexto::Utf16;
}

void Copiar(char* destino, QStringView texto, PaginasTexto::Forma forma) {
    const char16_t* o = texto.utf16();
    switch (forma) {
    case PaginasTexto::Utf16: std::memcpy(destino, o, size_t(texto.size()) * 2); return;
    case PaginasTexto::Hex: EmpacarPares(texto, reinterpret_cast<unsigned char*>(destino)); return;
    case PaginasTexto::Latin1:
        for (qsizetype i = 0; i < texto.size(); ++i) destino[i] = static_cast<char>(o[i]);
        return;
    }
}

// Character i of a line kept as hex pairs.
char16_t DeHex(const char* datos, int i) { return f_CaracterDePares(reinterpret_cast<const unsigned char*>(datos), i); }
}   // namespace

qsizetype PaginasTexto::Bytes(const Trozo& t) {
    switch (t.forma) {
    case Utf16: return qsizetype(t.largo) * 2;
    case Hex: return (qsizetype(t.largo) + 1) / 3;
    default: return t.largo;
    }
}

void PaginasTexto::Reservar(Juego& j, Trozo& t, qsizetype bytes) {
    if (bytes > kLargoPropio) {
        Pagina p{std::make_unique_for_overwrite<char[]>(size_t(bytes)), quint32(bytes), quint32(bytes), true};
        j.paginas.push_back(std::move(p));
        t.pagina = quint32(j.paginas.size() - 1);
        t.desde = 0;
        return;
    }
    // UTF-16 starts on an even byte, so it can be read as it is.
    auto alineado = [&t](const Pagina& p) { return p.usado + (t.forma == Utf16 ? p.usado & 1 : 0); };
    if (j.actual < 0 || alineado(j.paginas[j.actual]) + bytes > j.paginas[j.actual].capacidad) {
        if (j.actual >= 0) j.muertos += j.paginas[j.actual].capacidad - j.paginas[j.actual].usado;
        j.paginas.push_back({std::make_unique_for_overwrite<char[]>(kPagina), 0, kPagina, false});
        j.actual = static_cast<int>(j.paginas.size() - 1);
    }
    Pagina& p = j.paginas[j.actual];
    const quint32 desde = alineado(p);
    j.muertos += desde - p.usado;
    p.usado = desde + quint32(bytes);
    t.pagina = quint32(j.actual);
    t.desde = desde;
}

void PaginasTexto::Escribir(Trozo& t, QStringView texto) {
    if (texto.isEmpty()) {
        Soltar(t);
        return;
    }
    const Forma forma = FormaDe(texto);
    Trozo nuevo = t;
    nuevo.largo = static_cast<int>(texto.size());
    nuevo.forma = forma;
    const qsizetype bytes = Bytes(nuevo);
    if (t.largo > 0 && !v_Juego.paginas[t.pagina].propia && (forma != Utf16 || t.desde % 2 == 0)) {
        // In place when it fits: in the old bytes, or growing at the end of the page being filled.
        Pagina& p = v_Juego.paginas[t.pagina];
        const qsizetype viejo = Bytes(t);
        const bool alFinal = int(t.pagina) == v_Juego.actual && t.desde + viejo == p.usado;
        if (bytes <= viejo || (alFinal && t.desde + bytes <= p.capacidad)) {
            Copiar(p.datos.get() + t.desde, texto, forma);
            if (alFinal)
                p.usado = quint32(t.desde + bytes);
            else
                v_Juego.muertos += viejo - bytes;
            v_Vivos += bytes - viejo;
            t = nuevo;
            return;
        }
    }
    Soltar(t);
    t = nuevo;
    Reservar(v_Juego, t, bytes);
    Copiar(v_Juego.paginas[t.pagina].datos.get() + t.desde, texto, forma);
    v_Vivos += bytes;
}

void PaginasTexto::Soltar(Trozo& t) {
    if (t.largo > 0) {
        const qsizetype bytes = Bytes(t);
        Pagina& p = v_Juego.paginas[t.pagina];
        v_Vivos -= bytes;
        if (p.propia) {
            p = Pagina{};
            ++v_Libres;
        } else if (int(t.pagina) == v_Juego.actual && t.desde + bytes == p.usado) {
            p.usado = t.desde;   // the last bytes written: the room is used again
        } else {
            v_Juego.muertos += bytes;
        }
    }
    t = Trozo{};
}

void PaginasTexto::Vaciar() {
    v_Juego = Juego{};
    v_Vivos = 0;
    v_Libres = 0;
}

QString PaginasTexto::Leer(const Trozo& t) const {
    if (t.largo == 0) return {};
    switch (t.forma) {
    case Latin1: return QString::fromLatin1(Datos(t), t.largo);
    case Utf16: return QString(reinterpret_cast<const QChar*>(Datos(t)), t.largo);
    default: {
        QString r(t.largo, Qt::Uninitialized);
        QChar* d = r.data();
        for (int i = 0; i < t.largo; ++i) d[i] = QChar(DeHex(Datos(t), i));
        return r;
    }
    }
}

void PaginasTexto::AgregarA(QString& destino, const Trozo& t, int desde, int hasta) const {
    desde = std::clamp(desde, 0, t.largo);
    hasta = std::clamp(hasta, desde, t.largo);
    if (hasta == desde) return;
    switch (t.forma) {
    case Latin1: destino.append(QLatin1StringView(Datos(t) + desde, hasta - desde)); return;
    case Utf16: destino.append(reinterpret_cast<const QChar*>(Datos(t)) + desde, hasta - desde); return;
    default: {
        const qsizetype antes = destino.size();
        destino.resize(antes + hasta - desde);
        QChar* d = destino.data() + antes;
        for (int i = desde; i < hasta; ++i) *d++ = QChar(DeHex(Datos(t), i));
    }
    }
}

bool PaginasTexto::Contiene(const Trozo& t, char16_t c) const {
    if (t.largo == 0) return false;
    switch (t.forma) {
    case Latin1: return c < 256 && std::memchr(Datos(t), c, size_t(t.largo)) != nullptr;
    case Utf16: {
        const char16_t* p = reinterpret_cast<const char16_t*>(Datos(t));
        return std::find(p, p + t.largo, c) != p + t.largo;
    }
    default:
        if (c == u' ') return t.largo > 2;
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'))) return false;
        for (int i = 0; i < t.largo; ++i)
            if (DeHex(Datos(t), i) == c) return true;
        return false;
    }
}

bool PaginasTexto::Conviene() const {
    return v_Juego.muertos > std::max<qsizetype>(v_Vivos / 2, 2 * kPagina) ||
           (v_Libres > 64 && v_Libres > static_cast<int>(v_Juego.paginas.size()) / 2);
}

void PaginasTexto::Mudar(Juego& nuevo, Trozo& t) {
    if (t.largo == 0) return;
    Pagina& p = v_Juego.paginas[t.pagina];
    if (p.propia) {
        nuevo.paginas.push_back(std::move(p));
        t.pagina = quint32(nuevo.paginas.size() - 1);
        return;
    }
    const char* origen = p.datos.get() + t.desde;
    const qsizetype bytes = Bytes(t);
    Reservar(nuevo, t, bytes);
    std::memcpy(nuevo.paginas[t.pagina].datos.get() + t.desde, origen, size_t(bytes));
}

void PaginasTexto::Terminar(Juego&& nuevo) {
    v_Juego = std::move(nuevo);
    v_Libres = 0;
}

qsizetype PaginasTexto::Reservados() const {
    qsizetype r = 0;
    for (const Pagina& p : v_Juego.paginas) r += p.capacidad;
    return r;
}
