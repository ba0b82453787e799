#pragma once
#include <QString>

// Orvo.cfg at Module1::v_ArchCFG: delay, timeout and serial port index,
// one whole number per line.
namespace Configuracion {

inline constexpr int kDelayDefecto = 500;
inline constexpr int kTimeOutDefecto = 3000;
inline constexpr int kPuertoDefecto = 0;

// Reads the three values into Module1::v_Delay, v_TimeOut, v_Puerto. A
// missing file gives the defaults silently; an unreadable file, a missing
// line or a bad value (not a whole number, delay outside -999..9999,
// timeout outside 0..9999, port outside 0..7) gives the default for that value, and false
// with a description in *problema.
bool LeerCFG(QString* problema);

// Creates or overwrites the file with the three values; false with the
// reason when it cannot be written.
bool GrabarCFG(QString* problema);

}   // namespace Configuracion
