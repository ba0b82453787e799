#include "PanelMemoria.h"
#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

namespace {
const QString kCRLF = QStringLiteral("\r\n");
constexpr quint32 kLista = 1u << 31;
constexpr quint32 kNegrita = 1u << 24;
constexpr quint32 kCursiva = 1u << 25;

// A format in 26 bits: the colour's three bytes, bold and italic. A colour
// outside 0..255 does not pack; its line keeps a list.
std::optional<quint32> Empaquetar(const Formato& f) {
    auto byte = [](int v) { return v >= 0 && v < 256; };
    if (!byte(f.color.r) || !byte(f.color.g) || !byte(f.color.b)) return std::nullopt;
    return quint32(f.color.r) << 16 | quint32(f.color.g) << 8 | quint32(f.color.b) | (f.bold ? kNegrita : 0) |
           (f.italic ? kCursiva : 0);
}

Formato Desempaquetar(quint32 v) {
    return {{int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)}, (v & kNegrita) != 0, (v & kCursiva) != 0};
}

// Cuts a flat list of runs to [desde, hasta).
std::vector<PanelMemoria::Tramo> CortarTramos(const PanelMemoria::Tramos& tramos, int desde, int hasta) {
    std::vector<PanelMemoria::Tramo> r;
    int pos = 0;
    for (const auto& t : tramos) {
        const int a = std::max(pos, desde);
        const int b = std::min(pos + t.largo, hasta);
        if (a < b) r.push_back({b - a, t.formato});
        pos += t.largo;
        if (pos >= hasta) break;
    }
    return r;
}
}   // namespace

PanelMemoria::PanelMemoria() { SetText(QString()); }

PanelMemoria::PanelMemoria(const QString& texto) { SetText(texto); }

QString PanelMemoria::Text() const {
    QString r;
    r.reserve(Length());
    for (int i = 0; i < LineCount(); ++i) {
        if (i) r += kCRLF;
        AgregarTexto(r, i, 0, INT_MAX);
    }
    return r;
}

void PanelMemoria::SetText(const QString& texto) { Llenar(texto); }

QString PanelMemoria::SoltarTexto() {
    QString r = Text();
    Llenar(QString());
    return r;
}

PanelMemoria::PanelMemoria(QString&& texto) { Llenar(std::move(texto)); }

void PanelMemoria::Llenar(QString texto) {
    v_CacheLinea = -1;
    v_Largo = static_cast<int>(texto.size());
    v_Texto.Vaciar();
    v_Listas.clear();
    v_ListasLibres.clear();
    const qsizetype n = texto.count(kCRLF) + 1;
    v_Lineas = std::vector<Linea_>(static_cast<size_t>(n));   // exactly as many as the text has
    std::vector<int> largos(static_cast<size_t>(n));
    const QStringView todo(texto);
    qsizetype desde = 0;
    for (qsizetype k = 0; k < n; ++k) {
        qsizetype fin = todo.indexOf(kCRLF, desde);
        if (fin < 0) fin = todo.size();
        Linea_& l = v_Lineas[size_t(k)];
        v_Texto.Escribir(l.texto, todo.sliced(desde, fin - desde));
        PonerFormato(l, v_Escritura);
        largos[size_t(k)] = static_cast<int>(fin - desde) + 2;
        desde = fin + 2;
    }
    v_Offsets.Construir(largos);
    v_SelInicio = 0;
    v_SelLargo = 0;
    v_PrimeraVisible = 0;
}

int PanelMemoria::Length() const { return v_Largo; }

PanelMemoria::Posicion PanelMemoria::Ubicar(int indice) const {
    indice = std::clamp(indice, 0, Length());
    if (v_CacheLinea >= 0) {
        if (indice >= v_CacheInicio && indice < v_CacheInicio + v_Lineas[v_CacheLinea].texto.largo + 2)
            return {v_CacheLinea, indice - v_CacheInicio};
        // The line above: the code pane colours the line it has just appended.
        if (v_CacheLinea > 0 && indice < v_CacheInicio) {
            const int inicio = v_CacheInicio - v_Lineas[v_CacheLinea - 1].texto.largo - 2;
            if (indice >= inicio) {
                --v_CacheLinea;
                v_CacheInicio = inicio;
                return {v_CacheLinea, indice - v_CacheInicio};
            }
        }
    }
    long long prefijo = 0;
    int linea = v_Offsets.Buscar(indice, &prefijo);
    if (linea > LineCount() - 1) {
        linea = LineCount() - 1;
        prefijo = v_Offsets.Prefijo(linea);
    }
    v_CacheLinea = linea;
    v_CacheInicio = static_cast<int>(prefijo);
    return {linea, indice - v_CacheInicio};
}

void PanelMemoria::Normalizar() {
    const int total = Length();
    v_SelInicio = std::clamp(v_SelInicio, 0, total);
    v_SelLargo = std::clamp(v_SelLargo, 0, total - v_SelInicio);
}

void PanelMemoria::SetSelStart(int pos) {
    v_SelInicio = pos;
    v_SelLargo = 0;
    Normalizar();
    // As in a rich edit box, the caret takes the format of the character before it.
    if (v_SelInicio > 0) v_Escritura = FormatoEn(v_SelInicio - 1);
}

void PanelMemoria::SetSelLength(int largo) {
    v_SelLargo = largo;
    Normalizar();
}

QString PanelMemoria::SelText() const {
    if (v_SelLargo == 0) return {};
    const Posicion a = Ubicar(v_SelInicio);
    const Posicion b = Ubicar(v_SelInicio + v_SelLargo);
    QString r;
    if (a.linea == b.linea) {
        AgregarTexto(r, a.linea, a.columna, b.columna);
        return r;
    }
    const int largoA = LargoLinea(a.linea);
    AgregarTexto(r, a.linea, a.columna, largoA);
    r += kCRLF.mid(std::max(0, a.columna - largoA));
    for (int l = a.linea + 1; l < b.linea; ++l) {
        AgregarTexto(r, l, 0, INT_MAX);
        r += kCRLF;
    }
    AgregarTexto(r, b.linea, 0, b.columna);
    return r;
}

PanelMemoria::Tramos PanelMemoria::TramosDe(int linea) const {
    Tramos r;
    const Linea_& l = v_Lineas[linea];
    if (l.texto.largo == 0) return r;
    if (l.formato & kLista) {
        const std::vector<Tramo>& lista = v_Listas[l.formato & ~kLista];
        r.v_Lista = lista.data();
        r.v_Cuantos = static_cast<int>(lista.size());
    } else {
        r.v_Uno = {l.texto.largo, Desempaquetar(l.formato)};
        r.v_Cuantos = 1;
    }
    return r;
}

std::vector<PanelMemoria::Tramo> PanelMemoria::Cortar(int linea, int desde, int hasta) const {
    return CortarTramos(TramosDe(linea), desde, hasta);
}

std::vector<PanelMemoria::Tramo> PanelMemoria::ListaDe(int linea) const {
    const Tramos t = TramosDe(linea);
    return {t.begin(), t.end()};
}

void PanelMemoria::PonerTramos(Linea_& l, std::vector<Tramo>&& tramos) {
    if (tramos.size() == 1) {
        if (const auto v = Empaquetar(tramos[0].formato)) {
            SoltarTramos(l);
            l.formato = *v;
            return;
        }
    }
    if (tramos.empty()) {
        SoltarTramos(l);
        return;
    }
    if (!(l.formato & kLista)) {
        if (v_ListasLibres.empty()) {
            v_Listas.emplace_back();
            l.formato = kLista | quint32(v_Listas.size() - 1);
        } else {
            l.formato = kLista | v_ListasLibres.back();
            v_ListasLibres.pop_back();
        }
    }
    v_Listas[l.formato & ~kLista] = std::move(tramos);
}

void PanelMemoria::PonerFormato(Linea_& l, const Formato& f) {
    if (l.texto.largo == 0) {
        SoltarTramos(l);
    } else if (const auto v = Empaquetar(f)) {
        SoltarTramos(l);
        l.formato = *v;
    } else {
        PonerTramos(l, {{l.texto.largo, f}});
    }
}

void PanelMemoria::SoltarTramos(Linea_& l) {
    if (l.formato & kLista) {
        const quint32 i = l.formato & ~kLista;
        v_Listas[i] = {};
        v_ListasLibres.push_back(i);
    }
    l.formato = 0;
}

void PanelMemoria::SoltarLinea(Linea_& l) {
    v_Texto.Soltar(l.texto);
    SoltarTramos(l);
}

void PanelMemoria::Guardar(Linea_& l, Nueva&& n) {
    v_Texto.Escribir(l.texto, n.texto);
    PonerTramos(l, std::move(n.tramos));
}

void PanelMemoria::Juntar(std::vector<Tramo>& destino, const std::vector<Tramo>& agregado) {
    for (const auto& t : agregado) {
        if (t.largo <= 0) continue;
        if (!destino.empty() && destino.back().formato == t.formato)
            destino.back().largo += t.largo;
        else
            destino.push_back(t);
    }
}

void PanelMemoria::Ordenar() {
    if (v_Texto.Conviene()) v_Texto.Compactar(v_Lineas, &Linea_::texto);
}

void PanelMemoria::SetSelText(const QString& texto) {
    if (v_SelLargo == 0 && v_SelInicio == v_Largo) {
        AgregarAlFinal(texto);
        return;
    }
    Posicion a = Ubicar(v_SelInicio);
    Posicion b = Ubicar(v_SelInicio + v_SelLargo);
    const int largoA = LargoLinea(a.linea);
    const int largoB = LargoLinea(b.linea);
    a.columna = std::min(a.columna, largoA);   // a start inside a line break moves before it
    if (b.columna > largoB) {                  // an end inside a line break takes the whole break
        if (b.linea + 1 < LineCount()) {
            ++b.linea;
            b.columna = 0;
        } else {
            b.columna = largoB;
        }
    }
    const Formato nuevo = v_SelLargo > 0 ? FormatoEn(v_SelInicio) : v_Escritura;
    const int linea = a.linea;
    const int columna = a.columna;

    if (a.linea == b.linea && !texto.contains(kCRLF)) {
        // The common edit: a line rewritten in place.
        ReemplazarEnLinea(a.linea, a.columna, b.columna, texto, nuevo);
    } else {
        const auto partes = QStringView(texto).split(kCRLF);
        std::vector<Nueva> nuevas(size_t(partes.size()));
        for (qsizetype k = 0; k < partes.size(); ++k) {
            Nueva& l = nuevas[size_t(k)];
            const int largo = static_cast<int>(partes[k].size());
            if (k == 0) {
                AgregarTexto(l.texto, a.linea, 0, a.columna);
                Juntar(l.tramos, Cortar(a.linea, 0, a.columna));
            }
            l.texto += partes[k];
            Juntar(l.tramos, {{largo, nuevo}});
            if (k == partes.size() - 1) {
                const int largoFin = LargoLinea(b.linea);
                AgregarTexto(l.texto, b.linea, b.columna, largoFin);
                Juntar(l.tramos, Cortar(b.linea, b.columna, largoFin));
            }
        }
        ReemplazarLineas(a.linea, b.linea, std::move(nuevas));
    }
    Ordenar();
    v_SelInicio = LineIndex(linea) + columna + static_cast<int>(texto.size());
    v_SelLargo = 0;
    Normalizar();
}

// Appending at the end, as the code pane grows a line at a time: no line is
// rebuilt and the offsets only grow.
void PanelMemoria::AgregarAlFinal(const QString& texto) {
    const QStringView todo(texto);
    // Walked piece by piece, without a list of pieces: one call per code line.
    qsizetype desde = 0;
    qsizetype salto = todo.indexOf(kCRLF);
    const QStringView primera = todo.mid(0, salto < 0 ? todo.size() : salto);
    const int ultima = LineCount() - 1;
    const int largo0 = static_cast<int>(primera.size());
    if (largo0 > 0) {
        Linea_& l = v_Lineas[ultima];
        if (l.texto.largo == 0) {
            v_Texto.Escribir(l.texto, primera);
            PonerFormato(l, v_Escritura);
        } else {
            std::vector<Tramo> tramos = ListaDe(ultima);
            Juntar(tramos, {{largo0, v_Escritura}});
            QString todaLinea = Linea(ultima);
            todaLinea += primera;
            v_Texto.Escribir(l.texto, todaLinea);
            PonerTramos(l, std::move(tramos));
        }
        v_Offsets.Sumar(ultima, largo0);
    }
    while (salto >= 0) {
        desde = salto + 2;
        salto = todo.indexOf(kCRLF, desde);
        const QStringView parte = todo.mid(desde, (salto < 0 ? todo.size() : salto) - desde);
        Linea_ l;
        v_Texto.Escribir(l.texto, parte);
        PonerFormato(l, v_Escritura);
        v_Offsets.Agregar(static_cast<int>(parte.size()) + 2);
        v_Lineas.push_back(l);
    }
    v_Largo += static_cast<int>(texto.size());
    v_SelInicio = v_Largo;
    v_SelLargo = 0;
    // The last line is where the next look-up will be.
    v_CacheLinea = LineCount() - 1;
    v_CacheInicio = v_Largo - v_Lineas.back().texto.largo;
    Ordenar();
}

void PanelMemoria::AgregarLinea(const QString& texto, const ColorRGB* color) {
    // The caret at the end takes the format before it; the line goes in with
    // that format, in its colour if it has one.
    if (v_Largo > 0) v_Escritura = FormatoEn(v_Largo - 1);
    if (color) v_Escritura.color = *color;
    AgregarAlFinal(texto);
    AgregarAlFinal(kCRLF);
    v_Escritura = FormatoEn(v_Largo - 1);   // the caret after the break
}

void PanelMemoria::ReemplazarEnLinea(int linea, int desde, int hasta, const QString& texto, const Formato& nuevo) {
    v_CacheLinea = -1;
    Linea_& l = v_Lineas[linea];
    const int largoViejo = l.texto.largo;
    // One run in the new text's format stays one run: only the text changes.
    const bool mismo = largoViejo > 0 && !(l.formato & kLista) && Desempaquetar(l.formato) == nuevo;
    std::vector<Tramo> formatos;
    if (!mismo) {
        Juntar(formatos, Cortar(linea, 0, desde));
        Juntar(formatos, {{static_cast<int>(texto.size()), nuevo}});
        Juntar(formatos, Cortar(linea, hasta, largoViejo));
    }
    if (desde == 0 && hasta == largoViejo) {
        v_Texto.Escribir(l.texto, texto);   // the pass rewrites whole lines
    } else {
        QString s;
        s.reserve(largoViejo - (hasta - desde) + texto.size());
        AgregarTexto(s, linea, 0, desde);
        s += texto;
        AgregarTexto(s, linea, hasta, largoViejo);
        v_Texto.Escribir(l.texto, s);
    }
    if (!mismo)
        PonerTramos(l, std::move(formatos));
    else if (l.texto.largo == 0)
        SoltarTramos(l);
    const int delta = l.texto.largo - largoViejo;
    if (delta) {
        v_Offsets.Sumar(linea, delta);
        v_Largo += delta;
    }
}

void PanelMemoria::ReemplazarLineas(int primera, int ultima, std::vector<Nueva>&& nuevas) {
    v_CacheLinea = -1;
    const int viejas = ultima - primera + 1;
    const int m = static_cast<int>(nuevas.size());
    const bool alFinal = ultima == LineCount() - 1;
    const int comunes = std::min(viejas, m);
    for (int k = 0; k < comunes; ++k) {
        Linea_& l = v_Lineas[primera + k];
        const int delta = static_cast<int>(nuevas[k].texto.size()) - l.texto.largo;
        Guardar(l, std::move(nuevas[k]));
        if (delta) v_Offsets.Sumar(primera + k, delta);
        v_Largo += delta;
    }
    if (m == viejas) return;
    if (m > viejas) {
        std::vector<Linea_> agregadas(size_t(m - comunes));
        for (int k = comunes; k < m; ++k) {
            v_Largo += static_cast<int>(nuevas[k].texto.size()) + 2;
            Guardar(agregadas[size_t(k - comunes)], std::move(nuevas[k]));
        }
        v_Lineas.insert(v_Lineas.begin() + primera + viejas, agregadas.begin(), agregadas.end());
    } else {
        for (int k = primera + m; k < primera + viejas; ++k) {
            v_Largo -= v_Lineas[k].texto.largo + 2;
            SoltarLinea(v_Lineas[k]);
        }
        v_Lineas.erase(v_Lineas.begin() + primera + m, v_Lineas.begin() + primera + viejas);
    }
    if (alFinal) {
        // Appending or cutting at the end keeps the tree: the code pane grows this way.
        while (v_Offsets.Tamano() > LineCount()) v_Offsets.QuitarUltimo();
        for (int i = v_Offsets.Tamano(); i < LineCount(); ++i) v_Offsets.Agregar(v_Lineas[i].texto.largo + 2);
        return;
    }
    std::vector<int> largos;
    largos.reserve(v_Lineas.size());
    for (const auto& l : v_Lineas) largos.push_back(l.texto.largo + 2);
    v_Offsets.Construir(largos);
}

// Cuts the runs at a and b, changes those inside, merges equal neighbours:
// all in place, since every colouring of the pass comes through here.
template <typename F>
static void AplicarA(std::vector<PanelMemoria::Tramo>& tramos, int a, int b, const F& cambio) {
    auto partir = [&tramos](int pos) {
        int inicio = 0;
        for (size_t i = 0; i < tramos.size(); ++i) {
            if (pos == inicio) return;
            const int fin = inicio + tramos[i].largo;
            if (pos < fin) {
                const PanelMemoria::Tramo resto{fin - pos, tramos[i].formato};
                tramos[i].largo = pos - inicio;
                tramos.insert(tramos.begin() + static_cast<long>(i) + 1, resto);
                return;
            }
            inicio = fin;
        }
    };
    partir(a);
    partir(b);
    int inicio = 0;
    size_t k = 0;
    for (size_t j = 0; j < tramos.size(); ++j) {
        PanelMemoria::Tramo t = tramos[j];
        if (inicio >= a && inicio < b) cambio(t.formato);
        inicio += t.largo;
        if (t.largo <= 0) continue;
        if (k > 0 && tramos[k - 1].formato == t.formato)
            tramos[k - 1].largo += t.largo;
        else
            tramos[k++] = t;
    }
    tramos.resize(k);
}

void PanelMemoria::AplicarFormato(int desde, int largo, const auto& cambio) {
    if (largo <= 0) return;
    const Posicion a = Ubicar(desde);
    const Posicion b = Ubicar(desde + largo);
    for (int l = a.linea; l <= b.linea; ++l) {
        Linea_& linea = v_Lineas[l];
        const int len = linea.texto.largo;
        const int ca = l == a.linea ? std::min(a.columna, len) : 0;
        const int cb = l == b.linea ? std::min(b.columna, len) : len;
        if (ca >= cb) continue;
        if (ca == 0 && cb == len && !(linea.formato & kLista)) {
            // A whole line of one run, as the pass colours it: changed in its record.
            Formato f = Desempaquetar(linea.formato);
            cambio(f);
            PonerFormato(linea, f);
            continue;
        }
        std::vector<Tramo> tramos = ListaDe(l);
        AplicarA(tramos, ca, cb, cambio);
        PonerTramos(linea, std::move(tramos));
    }
}

void PanelMemoria::SetSelColor(ColorRGB color) {
    if (v_SelLargo == 0) {
        v_Escritura.color = color;
        return;
    }
    AplicarFormato(v_SelInicio, v_SelLargo, [color](Formato& f) { f.color = color; });
}

void PanelMemoria::SetSelBold(bool on) {
    if (v_SelLargo == 0) {
        v_Escritura.bold = on;
        return;
    }
    AplicarFormato(v_SelInicio, v_SelLargo, [on](Formato& f) { f.bold = on; });
}

void PanelMemoria::SetSelItalic(bool on) {
    if (v_SelLargo == 0) {
        v_Escritura.italic = on;
        return;
    }
    AplicarFormato(v_SelInicio, v_SelLargo, [on](Formato& f) { f.italic = on; });
}

int PanelMemoria::LineFromChar(int indice) const { return Ubicar(indice < 0 ? v_SelInicio : indice).linea; }

int PanelMemoria::LineIndex(int linea) const {
    if (linea < 0 || linea >= LineCount()) return -1;
    return static_cast<int>(v_Offsets.Prefijo(linea));
}

int PanelMemoria::LineLength(int indice) const { return LargoLinea(LineFromChar(indice)); }

QStringList PanelMemoria::Lineas() const {
    QStringList r;
    r.reserve(LineCount());
    for (int i = 0; i < LineCount(); ++i) r.append(Linea(i));
    return r;
}

QString PanelMemoria::TextoLinea(int linea) const {
    return linea >= 0 && linea < LineCount() ? Linea(linea) : QString();
}

void PanelMemoria::LineScroll(int lineas) {
    v_PrimeraVisible = std::clamp(v_PrimeraVisible + lineas, 0, std::max(0, LineCount() - 1));
}

Formato PanelMemoria::FormatoEn(int indice) const {
    const Posicion p = Ubicar(indice);
    int pos = 0;
    for (const auto& t : TramosDe(p.linea)) {
        if (p.columna < pos + t.largo) return t.formato;
        pos += t.largo;
    }
    return {};
}
