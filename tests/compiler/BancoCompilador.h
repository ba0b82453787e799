#pragma once
// A compiler on two in-memory panes with an environment that records what
// the pass asked of the windows.
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "PanelMemoria.h"
#include <QStringList>
#include <functional>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

struct EntornoGrabador : EntornoCompilador {
    QStringList llamadas;   // "ayuda", "herramientas", "errores", "transmision", "fallo: ..."
    QStringList debugEspejo;
    QString tituloAviso, textoAviso;
    bool conTransmision = false;
    int sincronizas = 0;
    QStringList infos;
    std::function<void()> alCeder;        // runs inside a yield
    std::function<void()> alTransmitir;   // runs while the transmission window "is open"

    void Ceder() override {
        if (alCeder) alCeder();
    }
    void SincronizaTxt() override { ++sincronizas; }
    void MostrarInfo(const QString& t) override { infos.append(t); }
    void DebugLimpiado() override { debugEspejo.clear(); }
    void DebugAgregado(const QString& e) override { debugEspejo.append(e); }
    void MostrarAyuda() override { llamadas.append(QStringLiteral("ayuda")); }
    std::function<void()> alHerramientas;
    void MostrarHerramientas() override {
        llamadas.append(QStringLiteral("herramientas"));
        if (alHerramientas) alHerramientas();
    }
    void AvisarErrores(const QString& titulo, const QString& texto) override {
        llamadas.append(QStringLiteral("errores"));
        tituloAviso = titulo;
        textoAviso = texto;
    }
    bool ConTransmision() const override { return conTransmision; }
    void AvisarFalloTemporales(const QString& texto) override { llamadas.append(QStringLiteral("fallo: ") + texto); }
    void MostrarTransmision() override {
        llamadas.append(QStringLiteral("transmision"));
        if (alTransmitir) alTransmitir();
    }
};

struct Banco {
    PanelMemoria cmd, cod;
    EntornoGrabador entorno;
    Compilador c{cmd, cod, entorno};

    // Lines joined with CR LF (no final break unless the last entry is "").
    explicit Banco(const QStringList& lineas = {}) { cmd.SetText(lineas.join(QStringLiteral("\r\n"))); }

    void Compilar(int linAnt, bool cargando = false) {
        c.LinAntCmd = linAnt;
        c.CompilarLineas(cargando);
    }
    // The code pane as lines, without the empty entry after its final CR LF.
    QStringList Codigo() const {
        QStringList l = cod.Text().split(QStringLiteral("\r\n"));
        if (!l.isEmpty() && l.back().isEmpty()) l.pop_back();
        return l;
    }
    QStringList Comandos() const { return cmd.Text().split(QStringLiteral("\r\n")); }
};
