// Ctrl+C and file limits on Windows.
#include "Consola.h"
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <cstdio>
#include <windows.h>

namespace Consola {

namespace {
QPointer<QObject> gPadre;
std::function<void()> gAccion;

// Runs on a thread of the system's own: the action is handed to the event loop.
BOOL WINAPI AlControl(DWORD evento) {
    switch (evento) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
        if (gPadre) QMetaObject::invokeMethod(
            gPadre, [] { if (gAccion) gAccion(); }, Qt::QueuedConnection);
        return TRUE;
    default:
        return FALSE;
    }
}
}   // namespace

void AlInterrumpir(QObject* padre, std::function<void()> accion) {
    gPadre = padre;
    gAccion = std::move(accion);
    SetConsoleCtrlHandler(AlControl, TRUE);
}

// Qt's Windows loop waits on the system's own events: nothing to change.
void BucleParaMuchos() {}

// A pipe whose reader has gone fails the write; no signal is raised.
void SeguirSinLector() {}

// Sockets have no per-process limit here; the C library's open files do
// (2,048 at most with msvcrt.dll, 8,192 with the universal runtime).
void AmpliarDescriptores() {
    if (_setmaxstdio(8192) == -1) _setmaxstdio(2048);
}

// Sockets, what a tool keeps open by the hundred, are not counted here.
long LimiteDescriptores() { return -1; }

}   // namespace Consola
