// orvo: the program. "orvo ARCHIVO" opens ARCHIVO at start as Archivo > Abrir does.
#include "Argumentos.h"
#include "Icono.h"
#include "InformeInicio.h"
#include "Module1.h"
#include "Traducciones.h"
#include "fr_Principal.h"
#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {
void Escribir(FILE* f, const QString& texto) {
    const QByteArray b = texto.toLocal8Bit();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f);
    std::fflush(f);
}

QStringList Crudos(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// --help and --version: answered before any window system is touched, so they
// work without a display.
int Informativo(const Argumentos& a) {
    if (a.pedido == Argumentos::Pedido::Ayuda) Escribir(stdout, TextoAyuda());
    else
        Escribir(stdout, TextoVersion());
    return 0;
}
}   // namespace

int main(int argc, char** argv) {
    const Argumentos previos = LeerArgumentos(Crudos(argc, argv));
    if (previos.pedido == Argumentos::Pedido::Ayuda || previos.pedido == Argumentos::Pedido::Version)
        return Informativo(previos);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.orvo.Orvo"));
    CargarTraducciones(app);
    QApplication::setWindowIcon(IconoOrvo());

    // Qt has taken its own options (-platform, -style, ...): what is left is ours.
    const Argumentos a = LeerArgumentos(QApplication::arguments().mid(1));
    if (a.pedido == Argumentos::Pedido::Error) {
        Escribir(stderr, QStringLiteral("orvo: %1\nPruebe \"orvo --help\" para más información.\n").arg(a.problema));
        return 2;
    }

    Module1::FijarCarpetasPorDefecto();
    fr_Principal ventana;
    ventana.show();
    const bool informe = InformeInicioPedido();
    if (!a.archivo.isEmpty() || informe) {
        // Once the window runs, as a click on Archivo > Abrir would.
        QTimer::singleShot(0, &ventana, [&] {
            if (!a.archivo.isEmpty()) ventana.AbrirAlInicio(a.archivo);
            if (informe) {
                Escribir(stdout, InformeInicio(ventana));
                QCoreApplication::exit(0);
            }
        });
    }
    return QApplication::exec();
}
