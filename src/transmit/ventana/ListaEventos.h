#pragma once
#include <QListWidget>
#include <QStringList>
#include <QTimer>

// An event list: keeps the newest `maximo` lines and applies the scroll
// rule (past 10 lines the first visible line is the count minus 9, so the
// newest line stays in view). New lines reach the widget once per time
// slice: laying out and painting the list per line would cap a run at a
// few hundred frames a second.
class ListaEventos : public QListWidget {
    Q_OBJECT
public:
    ListaEventos(int maximo, QWidget* padre = nullptr);
    void Agregar(const QString& linea);
    void Limpiar();
    // Puts the waiting lines into the widget now.
    void Volcar();

    // Bytes of an answer shown in full; past them the line says how many
    // were left out (Comm.log keeps them all).
    static constexpr int kBytesVisibles = 32;
    // The answer's line: "< " + its bytes in hex, cut after kBytesVisibles.
    static QString f_Respuesta(const QByteArray& bytes);

private:
    int v_Maximo;
    QStringList v_Pendientes;
    QTimer tmr_Volcar;
};
