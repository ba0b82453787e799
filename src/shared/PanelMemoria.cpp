#include "PanelMemoria.h"
#include <algorithm>
#include <utility>

namespace {
const QString kCRLF = QStringLiteral("\r\n");

// Cuts a flat list of runs to [desde, hasta).
std::vector<PanelMemoria::Tramo> CortarTramos(const std::vector<PanelMemoria::Tramo>& tramos, int desde,
                                              int hasta) {
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
    for (size_t i = 0; i < v_Lineas.size(); ++i) {
        if (i) r += kCRLF;
        r += v_Lineas[i].texto;
    }
    return r;
}

void PanelMemoria::SetText(const QString& texto) { Llenar(texto); }

QString PanelMemoria::SoltarTexto() {
    QString r = std::move(v_Lineas[0].texto);
    for (size_t i = 1; i < v_Lineas.size(); ++i) {
        r += kCRLF;
        r += std::exchange(v_Lineas[i].texto, QString());
    }
    Llenar(QString());
    return r;
}

PanelMemoria::PanelMemoria(QString&& texto) { Llenar(std::move(texto)); }

void PanelMemoria::Llenar(QString texto) {
    v_CacheLinea = -1;
    v_Largo = static_cast<int>(texto.size());
    std::vector<qsizetype> inicios{0};
    for (qsizetype i = texto.indexOf(kCRLF); i >= 0; i = texto.indexOf(kCRLF, i + 2)) inicios.push_back(i + 2);
    v_Lineas.clear();
    v_Lineas.resize(inicios.size());
    std::vector<int> largos(inicios.size());
    // From the last line back, the text cut behind each one, and the first
    // line is what remains of it: a long text (one line of megabytes) is not
    // held twice while it is split.
    qsizetype liberado = 0;
    for (size_t k = inicios.size(); k-- > 0;) {
        const qsizetype fin = k + 1 < inicios.size() ? inicios[k + 1] - 2 : texto.size();
        QString linea;
        if (k > 0) {
            linea = texto.sliced(inicios[k], fin - inicios[k]);
            liberado += texto.size() - (inicios[k] - 2);
            texto.truncate(inicios[k] - 2);
            if (liberado > (qsizetype(1) << 20)) {
                texto.squeeze();
                liberado = 0;
            }
        } else {
            texto.truncate(fin);
            linea = std::move(texto);
        }
        Linea_& l = v_Lineas[k];
        if (!linea.isEmpty()) l.tramos.push_back({static_cast<int>(linea.size()), v_Escritura});
        largos[k] = static_cast<int>(linea.size()) + 2;
        l.texto = std::move(linea);
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
        if (indice >= v_CacheInicio && indice < v_CacheInicio + static_cast<int>(v_Lineas[v_CacheLinea].texto.size()) + 2)
            return {v_CacheLinea, indice - v_CacheInicio};
        // The line above: the code pane colours the line it has just appended.
        if (v_CacheLinea > 0 && indice < v_CacheInicio) {
            const int inicio = v_CacheInicio - static_cast<int>(v_Lineas[v_CacheLinea - 1].texto.size()) - 2;
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
    if (a.linea == b.linea) return v_Lineas[a.linea].texto.mid(a.columna, b.columna - a.columna);
    QString r = v_Lineas[a.linea].texto.mid(a.columna);
    r += kCRLF.mid(std::max(0, a.columna - static_cast<int>(v_Lineas[a.linea].texto.size())));
    for (int l = a.linea + 1; l < b.linea; ++l) r += v_Lineas[l].texto + kCRLF;
    r += v_Lineas[b.linea].texto.left(b.columna);
    return r;
}

std::vector<PanelMemoria::Tramo> PanelMemoria::Cortar(const Linea_& l, int desde, int hasta) {
    return CortarTramos(l.tramos, desde, hasta);
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

void PanelMemoria::SetSelText(const QString& texto) {
    if (v_SelLargo == 0 && v_SelInicio == v_Largo) {
        AgregarAlFinal(texto);
        return;
    }
    Posicion a = Ubicar(v_SelInicio);
    Posicion b = Ubicar(v_SelInicio + v_SelLargo);
    const int largoA = static_cast<int>(v_Lineas[a.linea].texto.size());
    const int largoB = static_cast<int>(v_Lineas[b.linea].texto.size());
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
        const Linea_& la = v_Lineas[a.linea];
        const Linea_& lb = v_Lineas[b.linea];
        const auto partes = QStringView(texto).split(kCRLF);
        std::vector<Linea_> nuevas(partes.size());
        for (qsizetype k = 0; k < partes.size(); ++k) {
            Linea_& l = nuevas[k];
            const int largo = static_cast<int>(partes[k].size());
            if (k == 0) {
                l.texto = la.texto.left(a.columna);
                Juntar(l.tramos, Cortar(la, 0, a.columna));
            }
            l.texto += partes[k];
            Juntar(l.tramos, {{largo, nuevo}});
            if (k == partes.size() - 1) {
                l.texto += QStringView(lb.texto).mid(b.columna);
                Juntar(l.tramos, Cortar(lb, b.columna, static_cast<int>(lb.texto.size())));
            }
        }
        ReemplazarLineas(a.linea, b.linea, std::move(nuevas));
    }
    v_SelInicio = LineIndex(linea) + columna + static_cast<int>(texto.size());
    v_SelLargo = 0;
    Normalizar();
}

// Appending at the end, as the code pane grows a line at a time: no line is
// rebuilt and the offsets only grow.
void PanelMemoria::AgregarAlFinal(const QString& texto) {
    const QStringView todo(texto);
    auto agregarTramo = [this](Linea_& l, int largo) {
        if (largo <= 0) return;
        if (!l.tramos.empty() && l.tramos.back().formato == v_Escritura)
            l.tramos.back().largo += largo;
        else
            l.tramos.push_back({largo, v_Escritura});
    };
    // Walked piece by piece, without a list of pieces: one call per code line.
    qsizetype desde = 0;
    qsizetype salto = todo.indexOf(kCRLF);
    const QStringView primera = todo.mid(0, salto < 0 ? todo.size() : salto);
    const int ultima = LineCount() - 1;
    const int largo0 = static_cast<int>(primera.size());
    if (largo0 > 0) {
        if (salto < 0 && v_Lineas[ultima].texto.isEmpty())
            v_Lineas[ultima].texto = texto;   // a code line appended whole is shared, not copied
        else
            v_Lineas[ultima].texto += primera;
        agregarTramo(v_Lineas[ultima], largo0);
        v_Offsets.Sumar(ultima, largo0);
    }
    while (salto >= 0) {
        desde = salto + 2;
        salto = todo.indexOf(kCRLF, desde);
        const QStringView parte = todo.mid(desde, (salto < 0 ? todo.size() : salto) - desde);
        Linea_ l{parte.toString(), {}};
        agregarTramo(l, static_cast<int>(parte.size()));
        v_Offsets.Agregar(static_cast<int>(parte.size()) + 2);
        v_Lineas.push_back(std::move(l));
    }
    v_Largo += static_cast<int>(texto.size());
    v_SelInicio = v_Largo;
    v_SelLargo = 0;
    // The last line is where the next look-up will be.
    v_CacheLinea = LineCount() - 1;
    v_CacheInicio = v_Largo - static_cast<int>(v_Lineas.back().texto.size());
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
    const int largoViejo = static_cast<int>(l.texto.size());
    std::vector<Tramo> formatos;
    Juntar(formatos, Cortar(l, 0, desde));
    Juntar(formatos, {{static_cast<int>(texto.size()), nuevo}});
    Juntar(formatos, Cortar(l, hasta, largoViejo));
    l.tramos = std::move(formatos);
    if (desde == 0 && hasta == largoViejo)
        l.texto = texto;   // shared, not copied: the pass rewrites whole lines
    else
        l.texto.replace(desde, hasta - desde, texto);
    const int delta = static_cast<int>(l.texto.size()) - largoViejo;
    if (delta) {
        v_Offsets.Sumar(linea, delta);
        v_Largo += delta;
    }
}

void PanelMemoria::ReemplazarLineas(int primera, int ultima, std::vector<Linea_>&& nuevas) {
    v_CacheLinea = -1;
    const int viejas = ultima - primera + 1;
    const int m = static_cast<int>(nuevas.size());
    const bool alFinal = ultima == LineCount() - 1;
    const int comunes = std::min(viejas, m);
    for (int k = 0; k < comunes; ++k) {
        const int delta = static_cast<int>(nuevas[k].texto.size() - v_Lineas[primera + k].texto.size());
        v_Lineas[primera + k] = std::move(nuevas[k]);
        if (delta) v_Offsets.Sumar(primera + k, delta);
        v_Largo += delta;
    }
    if (m == viejas) return;
    if (m > viejas) {
        for (int k = comunes; k < m; ++k) v_Largo += static_cast<int>(nuevas[k].texto.size()) + 2;
        v_Lineas.insert(v_Lineas.begin() + primera + viejas, std::make_move_iterator(nuevas.begin() + comunes),
                        std::make_move_iterator(nuevas.end()));
    } else {
        for (int k = primera + m; k < primera + viejas; ++k) v_Largo -= static_cast<int>(v_Lineas[k].texto.size()) + 2;
        v_Lineas.erase(v_Lineas.begin() + primera + m, v_Lineas.begin() + primera + viejas);
    }
    if (alFinal) {
        // Appending or cutting at the end keeps the tree: the code pane grows this way.
        while (v_Offsets.Tamano() > LineCount()) v_Offsets.QuitarUltimo();
        for (int i = v_Offsets.Tamano(); i < LineCount(); ++i)
            v_Offsets.Agregar(static_cast<int>(v_Lineas[i].texto.size()) + 2);
        return;
    }
    std::vector<int> largos;
    largos.reserve(v_Lineas.size());
    for (const auto& l : v_Lineas) largos.push_back(static_cast<int>(l.texto.size()) + 2);
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
        auto& linea = v_Lineas[l];
        const int len = static_cast<int>(linea.texto.size());
        const int ca = l == a.linea ? std::min(a.columna, len) : 0;
        const int cb = l == b.linea ? std::min(b.columna, len) : len;
        if (ca < cb) AplicarA(linea.tramos, ca, cb, cambio);
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

int PanelMemoria::LineLength(int indice) const {
    return static_cast<int>(v_Lineas[LineFromChar(indice)].texto.size());
}

QStringList PanelMemoria::Lineas() const {
    QStringList r;
    r.reserve(LineCount());
    for (const auto& l : v_Lineas) r.append(l.texto);
    return r;
}

QString PanelMemoria::TextoLinea(int linea) const {
    return linea >= 0 && linea < LineCount() ? v_Lineas[linea].texto : QString();
}

void PanelMemoria::LineScroll(int lineas) {
    v_PrimeraVisible = std::clamp(v_PrimeraVisible + lineas, 0, std::max(0, LineCount() - 1));
}

Formato PanelMemoria::FormatoEn(int indice) const {
    const Posicion p = Ubicar(indice);
    int pos = 0;
    for (const auto& t : v_Lineas[p.linea].tramos) {
        if (p.columna < pos + t.largo) return t.formato;
        pos += t.largo;
    }
    return {};
}
