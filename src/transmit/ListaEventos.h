#pragma once
#include <QListWidget>
#include <QTimer>

// An event list: keeps the newest `maximo` lines and applies the scroll
// rule (past 10 lines the first visible line is the count minus 9, so the
// newest line stays in view). Scrolling lays out the whole list, so it is
// done once per time slice rather than once per line.
class ListaEventos : public QListWidget {
    Q_OBJECT
public:
    ListaEventos(int maximo, QWidget* padre = nullptr);
    void Agregar(const QString& linea);

private:
    void Desplazar();

    int v_Maximo;
    QTimer tmr_Desplazar;
};
