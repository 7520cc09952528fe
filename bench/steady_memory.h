#pragma once

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace sublumo::bench {

// The allocator keeps what a benchmark frees and hands it out again, whatever ran before.
// Left to itself, glibc moves its threshold for mapping large blocks after each free of one
// and returns memory to the system as it sees fit, so a benchmark pays for first-touched pages
// or not depending on its company: the same open of a large database measured five times
// slower alone than in a full run. Called once, before the first benchmark.
inline void keepFreedMemory() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);  // the largest it takes; fixed from now on
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
#endif
}

// Hands the memory the allocator keeps back to the system, so that the next allocations touch
// fresh pages as a program just started does.
inline void returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace sublumo::bench
