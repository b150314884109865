// A host on a virtual clock: time moves only when the program sleeps or waits,
// and scripted events fire at their virtual times. Tests and `drumrun --virtual`
// run on it, so a whole game is exact and repeatable and takes milliseconds.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/eventqueue.h"
#include "platform/host.h"

namespace drum {

struct ProcessTerminated {
  int status;
};

class VirtualHost : public Host {
 public:
  // `start` is the local time at virtual time 0.
  explicit VirtualHost(std::tm start = defaultStart());
  static std::tm defaultStart();  // 12:00:00 on 1 January 2026

  void processEvents() override;
  void waitForEvents(Millis timeout) override;
  void sleep(Millis duration) override;
  std::int64_t nowMicros() override { return now_; }
  std::tm localTime() override;
  TimerId startTimer(Millis delay, std::function<void()> callback) override;
  void cancelTimer(TimerId id) override;
  void post(std::function<void()> fn) override;
  void messageBox(const std::string& text) override;
  void reportError(const std::string& text) override;
  [[noreturn]] void terminate(int status) override;  // throws ProcessTerminated

  // A scripted event at virtual time `atMicros` (from the start).
  void schedule(std::int64_t atMicros, std::function<void()> fn);
  // Runs whenever the clock moves (a virtual sound device renders here).
  void addClockListener(std::function<void(std::int64_t nowMicros)> fn);
  // Runs at the start of every event delivery (drumrun hands out script keys here).
  void setDeliveryHook(std::function<void()> fn) { deliveryHook_ = std::move(fn); }
  // Moves the clock forward, as a sleep does.
  void advance(std::int64_t micros);

  const std::vector<std::string>& messageBoxes() const { return messageBoxes_; }
  const std::vector<std::string>& errors() const { return errors_; }
  std::function<void(const std::string&)> onMessageBox;
  std::function<void(const std::string&)> onError;

  // How many times waitForEvents found nothing at all to do (a test can tell a
  // wait that would hang forever from one that is making progress).
  int idleWaits() const { return idleWaits_; }

 private:
  int deliver();
  std::int64_t now_ = 0;
  std::tm start_;
  EventQueue queue_;
  std::vector<std::function<void(std::int64_t)>> clockListeners_;
  std::function<void()> deliveryHook_;
  std::vector<std::string> messageBoxes_;
  std::vector<std::string> errors_;
  int idleWaits_ = 0;
};

}  // namespace drum
