#include "Csv.h"

QChar f_SeparadorCsv(const QString& texto) {
    const QChar candidatos[] = {u';', u',', u'\t'};
    int cuenta[3] = {0, 0, 0};
    bool entreComillas = false;
    for (QChar c : texto) {
        if (c == u'"') entreComillas = !entreComillas;
        if (entreComillas) continue;
        if (c == u'\n' || c == u'\r') break;
        for (int i = 0; i < 3; ++i)
            if (c == candidatos[i]) ++cuenta[i];
    }
    int mejor = 0;
    for (int i = 1; i < 3; ++i)
        if (cuenta[i] > cuenta[mejor]) mejor = i;
    return candidatos[mejor];
}

QList<FilaCsv> f_LeerCsv(const QString& texto, QChar separador) {
    QList<FilaCsv> filas;
    FilaCsv fila{1, {}, false};
    QString campo;
    bool entreComillas = false;
    int linea = 1;
    auto cerrarCampo = [&] {
        fila.campos.append(campo.trimmed());
        campo.clear();
    };
    auto cerrarFila = [&] {
        cerrarCampo();
        filas.append(fila);
        fila = FilaCsv{linea, {}, false};
    };
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texto.at(i);
        const bool salto = c == u'\n' || c == u'\r';
        if (salto) {
            if (c == u'\r' && i + 1 < n && texto.at(i + 1) == u'\n') ++i;
            ++linea;
        }
        if (entreComillas) {
            if (c == u'"') {
                if (i + 1 < n && texto.at(i + 1) == u'"') {
                    campo += c;
                    ++i;
                } else {
                    entreComillas = false;
                }
            } else if (salto) {
                fila.saltoEnCampo = true;
                campo += QLatin1Char(' ');
            } else {
                campo += c;
            }
            continue;
        }
        if (c == u'"' && campo.trimmed().isEmpty()) {
            campo.clear();
            entreComillas = true;
        } else if (c == separador) {
            cerrarCampo();
        } else if (salto) {
            cerrarFila();
        } else {
            campo += c;
        }
    }
    if (!campo.isEmpty() || !fila.campos.isEmpty()) cerrarFila();
    return filas;
}
