// While orvo.exe runs it holds a named mutex: the installer and the
// uninstaller look for it and refuse to replace files in use. The system
// releases it when the process ends, however it ends.
#include <windows.h>

namespace {
[[maybe_unused]] const HANDLE gEnEjecucion = CreateMutexW(nullptr, FALSE, L"Local\\OrvoEnEjecucion");
}   // namespace
