// Linked into every Windows executable: stdout and stderr carry exactly the
// bytes written, as on Linux (no LF to CR LF translation), and a console
// shows them as the UTF-8 they are.
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {
struct SalidaBinaria {
    SalidaBinaria() {
        _setmode(_fileno(stdin), _O_BINARY);
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
        SetConsoleOutputCP(CP_UTF8);
    }
} gSalidaBinaria;
}   // namespace
