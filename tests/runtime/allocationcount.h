// Counts the allocations (operator new) of the calling thread: what a
// real-time thread must not do. Linked into the runtime tests only.
#pragma once

namespace drum {

void startCountingAllocations();
// How many since startCountingAllocations on this thread.
long stopCountingAllocations();

}  // namespace drum
