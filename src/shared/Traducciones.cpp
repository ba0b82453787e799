#include "Traducciones.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QStringList CargarTraducciones(QCoreApplication& app) {
    const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QStringList cargadas;
    for (const char* modulo : {"qtbase", "qtserialport"}) {
        auto* t = new QTranslator(&app);
        const QString nombre = QString::fromLatin1(modulo) + QStringLiteral("_es");
        if (t->load(nombre, carpeta) && QCoreApplication::installTranslator(t))
            cargadas << nombre;
        else
            delete t;
    }
    return cargadas;
}
