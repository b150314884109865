#include "allocationcount.h"

#include <cstdlib>
#include <new>

namespace {
thread_local long counted = -1;  // counting when >= 0
}

void* operator new(std::size_t size) {
  if (counted >= 0) ++counted;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  if (p && counted >= 0) ++counted;
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace drum {

void startCountingAllocations() { counted = 0; }

long stopCountingAllocations() {
  const long n = counted;
  counted = -1;
  return n;
}

}  // namespace drum
