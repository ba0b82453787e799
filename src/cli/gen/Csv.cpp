#include "Csv.h"
#include "Codificacion.h"
#include <QStringDecoder>
#include <algorithm>

namespace {
constexpr qsizetype kMuestraSeparador = 64 * 1024;
constexpr int kLineasMuestra = 20;

// Valid UTF-8 throughout, checked a slice at a time so the whole text is never decoded twice.
bool EsUtf8(QByteArrayView bytes) {
    QStringDecoder dec(QStringDecoder::Utf8);
    constexpr qsizetype kTrozo = 1 << 20;
    for (qsizetype i = 0; i < bytes.size() && !dec.hasError(); i += kTrozo) {
        const QString descartado = dec.decode(bytes.sliced(i, std::min(kTrozo, bytes.size() - i)));
    }
    return !dec.hasError();
}
}   // namespace

bool FilaCsv::Vacia() const {
    return std::all_of(campos.begin(), campos.end(), [](const QString& c) { return c.isEmpty(); });
}

char f_SeparadorCsv(QByteArrayView bytes) {
    const char candidatos[] = {';', ',', '\t'};
    qsizetype cuenta[3] = {0, 0, 0};
    bool entreComillas = false;
    int lineas = 0;
    const qsizetype n = std::min(bytes.size(), kMuestraSeparador);
    for (qsizetype i = 0; i < n && lineas < kLineasMuestra; ++i) {
        const char c = bytes[i];
        if (c == '"') entreComillas = !entreComillas;
        if (entreComillas) continue;
        if (c == '\n') ++lineas;
        for (int k = 0; k < 3; ++k)
            if (c == candidatos[k]) ++cuenta[k];
    }
    int mejor = 0;
    for (int k = 1; k < 3; ++k)
        if (cuenta[k] > cuenta[mejor]) mejor = k;
    return candidatos[mejor];
}

LectorCsv::LectorCsv(QByteArrayView bytes) : v_Bytes(bytes) {
    if (v_Bytes.startsWith("\xEF\xBB\xBF")) v_Pos = 3;
    v_Utf8 = EsUtf8(v_Bytes);
    v_Separador = f_SeparadorCsv(v_Bytes.sliced(v_Pos));
}

QString LectorCsv::Decodificar(QByteArrayView crudo) {
    return v_Utf8 ? QString::fromUtf8(crudo) : Codificacion::DesdeWin1252(crudo);
}

bool LectorCsv::Siguiente(FilaCsv* fila) {
    const qsizetype n = v_Bytes.size();
    if (v_Pos >= n) return false;
    *fila = FilaCsv{++v_Fila, {}, 0, {}, false};
    QByteArray campo;
    bool entreComillas = false, salto = false, conTexto = false;
    auto cerrarCampo = [&] {
        if (fila->columnas++ < kColumnasLeidas) {
            fila->campos.append(Decodificar(campo).trimmed());
            fila->saltos.append(salto);
        }
        campo.clear();
        salto = conTexto = false;
    };
    auto guardar = [&](char b) {
        if (fila->columnas < kColumnasLeidas) campo += b;
    };
    while (v_Pos < n) {
        const char c = v_Bytes[v_Pos++];
        if (entreComillas) {
            if (c != '"') {
                const bool finLinea = c == '\r' || c == '\n';
                salto = salto || finLinea;
                // Within a cell a line break is one blank, whichever way it was written.
                if (c == '\r' && v_Pos < n && v_Bytes[v_Pos] == '\n') ++v_Pos;
                guardar(finLinea ? ' ' : c);
            } else if (v_Pos < n && v_Bytes[v_Pos] == '"') {
                guardar('"');
                ++v_Pos;
            } else {
                entreComillas = false;
            }
            continue;
        }
        if (c == '"' && !conTexto) {
            campo.clear();
            entreComillas = conTexto = true;
        } else if (c == v_Separador) {
            cerrarCampo();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && v_Pos < n && v_Bytes[v_Pos] == '\n') ++v_Pos;
            cerrarCampo();
            return true;
        } else {
            conTexto = conTexto || (c != ' ' && c != '\t');
            guardar(c);
        }
    }
    fila->comillasSinCerrar = entreComillas;
    cerrarCampo();
    return true;
}
