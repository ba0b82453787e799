#include "EnlaceRapido.h"
#include "EnlaceTCP.h"

std::unique_ptr<Enlace> f_EnlaceTCPRapido(const QString& ip, const QString& puerto) {
    return std::make_unique<EnlaceTCP>(ip, puerto);
}
