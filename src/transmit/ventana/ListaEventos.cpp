#include "ListaEventos.h"
#include "Trama.h"

namespace {
constexpr int kRebanadaMs = 25;
}

ListaEventos::ListaEventos(int maximo, QWidget* padre) : QListWidget(padre), v_Maximo(maximo) {
    setUniformItemSizes(true);
    tmr_Volcar.setSingleShot(true);
    tmr_Volcar.setInterval(kRebanadaMs);
    connect(&tmr_Volcar, &QTimer::timeout, this, &ListaEventos::Volcar);
}

void ListaEventos::Agregar(const QString& linea) {
    v_Pendientes.append(linea);
    if (v_Pendientes.size() > v_Maximo) v_Pendientes.removeFirst();
    if (!tmr_Volcar.isActive()) tmr_Volcar.start();
}

void ListaEventos::Limpiar() {
    v_Pendientes.clear();
    clear();
}

void ListaEventos::Volcar() {
    tmr_Volcar.stop();
    if (v_Pendientes.isEmpty()) return;
    const int sobran = count() + static_cast<int>(v_Pendientes.size()) - v_Maximo;
    if (sobran > 0) model()->removeRows(0, std::min(sobran, count()));
    addItems(v_Pendientes);
    v_Pendientes.clear();
    const int n = count();
    if (n > 10) scrollToItem(item(n - 9), QAbstractItemView::PositionAtTop);
}

QString ListaEventos::f_Respuesta(const QByteArray& bytes) {
    QString linea = QStringLiteral("< ") + f_LineaHex(bytes.left(kBytesVisibles));
    if (bytes.size() > kBytesVisibles)
        linea += QStringLiteral("… (%1 bytes más)").arg(bytes.size() - kBytesVisibles);
    return linea;
}
