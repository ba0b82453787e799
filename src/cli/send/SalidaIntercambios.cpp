#include "SalidaIntercambios.h"
#include "ArchivoSeguro.h"
#include <unistd.h>

namespace {
constexpr qsizetype kBloque = 64 * 1024;
}

SalidaIntercambios::SalidaIntercambios(int fd) : v_Fd(fd), v_Terminal(::isatty(fd) == 1) { v_Bufer.reserve(kBloque + 4096); }

void SalidaIntercambios::Agregar(const QString& linea) {
    if (v_Cerrada) return;
    v_Bufer.append(linea.toUtf8());
    v_Bufer.append('\n');
    if (v_Bufer.size() >= kBloque) Volcar();
}

void SalidaIntercambios::FinIntercambio() {
    if (v_Terminal) Volcar();
}

void SalidaIntercambios::Volcar() {
    if (v_Bufer.isEmpty()) return;
    if (AntesDeEscribir) AntesDeEscribir();
    if (!v_Cerrada && !ArchivoSeguro::EscribirTodo(v_Fd, v_Bufer.constData(), v_Bufer.size())) v_Cerrada = true;
    v_Bufer.clear();
}
