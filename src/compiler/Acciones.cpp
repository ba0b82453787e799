#include "Acciones.h"
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "LlenarArchTmp.h"

namespace {
void Transmitir(Compilador& c) {
    if (!c.lst_Debug.isEmpty()) {
        c.entorno.AvisarErrores(QStringLiteral("Comandos erroneos"),
                                QStringLiteral("Hay errores en el código.\r\nCorrija los errores e intente nuevamente."));
        return;
    }
    if (!c.entorno.ConTransmision()) return;
    QString motivo;
    if (!LlenarArchTmp(c, &motivo)) {
        c.entorno.AvisarFalloTemporales(motivo);
        return;
    }
    c.entorno.MostrarTransmision();
}

void Ayuda(Compilador& c) { c.entorno.MostrarAyuda(); }
void Herramientas(Compilador& c) { c.entorno.MostrarHerramientas(); }

void Accion(Compilador& c, void (*accion)(Compilador&)) {
    c.TipoLinea = TipoDeLinea::Snt;
    c.v_Accion = accion;
}
}   // namespace

void Cmd_Transmitir(Compilador& c) { Accion(c, Transmitir); }
void Cmd_Ayuda(Compilador& c) { Accion(c, Ayuda); }
void Cmd_Herramientas(Compilador& c) { Accion(c, Herramientas); }

bool EsAccion(void (*m)(Compilador&)) { return m == Cmd_Transmitir || m == Cmd_Ayuda || m == Cmd_Herramientas; }
