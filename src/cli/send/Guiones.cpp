#include "Guiones.h"
#include "Consola.h"
#include "Visible.h"
#include <QDir>

int Guiones::Compilar(const OpcionesEnvio& o, const QString& carpetaTemporal) {
    v_DelComando = o.guion;
    for (const Destino& d : o.destinos) {
        const QString archivo = d.guion.isEmpty() ? o.guion : d.guion;
        if (v_Indice.contains(archivo)) continue;
        v_Indice.insert(archivo, v_Guiones.size());
        v_Guiones.push_back({archivo, {}});
    }

    // With several files each error line says which one it comes from.
    const bool varios = v_Guiones.size() > 1;
    QString ilegibles, errores;
    size_t conErrores = 0;
    for (size_t i = 0; i < v_Guiones.size(); ++i) {
        const QString& archivo = v_Guiones[i].archivo;
        QByteArray bytes;
        QString motivo;
        if (!Consola::LeerEntrada(archivo, &bytes, &motivo)) {
            const QString nombre = archivo == QLatin1String("-") ? QStringLiteral("la entrada estándar")
                                                                 : QStringLiteral("\"%1\"").arg(f_Visible(archivo));
            ilegibles += QStringLiteral("orvo-send: no se puede leer %1: %2; no se envía nada.\n").arg(nombre, motivo);
            continue;
        }
        const QString carpeta = QDir(carpetaTemporal).filePath(QString::number(i));
        QDir().mkpath(carpeta);
        GuionCompilado& g = v_Guiones[i].guion;
        g = CompilarGuion(bytes, carpeta);
        const QString prefijo = varios ? f_Visible(archivo) + QStringLiteral(": ") : QString();
        // An error line quotes the script's text, which may hold escape sequences.
        for (const QString& e : g.debug) errores += prefijo + f_Visible(e) + QLatin1Char('\n');
        if (!g.error.isEmpty()) errores += prefijo + g.error + QLatin1Char('\n');
        if (!g.debug.isEmpty() || !g.error.isEmpty()) ++conErrores;
    }
    if (!ilegibles.isEmpty()) {
        Consola::Errores(ilegibles);
        return 2;
    }
    if (conErrores == 0) return 0;
    // As T refuses a script with errors: nothing is sent.
    Consola::Errores(errores + (varios ? QStringLiteral("orvo-send: hay errores en %1 de %2 archivos de comandos; no se envía nada.\n")
                                             .arg(conErrores)
                                             .arg(v_Guiones.size())
                                       : QStringLiteral("orvo-send: hay errores en el código; no se envía nada.\n")));
    return 1;
}

Flota::GuionDe Guiones::De(const Destino& d) const {
    const Uno& u = v_Guiones[v_Indice.value(d.guion.isEmpty() ? v_DelComando : d.guion)];
    return {&u.guion, u.archivo};
}
