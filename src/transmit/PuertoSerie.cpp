#include "PuertoSerie.h"
#include "PuertoSeriePlataforma.h"
#include <QSettings>
#include <QStandardPaths>

namespace PuertoSerie {

namespace {
Fuente& FuenteActual() {
    static Fuente f;
    return f;
}

QString ArchivoAjustes() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Orvo/Puerto.ini");
}
const QString kClaveRuta = QStringLiteral("serie/dispositivo");
}   // namespace

QStringList Lista() {
    QStringList l;
    for (int n = 1; n <= 8; ++n) l << QStringLiteral("COM%1").arg(n);
    return l;
}

bool FueraDeLista(const QString& texto) { return !Lista().contains(texto.trimmed(), Qt::CaseInsensitive); }

void FijarFuente(Fuente fuente) { FuenteActual() = std::move(fuente); }

QList<Disponible> Disponibles() { return FuenteActual() ? FuenteActual()() : DelSistema(); }

QList<Entrada> Entradas() {
    QList<Entrada> entradas;
    for (const QString& com : Lista()) entradas.append({com, QString()});
    for (const Disponible& d : Disponibles()) {
        const QString texto = d.descripcion.isEmpty() ? d.ruta : d.ruta + QStringLiteral(" (") + d.descripcion + QLatin1Char(')');
        entradas.append({texto, d.ruta});
        for (const QString& id : d.porId) entradas.append({id, id});
    }
    return entradas;
}

QString RutaRecordada() {
    const QSettings ajustes(ArchivoAjustes(), QSettings::IniFormat);
    return ajustes.value(kClaveRuta).toString();
}

void RecordarRuta(const QString& ruta) {
    if (RutaRecordada() == ruta) return;
    QSettings ajustes(ArchivoAjustes(), QSettings::IniFormat);
    if (ruta.isEmpty())
        ajustes.remove(kClaveRuta);
    else
        ajustes.setValue(kClaveRuta, ruta);
}

}   // namespace PuertoSerie
