#pragma once

// Memory freed by a large load stays with the allocator, counted in the
// program's resident memory, until the system asks for it back. After a long
// file has been read and compiled (many MB in many small blocks, freed amid
// blocks still held) it is handed back at once. Costs a walk over the heap:
// call it after a large step, never per key.
void DevolverMemoriaLibre();
