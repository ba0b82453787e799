#include "ListaEventos.h"
#include <QListWidget>

void AgregarEvento(QListWidget* lista, const QString& linea, int maximo) {
    while (lista->count() >= maximo) delete lista->takeItem(0);
    lista->addItem(linea);
    const int n = lista->count();
    if (n > 10) lista->scrollToItem(lista->item(n - 9), QAbstractItemView::PositionAtTop);
}
