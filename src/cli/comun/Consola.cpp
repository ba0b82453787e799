#include "Consola.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

namespace Consola {

namespace {
void Escribir(FILE* f, const QString& texto) {
    const QByteArray b = texto.toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f);
    std::fflush(f);
}
}   // namespace

void Salida(const QString& texto) { Escribir(stdout, texto); }
void Errores(const QString& texto) { Escribir(stderr, texto); }

void TraducirQt() {
    auto* t = new QTranslator(QCoreApplication::instance());
    if (t->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(t);
    else
        delete t;
}

bool Informar(bool ayuda, const char* textoAyuda, bool version, const QString& lineaVersion) {
    if (ayuda) Salida(QString::fromUtf8(textoAyuda));
    else if (version)
        Salida(lineaVersion + QLatin1Char('\n'));
    return ayuda || version;
}

}   // namespace Consola
