#include "fr_Principal.h"
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvo"));
    fr_Principal ventana;
    ventana.show();
    return QApplication::exec();
}
