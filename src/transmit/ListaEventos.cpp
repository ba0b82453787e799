#include "ListaEventos.h"

namespace {
constexpr int kRebanadaMs = 25;
}

ListaEventos::ListaEventos(int maximo, QWidget* padre) : QListWidget(padre), v_Maximo(maximo) {
    setUniformItemSizes(true);
    tmr_Desplazar.setSingleShot(true);
    tmr_Desplazar.setInterval(kRebanadaMs);
    connect(&tmr_Desplazar, &QTimer::timeout, this, &ListaEventos::Desplazar);
}

void ListaEventos::Agregar(const QString& linea) {
    while (count() >= v_Maximo) delete takeItem(0);
    addItem(linea);
    if (count() > 10 && !tmr_Desplazar.isActive()) tmr_Desplazar.start();
}

void ListaEventos::Desplazar() {
    const int n = count();
    if (n > 10) scrollToItem(item(n - 9), QAbstractItemView::PositionAtTop);
}
