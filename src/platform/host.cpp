#include "platform/host.h"

#include <cassert>

namespace drum {
namespace {
Host* current = nullptr;
}

Host& host() {
  assert(current && "no Host installed");
  return *current;
}

void setHost(Host* h) { current = h; }

}  // namespace drum
