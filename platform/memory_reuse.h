// How the process keeps the memory it frees.
#pragma once

namespace quorbel {

// Keeps freed blocks, large ones included, for the next allocations instead of handing them back
// to the system: a generation builds and frees megabytes of grids for each puzzle, and memory
// taken back from the system costs a page fault a page on its first touch. Call once at start-up.
void KeepFreedMemoryForReuse();

} // namespace quorbel
