#include "platform/host.h"

#include <unistd.h>

#include <cassert>
#include <cstdio>

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
  _exit(status);
}

}  // namespace drum
