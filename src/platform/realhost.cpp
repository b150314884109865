#include "platform/realhost.h"

#include <cstdio>
#include <thread>

#include "platform/clock.h"
#include "platform/cp1250.h"
#include "platform/stopsignal.h"

namespace drum {

RealHost::RealHost() : epoch_(monoMicros()) {}

void RealHost::waitForEvents(Millis timeout) {
  if (deliver() > 0) return;
  const auto now = std::chrono::steady_clock::now();
  auto deadline = now + timeout;
  if (const auto due = queue_.nextDue()) {
    const auto dueAt = now + std::chrono::microseconds(*due - nowMicros());
    if (dueAt < deadline) deadline = dueAt;
  }
  queue_.waitPosted(deadline);
  deliver();
}

void RealHost::sleep(Millis duration) { sleepUnlessStopped(duration); }

std::int64_t RealHost::nowMicros() { return monoMicros() - epoch_; }

std::tm RealHost::localTime() { return localNow(); }

void RealHost::showMessageBox(const std::string& text) {
  if (!onMessageBox) std::fprintf(stderr, "%s\n", cp1250ToUtf8(text).c_str());
}

void RealHost::showError(const std::string& text) {
  if (!onError) std::fprintf(stderr, "error: %s\n", cp1250ToUtf8(text).c_str());
}

void RealHost::terminate(int status) {
  if (beforeTerminate) beforeTerminate();
  exitNow(status);
}

}  // namespace drum
