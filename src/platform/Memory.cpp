// SPDX-License-Identifier: MIT
#include "platform/Memory.h"

// Any header of the C library tells whether it is glibc.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kavalo {

namespace {

// Blocks from this size on are mapped on their own: every decoded tile (a
// 256 x 256 palette tile, kept at a byte a pixel, is 64 KiB) and anything
// larger, so that the pictures the cache lets go are given back at once
// instead of leaving holes in the heap. Setting it fixes it (the library no
// longer raises it).
constexpr int kMappedFrom = 64 * 1024;
// Heaps shared by all threads.
constexpr int kArenas = 2;
// The heap's top is given back once this much of it is free.
constexpr int kTrimFrom = 4 * 1024 * 1024;

}  // namespace

void keepLargeBlocksMapped() {
#if defined(__GLIBC__)
  // The decoding threads would each get a heap of their own (up to eight
  // per core) whose freed holes are kept apart from the others'.
  mallopt(M_ARENA_MAX, kArenas);
  mallopt(M_MMAP_THRESHOLD, kMappedFrom);
  mallopt(M_TRIM_THRESHOLD, kTrimFrom);
#endif
}

void releaseFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

AllocatorUse allocatorUse() {
  AllocatorUse use;
#if defined(__GLIBC__)
  const struct mallinfo2 info = mallinfo2();
  use.inUse = static_cast<long long>(info.uordblks + info.hblkhd);
  use.freeInHeaps = static_cast<long long>(info.fordblks);
  use.mapped = static_cast<long long>(info.hblkhd);
#endif
  return use;
}

}  // namespace kavalo
