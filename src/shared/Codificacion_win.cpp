// Windows-1252 through the system's own code page 1252.
#include "CodificacionPlataforma.h"
#include <windows.h>

namespace Codificacion {

std::array<char16_t, 256> f_TablaWin1252() {
    std::array<char16_t, 256> t{};
    for (int i = 0; i < 256; ++i) {
        const char b = static_cast<char>(i);
        wchar_t w = 0;
        t[i] = MultiByteToWideChar(1252, 0, &b, 1, &w, 1) == 1 ? char16_t(w) : char16_t(i);
    }
    return t;
}

}   // namespace Codificacion
