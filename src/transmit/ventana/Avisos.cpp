#include "Avisos.h"
#include <QMessageBox>

namespace Avisos {

namespace {
Manejador& Actual() {
    static Manejador m;
    return m;
}

QMessageBox::Icon IconoQt(Icono i) {
    switch (i) {
    case Icono::Critico: return QMessageBox::Critical;
    case Icono::Advertencia: return QMessageBox::Warning;
    case Icono::Informacion: return QMessageBox::Information;
    }
    return QMessageBox::Critical;
}
}   // namespace

void Mostrar(QWidget* padre, const Aviso& aviso) {
    if (Actual()) {
        Actual()(padre, aviso);
        return;
    }
    QMessageBox caja(IconoQt(aviso.icono), aviso.titulo, aviso.texto, QMessageBox::Ok, padre);
    // Device names, addresses and system reasons are shown as written, never as markup.
    caja.setTextFormat(Qt::PlainText);
    caja.exec();
}

Manejador Instalar(Manejador m) {
    Manejador previo = std::move(Actual());
    Actual() = std::move(m);
    return previo;
}

}   // namespace Avisos
