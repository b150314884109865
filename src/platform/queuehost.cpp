#include "platform/queuehost.h"

#include "platform/cp1250.h"

namespace drum {

int QueueHost::deliver() {
  if (deliveryHook_) deliveryHook_();
  return queue_.deliver(nowMicros());
}

Host::TimerId QueueHost::startTimer(Millis delay, std::function<void()> callback) {
  return queue_.addTimer(nowMicros() + std::chrono::duration_cast<std::chrono::microseconds>(delay).count(),
                         std::move(callback));
}

void QueueHost::cancelTimer(TimerId id) { queue_.cancelTimer(id); }

void QueueHost::post(std::function<void()> fn) { queue_.post(std::move(fn)); }

void QueueHost::messageBox(const std::string& given) {
  const std::string text = escapeControls(given);
  showMessageBox(text);
  if (onMessageBox) onMessageBox(text);
}

void QueueHost::reportError(const std::string& given) {
  const std::string text = escapeControls(given);
  showError(text);
  if (onError) onError(text);
}

}  // namespace drum
