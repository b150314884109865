// A host on the real clock without a window system: drumrun in a terminal,
// and tests that need real audio or a real speech engine.
#pragma once
#include <functional>
#include <string>

#include "platform/eventqueue.h"
#include "platform/host.h"

namespace drum {

class RealHost : public Host {
 public:
  RealHost();
  void processEvents() override;
  void waitForEvents(Millis timeout) override;
  void sleep(Millis duration) override;
  std::int64_t nowMicros() override;
  std::tm localTime() override;
  TimerId startTimer(Millis delay, std::function<void()> callback) override;
  void cancelTimer(TimerId id) override;
  void post(std::function<void()> fn) override;
  void messageBox(const std::string& text) override;
  void reportError(const std::string& text) override;
  [[noreturn]] void terminate(int status) override;

  // Runs at the start of every event delivery (drumrun polls the terminal here).
  void setDeliveryHook(std::function<void()> fn) { deliveryHook_ = std::move(fn); }
  // Shown instead of the default (UTF-8 on standard error).
  std::function<void(const std::string&)> onMessageBox;
  std::function<void(const std::string&)> onError;
  // Runs before the process ends (restore the terminal, flush the transcript).
  std::function<void()> beforeTerminate;

 private:
  int deliver();
  std::chrono::steady_clock::time_point epoch_;
  EventQueue queue_;
  std::function<void()> deliveryHook_;
};

}  // namespace drum
