#include "platform/realhost.h"

#include <unistd.h>

#include <cstdio>
#include <thread>

#include "platform/cp1250.h"

namespace drum {

RealHost::RealHost() : epoch_(std::chrono::steady_clock::now()) {}

int RealHost::deliver() {
  if (deliveryHook_) deliveryHook_();
  return queue_.deliver(nowMicros());
}

void RealHost::processEvents() { deliver(); }

void RealHost::waitForEvents(Millis timeout) {
  if (deliver() > 0) return;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  if (const auto due = queue_.nextDue()) {
    const auto dueAt = epoch_ + std::chrono::microseconds(*due);
    if (dueAt < deadline) deadline = dueAt;
  }
  queue_.waitPosted(deadline);
  deliver();
}

void RealHost::sleep(Millis duration) { std::this_thread::sleep_for(duration); }

std::int64_t RealHost::nowMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - epoch_)
      .count();
}

std::tm RealHost::localTime() {
  const std::time_t t = std::time(nullptr);
  std::tm out{};
  localtime_r(&t, &out);
  return out;
}

Host::TimerId RealHost::startTimer(Millis delay, std::function<void()> callback) {
  return queue_.addTimer(nowMicros() + std::chrono::duration_cast<std::chrono::microseconds>(delay).count(),
                         std::move(callback));
}

void RealHost::cancelTimer(TimerId id) { queue_.cancelTimer(id); }

void RealHost::post(std::function<void()> fn) { queue_.post(std::move(fn)); }

void RealHost::messageBox(const std::string& text) {
  if (onMessageBox) return onMessageBox(text);
  std::fprintf(stderr, "%s\n", cp1250ToUtf8(text).c_str());
}

void RealHost::reportError(const std::string& text) {
  if (onError) return onError(text);
  std::fprintf(stderr, "error: %s\n", cp1250ToUtf8(text).c_str());
}

void RealHost::terminate(int status) {
  if (beforeTerminate) beforeTerminate();
  // Not fflush(nullptr): it waits for the lock of every stream, and the speech
  // service's reader thread holds one for as long as it waits on its socket.
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(status);
}

}  // namespace drum
