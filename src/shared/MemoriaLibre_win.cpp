// The C runtime's heap gives its free pages back to Windows.
#include "MemoriaLibre.h"
#include <malloc.h>

void DevolverMemoriaLibre() { _heapmin(); }
