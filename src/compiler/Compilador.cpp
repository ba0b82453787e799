#include "Compilador.h"
#include "EntornoCompilador.h"
#include "PanelTexto.h"

// Placeholder until the pass lands.
Compilador::Compilador(PanelTexto& cmd, PanelTexto& cod, EntornoCompilador& e) : tx_Cmd(cmd), tx_Cod(cod), entorno(e) {}
void Compilador::CompilarLineas() {}
void Compilador::InsertaCodigo(const QString&, const QString&) {}
int Compilador::ChkArgs(int) { return 0; }
bool Compilador::ChkReloj(const QString&, const QString&, const QString&) { return false; }
bool Compilador::ChkFecha(QString&) { return false; }
bool Compilador::ChkHora(QString&, const QString&) { return false; }
void Compilador::MostrarInfo(const QString&) {}
