#include "platform/memory_reuse.h"

#include <cstdlib> // names the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quorbel {

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  // Blocks up to this size come from the heap, whose top is trimmed only past the second figure.
  constexpr int kHeapBlockLimit = 32 << 20;
  constexpr int kTrimAbove = 64 << 20;
  mallopt(M_MMAP_THRESHOLD, kHeapBlockLimit);
  mallopt(M_TRIM_THRESHOLD, kTrimAbove);
#endif
}

} // namespace quorbel
