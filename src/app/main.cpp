#include "Icono.h"
#include "Traducciones.h"
#include "fr_Principal.h"
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvo"));
    CargarTraducciones(app);
    QApplication::setWindowIcon(IconoOrvo());
    fr_Principal ventana;
    ventana.show();
    return QApplication::exec();
}
