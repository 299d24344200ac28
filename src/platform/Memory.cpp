#include "platform/Memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kavalo {

namespace {

// Blocks from this size on are mapped on their own: a 256 x 256 tile of
// 32-bit pixels and anything larger. Setting it fixes it (the library no
// longer raises it).
constexpr int kMappedFrom = 256 * 1024;
// The heap's top is given back once this much of it is free.
constexpr int kTrimFrom = 4 * 1024 * 1024;

}  // namespace

void keepLargeBlocksMapped() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, kMappedFrom);
  mallopt(M_TRIM_THRESHOLD, kTrimFrom);
#endif
}

void releaseFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace kavalo
