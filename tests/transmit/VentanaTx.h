#pragma once
// The transmission window under test: its controls by name and bounded waits.
#include "PuertoSerie.h"
#include "fr_Transmitir.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

// The port list holds COM1 to COM8 only and no device path is remembered,
// whatever the machine has plugged in or an earlier test used.
struct PuertosFijos {
    PuertosFijos() {
        PuertoSerie::FijarFuente([] { return QList<PuertoSerie::Disponible>{}; });
        PuertoSerie::RecordarRuta(QString());
    }
    ~PuertosFijos() { PuertoSerie::FijarFuente({}); }
};

struct VentanaTx : PuertosFijos {
    fr_Transmitir w;

    VentanaTx() { w.show(); }
    template <class T> T* C(const char* nombre) { return w.findChild<T*>(QString::fromLatin1(nombre)); }
    QLineEdit* Campo(const char* n) { return C<QLineEdit>(n); }
    QPushButton* Boton(const char* n) { return C<QPushButton>(n); }
    QStringList Lista(const char* n) {
        w.VolcarListas();
        QStringList l;
        auto* lista = C<QListWidget>(n);
        for (int i = 0; i < lista->count(); ++i) l << lista->item(i)->text();
        return l;
    }
    QStringList Log() { return Lista("lst_Log"); }
    QStringList Cmd() { return Lista("lst_Cmd"); }

    void TCP(quint16 puerto, const QString& ip = QStringLiteral("127.0.0.1")) {
        C<QRadioButton>("opt_TCP")->setChecked(true);
        Campo("txt_IP")->setText(ip);
        Campo("txt_Port")->setText(QString::number(puerto));
    }
    void Tiempos(const QString& timeOut, const QString& delay) {
        Campo("tx_TimeOut")->setText(timeOut);
        Campo("tx_Delay")->setText(delay);
    }
    void Iniciar() { Boton("btn_IniDet")->click(); }
    bool EsperarFin(int ms = 8000) {
        return QTest::qWaitFor([&] { return !w.corrida().Activa(); }, ms);
    }
    bool EsperarLog(const QString& linea, int ms = 8000) {
        return QTest::qWaitFor([&] { return Log().contains(linea); }, ms);
    }
};
