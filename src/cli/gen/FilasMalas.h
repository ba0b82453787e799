#pragma once
#include <QStringList>
#include <map>

// The bad rows of a sheet as a technician reads them: the first ones in
// row order, then how many more. A sheet of millions of bad rows costs no
// more than the few shown.
class FilasMalas {
public:
    static constexpr int kMostradas = 20;

    // A bad row with its messages; rows may come in any order.
    void Agregar(int fila, const QStringList& mensajes);
    bool Vacia() const { return v_Primeras.empty(); }
    // Each shown row's messages, then "… y N filas más".
    QStringList Lista() const;

private:
    std::map<int, QStringList> v_Primeras;
    qint64 v_Mas = 0;
};
