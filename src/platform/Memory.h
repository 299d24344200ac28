// SPDX-License-Identifier: MIT
#pragma once
// Memory the program has freed goes back to the system. The map's pictures
// are large (a view, a comparison's panes, stretched pieces: 0.4 to 16 MB
// each) and made and freed all the time; left to itself the C library raises
// the size from which it maps such blocks on their own after the first large
// one is freed, and later ones come from the heap, whose holes it keeps. The
// resident size of the window then grows far past what it holds.
namespace kavalo {

// Large blocks always get pages of their own, returned when freed. Called
// once at start-up, before the first picture.
void keepLargeBlocksMapped();

// Returns the heap's free pages to the system (while the window is idle).
void releaseFreedMemory();

// What the allocator holds: bytes in use, bytes free in its heaps, bytes in
// blocks mapped on their own (the log of compositions reports them).
struct AllocatorUse {
  long long inUse = 0;
  long long freeInHeaps = 0;
  long long mapped = 0;
};
AllocatorUse allocatorUse();

}  // namespace kavalo
