// The C library's own spelling of errno where the system is POSIX.
#include "MotivoSistemaPlataforma.h"
#include <cstring>
#include <locale.h>

namespace MotivoSistema {

QString f_ErrnoEnC(int e) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c ? QString::fromLocal8Bit(strerror_l(e, c)) : QString();
}

}   // namespace MotivoSistema
