// Timers and posted calls, shared by the hosts that are not Qt.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

namespace drum {

class EventQueue {
 public:
  using TimerId = std::uint64_t;

  TimerId addTimer(std::int64_t dueMicros, std::function<void()> fn);
  void cancelTimer(TimerId id);
  // Thread-safe.
  void post(std::function<void()> fn);

  // Runs posted calls and the timers due at `nowMicros`, in time order.
  // Returns how many ran. Calls queued while running wait for the next delivery.
  int deliver(std::int64_t nowMicros);

  std::optional<std::int64_t> nextDue() const;
  // Blocks (real time) until something is posted or `deadline` (steady clock) passes.
  void waitPosted(std::chrono::steady_clock::time_point deadline);

 private:
  struct Timer {
    TimerId id;
    std::function<void()> fn;
  };
  std::multimap<std::int64_t, Timer> timers_;  // UI thread only
  TimerId nextId_ = 1;
  mutable std::mutex mutex_;
  std::condition_variable posted_cv_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace drum
