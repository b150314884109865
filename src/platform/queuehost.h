// The part of a host that is the same on the real and the virtual clock:
// timers and posted calls in an EventQueue, a hook at every delivery, and
// message boxes and error reports that a front end may take over.
#pragma once
#include <functional>
#include <string>

#include "platform/eventqueue.h"
#include "platform/host.h"

namespace drum {

class QueueHost : public Host {
 public:
  void processEvents() override { deliver(); }
  TimerId startTimer(Millis delay, std::function<void()> callback) override;
  void cancelTimer(TimerId id) override;
  void post(std::function<void()> fn) override;
  void messageBox(const std::string& text) override;
  void reportError(const std::string& text) override;

  // Runs at the start of every event delivery (drumrun polls the terminal or
  // hands out script keys here).
  void setDeliveryHook(std::function<void()> fn) { deliveryHook_ = std::move(fn); }
  // Shown instead of the host's own way.
  std::function<void(const std::string&)> onMessageBox;
  std::function<void(const std::string&)> onError;

 protected:
  // Runs the hook, the posted calls and the due timers; returns how many ran.
  int deliver();
  // A box or a report that no front end took; Windows-1250.
  virtual void showMessageBox(const std::string& text) = 0;
  virtual void showError(const std::string& text) = 0;

  EventQueue queue_;

 private:
  std::function<void()> deliveryHook_;
};

}  // namespace drum
