// orvo: the program. "orvo ARCHIVO" opens ARCHIVO at start as Archivo > Abrir does.
#include "Argumentos.h"
#include "Consola.h"
#include "Icono.h"
#include "InformeInicio.h"
#include "Module1.h"
#include "Traducciones.h"
#include "fr_Principal.h"
#include <QApplication>
#include <QTimer>

namespace {
QStringList Crudos(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// --help, --version and a bad line: answered before any window system is
// touched, so they work without a display.
int SinVentana(const Argumentos& a) {
    switch (a.pedido) {
    case Argumentos::Pedido::Ayuda: Consola::Salida(TextoAyuda()); return 0;
    case Argumentos::Pedido::Version: Consola::Salida(TextoVersion()); return 0;
    case Argumentos::Pedido::Error: break;
    case Argumentos::Pedido::Abrir: break;
    }
    return Consola::ErrorDeUso(QStringLiteral("orvo"), a.problema);
}
}   // namespace

int main(int argc, char** argv) {
    const Argumentos previos = LeerArgumentosSinVentana(Crudos(argc, argv));
    if (previos.pedido != Argumentos::Pedido::Abrir) return SinVentana(previos);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.orvo.Orvo"));
    CargarTraducciones(app);
    QApplication::setWindowIcon(IconoOrvo());

    // Qt has taken its own options (-platform, -style, ...): what is left is ours.
    const Argumentos a = LeerArgumentos(QApplication::arguments().mid(1));
    if (a.pedido != Argumentos::Pedido::Abrir) return SinVentana(a);

    Module1::FijarCarpetasPorDefecto();
    fr_Principal ventana;
    ventana.show();
    const bool informe = InformeInicioPedido();
    if (!a.archivo.isEmpty() || informe) {
        // Once the window runs, as a click on Archivo > Abrir would.
        QTimer::singleShot(0, &ventana, [&] {
            if (!a.archivo.isEmpty()) ventana.AbrirAlInicio(a.archivo);
            if (informe) {
                Consola::Salida(InformeInicio(ventana));
                QCoreApplication::exit(0);
            }
        });
    }
    return QApplication::exec();
}
