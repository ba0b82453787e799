#pragma once
#include <QString>

// The system's reasons in Spanish whatever the user's locale: the C
// library and Qt spell errno in the session's language, often English.
namespace MotivoSistema {

// Spanish text of an errno value (a generic one for values not in the table).
QString f_Errno(int e);

// Spanish text of the system's own error code: errno where the system is
// POSIX, GetLastError()'s on Windows (the usual ones; Qt's text for others).
QString f_Sistema(unsigned long codigo);

// A reason as Qt gives it (an errorString() that spells an errno) turned
// into Spanish; `siNo` when it is not one of the table's.
QString f_DeTexto(const QString& textoQt, const QString& siNo);

}   // namespace MotivoSistema
