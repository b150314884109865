#include "platform/eventqueue.h"

#include <vector>

namespace drum {

EventQueue::TimerId EventQueue::addTimer(std::int64_t dueMicros, std::function<void()> fn) {
  const TimerId id = nextId_++;
  timers_.emplace(dueMicros, Timer{id, std::move(fn)});
  return id;
}

void EventQueue::cancelTimer(TimerId id) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.id == id) {
      timers_.erase(it);
      return;
    }
  }
}

void EventQueue::post(std::function<void()> fn) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(fn));
  }
  posted_cv_.notify_all();
}

int EventQueue::deliver(std::int64_t nowMicros) {
  std::deque<std::function<void()>> calls;
  {
    std::lock_guard lock(mutex_);
    calls.swap(posted_);
  }
  int ran = 0;
  for (auto& fn : calls) {
    fn();
    ++ran;
  }
  // Take the due timers first: a callback may add or cancel timers.
  std::vector<std::function<void()>> due;
  while (!timers_.empty() && timers_.begin()->first <= nowMicros) {
    due.push_back(std::move(timers_.begin()->second.fn));
    timers_.erase(timers_.begin());
  }
  for (auto& fn : due) {
    fn();
    ++ran;
  }
  return ran;
}

std::optional<std::int64_t> EventQueue::nextDue() const {
  if (timers_.empty()) return std::nullopt;
  return timers_.begin()->first;
}

void EventQueue::waitPosted(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  posted_cv_.wait_until(lock, deadline, [this] { return !posted_.empty(); });
}

}  // namespace drum
