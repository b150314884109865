// Counts the calling thread's calls on the allocator (operator new and
// delete): what a real-time thread must not make, as either may wait for
// the allocator's lock. Linked into the runtime tests only.
#pragma once

namespace drum {

void startCountingAllocations();
// How many allocations and frees since startCountingAllocations on this thread.
long stopCountingAllocations();

}  // namespace drum
