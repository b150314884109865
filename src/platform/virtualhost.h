// A host on a virtual clock: time moves only when the program sleeps or waits,
// and scripted events fire at their virtual times. Tests and `drumrun --virtual`
// run on it, so a whole game is exact and repeatable and takes milliseconds.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/queuehost.h"

namespace drum {

struct ProcessTerminated {
  int status;
};

class VirtualHost : public QueueHost {
 public:
  // `start` is the local time at virtual time 0.
  explicit VirtualHost(std::tm start = defaultStart());
  ~VirtualHost() override { retire(); }
  static std::tm defaultStart();  // 12:00:00 on 1 January 2026

  void waitForEvents(Millis timeout) override;
  void sleep(Millis duration) override;
  std::int64_t nowMicros() override { return now_; }
  std::tm localTime() override;
  [[noreturn]] void terminate(int status) override;  // throws ProcessTerminated

  // A scripted event at virtual time `atMicros` (from the start).
  void schedule(std::int64_t atMicros, std::function<void()> fn);
  // Runs whenever the clock moves (a virtual sound device renders here).
  void addClockListener(std::function<void(std::int64_t nowMicros)> fn);
  // Moves the clock forward, as a sleep does.
  void advance(std::int64_t micros);

  const std::vector<std::string>& messageBoxes() const { return messageBoxes_; }
  const std::vector<std::string>& errors() const { return errors_; }

  // How many times waitForEvents found nothing at all to do (a test can tell a
  // wait that would hang forever from one that is making progress).
  int idleWaits() const { return idleWaits_; }

 protected:
  // Kept, for a test to read.
  void showMessageBox(const std::string& text) override { messageBoxes_.push_back(text); }
  void showError(const std::string& text) override { errors_.push_back(text); }

 private:
  std::int64_t now_ = 0;
  std::tm start_;
  std::vector<std::function<void(std::int64_t)>> clockListeners_;
  std::vector<std::string> messageBoxes_;
  std::vector<std::string> errors_;
  int idleWaits_ = 0;
};

}  // namespace drum
