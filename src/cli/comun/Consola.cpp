#include "Consola.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
#include "MotivoSistema.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cerrno>
#include <cstdio>

namespace Consola {

namespace {
bool Escribir(FILE* f, const QByteArray& b) {
    const bool entero = std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f) == static_cast<size_t>(b.size());
    return std::fflush(f) == 0 && entero;
}
}   // namespace

void Salida(const QString& texto) { Escribir(stdout, texto.toUtf8()); }
void Errores(const QString& texto) { Escribir(stderr, texto.toUtf8()); }
bool SalidaBytes(const QByteArray& bytes) { return Escribir(stdout, bytes); }
bool ErroresBytes(const QByteArray& bytes) { return Escribir(stderr, bytes); }

int ErrorDeUso(const QString& herramienta, const QString& problema) {
    Errores(QStringLiteral("%1: %2\nPruebe \"%1 --help\".\n").arg(herramienta, problema));
    return 2;
}

bool LeerEntrada(const QString& ruta, QByteArray* bytes, QString* motivo) {
    if (ruta != QLatin1String("-")) return Codificacion::LeerArchivo(ruta, bytes, motivo);
    constexpr qint64 kLimite = ArchivoSeguro::kLimiteComandos;
    QByteArray r;
    char trozo[1 << 16];
    for (;;) {
        const size_t n = std::fread(trozo, 1, sizeof trozo, stdin);
        r.append(trozo, static_cast<qsizetype>(n));
        if (r.size() > kLimite) {
            *motivo = QStringLiteral("la entrada estándar trae más que el límite de %1 MB").arg(kLimite >> 20);
            return false;
        }
        if (n < sizeof trozo) break;
    }
    if (std::ferror(stdin)) {
        // The system's reason: a folder given as input, a closed descriptor.
        *motivo = MotivoSistema::f_Errno(errno);
        return false;
    }
    *bytes = std::move(r);
    return true;
}

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
