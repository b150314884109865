#include "platform/host.h"

#include <unistd.h>

#include <cassert>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
#define DRUM_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define DRUM_LEAK_CHECK 1
#endif
#endif
#ifdef DRUM_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace drum {
namespace {
Host* current = nullptr;
}

Host& host() {
  assert(current && "no Host installed");
  return *current;
}

void setHost(Host* h) { current = h; }

void exitNow(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
#ifdef DRUM_LEAK_CHECK
  // _exit skips the leak check of a normal exit: it is made here. A leak
  // ends the process with the sanitizer's status.
  __lsan_do_leak_check();
#endif
  _exit(status);
}

}  // namespace drum
