#include "platform/virtualhost.h"

#include <algorithm>

namespace drum {

std::tm VirtualHost::defaultStart() {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 0;
  t.tm_mday = 1;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  return t;
}

VirtualHost::VirtualHost(std::tm start) : start_(start) {}

void VirtualHost::waitForEvents(Millis timeout) {
  if (deliver() > 0) return;
  const std::int64_t deadline = now_ + std::chrono::duration_cast<std::chrono::microseconds>(timeout).count();
  const auto due = queue_.nextDue();
  if (due && *due <= deadline) {
    advance(std::max<std::int64_t>(*due - now_, 0));
  } else {
    ++idleWaits_;
    advance(deadline - now_);
  }
  deliver();
}

void VirtualHost::sleep(Millis duration) {
  advance(std::chrono::duration_cast<std::chrono::microseconds>(duration).count());
}

void VirtualHost::advance(std::int64_t micros) {
  if (micros <= 0) return;
  now_ += micros;
  for (auto& fn : clockListeners_) fn(now_);
}

std::tm VirtualHost::localTime() {
  std::tm t = start_;
  t.tm_sec += static_cast<int>(now_ / 1000000);
  std::mktime(&t);  // normalises the fields
  return t;
}

void VirtualHost::schedule(std::int64_t atMicros, std::function<void()> fn) {
  queue_.addTimer(atMicros, std::move(fn));
}

void VirtualHost::addClockListener(std::function<void(std::int64_t)> fn) {
  clockListeners_.push_back(std::move(fn));
}

void VirtualHost::terminate(int status) { throw ProcessTerminated{status}; }

}  // namespace drum
