#include "platform/host.h"

#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <mutex>
#include <vector>

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

// Guards `current` against threads posting through postToHost. Never
// destroyed: such a thread may still post while the process ends.
std::mutex& currentLock() {
  static auto* lock = new std::mutex;
  return *lock;
}
}  // namespace

Host::~Host() { retire(); }

void Host::retire() {
  std::lock_guard guard(currentLock());
  if (current == this) current = nullptr;
}

Host& host() {
  assert(current && "no Host installed");
  return *current;
}

void setHost(Host* h) {
  std::lock_guard guard(currentLock());
  current = h;
}

bool postToHost(std::function<void()> fn) {
  std::lock_guard guard(currentLock());
  if (!current) return false;
  current->post(std::move(fn));
  return true;
}

namespace {
std::vector<void (*)()>& exitSteps() {
  static auto* steps = new std::vector<void (*)()>;
  return *steps;
}
}  // namespace

void addExitStep(void (*step)()) {
  auto& steps = exitSteps();
  if (std::find(steps.begin(), steps.end(), step) == steps.end()) steps.push_back(step);
}

void exitNow(int status) {
  auto& steps = exitSteps();
  while (!steps.empty()) {
    void (*step)() = steps.back();
    steps.pop_back();
    step();
  }
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
