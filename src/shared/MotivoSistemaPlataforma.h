#pragma once
#include <QString>

namespace MotivoSistema {

// An errno value as the C library spells it without a locale (English): what
// Qt's texts say when the session's language has no translation.
QString f_ErrnoEnC(int e);

}   // namespace MotivoSistema
