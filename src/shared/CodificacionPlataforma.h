#pragma once
#include <array>

namespace Codificacion {

// Windows-1252 as the system's own converter reads it, byte by byte: ICU
// through Qt where the system is POSIX, the code page itself on Windows (Qt
// for Windows is built without ICU). The codes the page leaves undefined
// (81, 8D, 8F, 90, 9D) are the C1 controls of the same number, as Windows
// reads them.
std::array<char16_t, 256> f_TablaWin1252();

}   // namespace Codificacion
