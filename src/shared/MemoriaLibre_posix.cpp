// glibc keeps freed pages until told; other C libraries hand them back by themselves.
#include "MemoriaLibre.h"
#include <cstdlib>   // defines __GLIBC__ where it applies
#ifdef __GLIBC__
#include <malloc.h>
#endif

void DevolverMemoriaLibre() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
