// The C library's own spelling of errno on Windows: its texts are English
// whatever the user's language, so the plain one serves.
#include "MotivoSistemaPlataforma.h"
#include <cstring>

namespace MotivoSistema {

QString f_ErrnoEnC(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

}   // namespace MotivoSistema
