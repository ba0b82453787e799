#pragma once
// The transmission window under test: its controls by name, bounded waits,
// and a link in memory or orvo-sim on a loopback port behind it.
#include "AyudaTx.h"
#include "Avisos.h"
#include "EnlaceMemoria.h"
#include "PuertoSerie.h"
#include "fr_Transmitir.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace AyudaTx {
// Takes every message box instead of showing it.
struct Cajas {
    QList<Avisos::Aviso> vistas;
    Avisos::Manejador previo;
    Cajas() {
        previo = Avisos::Instalar([this](QWidget*, const Avisos::Aviso& a) { vistas.append(a); });
    }
    ~Cajas() { Avisos::Instalar(previo); }
    bool Esperar(int cuantas, int ms = 5000) {
        return QTest::qWaitFor([&] { return vistas.size() >= cuantas; }, ms);
    }
};
}   // namespace AyudaTx

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
        return QTest::qWaitFor([&] { return !w.LaCorrida().Activa(); }, ms);
    }

    // From now on every start gets a link in memory instead of the real one
    // (the window still saves its settings and checks its fields first).
    QPointer<EnlaceMemoria> enlace;   // the latest start's
    void EnMemoria() {
        auto real = w.LaCorrida().Preparar;
        w.LaCorrida().Preparar = [this, real](Corrida::Ajustes* a) -> std::unique_ptr<Enlace> {
            if (!real(a)) return nullptr;
            auto e = std::make_unique<EnlaceMemoria>();
            enlace = e.get();
            return e;
        };
    }
    // Opens the latest start's link and waits for its n-th frame.
    bool ConectarYEsperar(int frames) {
        if (!enlace) return false;
        if (!enlace->EstaAbierto()) enlace->Conectar();
        return QTest::qWaitFor([&] { return enlace && enlace->escritos.size() >= frames; }, 5000);
    }
};

// The window with the test's files and message boxes.
class ConVentana : public ::testing::Test {
protected:
    AyudaTx::Carpeta c;
    AyudaTx::Cajas cajas;
    VentanaTx v;
};

// The same, pointed at orvo-sim over TCP on a free loopback port.
class VentanaConSim : public ConVentana {
protected:
    const quint16 p = AyudaTx::PuertoLibre();
    AyudaTx::Sim sim;

    // Writes the script, starts orvo-sim with the faults given and fills the fields.
    [[nodiscard]] bool Preparar(const QStringList& codigo, const QStringList& comandos, const char* timeOut,
                                const char* delay, const QStringList& fallas = {}) {
        c.Script(codigo, comandos);
        if (!sim.IniciarTCP(p, fallas)) return false;
        v.TCP(p);
        v.Tiempos(QString::fromLatin1(timeOut), QString::fromLatin1(delay));
        return true;
    }
};
