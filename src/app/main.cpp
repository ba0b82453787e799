#include <QApplication>
#include <QLabel>
// Placeholder until the main window lands.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel l(QStringLiteral("Orvo - Interfaz de Comandos"));
    l.show();
    return app.exec();
}
