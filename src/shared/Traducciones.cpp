#include "Traducciones.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// A few texts of the file dialogs that Debian's Spanish file leaves in English.
class Faltantes : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* contexto, const char* texto, const char*, int) const override {
        struct Fila {
            const char* contexto;
            const char* texto;
            const char* traduccion;
        };
        static const Fila filas[] = {
            {"QAbstractFileIconProvider", "Folder", "Carpeta"},
            {"QAbstractFileIconProvider", "File", "Archivo"},
            {"QAbstractFileIconProvider", "Drive", "Unidad"},
            {"QAbstractFileIconProvider", "%1 File", "Archivo %1"},
        };
        for (const Fila& f : filas)
            if (qstrcmp(contexto, f.contexto) == 0 && qstrcmp(texto, f.texto) == 0) return QString::fromUtf8(f.traduccion);
        return {};
    }
};
}   // namespace

QStringList CargarTraducciones(QCoreApplication& app) {
    // Dates, sizes and file kinds in the dialogs follow the default locale.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    // Installed first, so Debian's files, installed after it, are asked first.
    QCoreApplication::installTranslator(new Faltantes(&app));
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
