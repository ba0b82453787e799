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

struct Accion {
    const char* palabra;
    void (*ejecutar)(Compilador&);
};
const Accion kAcciones[] = {
    {"TRANS", Transmitir},
    {"T", Transmitir},
    {"?", Ayuda},
    {"TOOLS", Herramientas},
};
}  // namespace

void EjecutarAccion(Compilador& c, const QString& palabra) {
    for (const auto& a : kAcciones)
        if (palabra == QLatin1String(a.palabra)) {
            a.ejecutar(c);
            return;
        }
}
