// The browser's host: the page's main thread, which the core shares with
// the browser. Every wait yields to the browser (Asyncify), so the page never
// freezes; the events the page posted (keys, menu commands, dialog values)
// are taken whenever events are delivered, never by a call into the module;
// and the sound output and the voice's synthesis are fed each time the host
// runs, since no thread of their own exists.
#pragma once
#include <functional>

#include "platform/queuehost.h"

namespace drum {

class WebHost : public QueueHost {
 public:
  WebHost();
  ~WebHost() override;
  void processEvents() override;
  void waitForEvents(Millis timeout) override;
  // No events are delivered, but the browser runs and the sound goes on.
  void sleep(Millis duration) override;
  std::int64_t nowMicros() override;
  std::tm localTime() override;
  // Tells the page the program has ended, then waits for nothing ever after.
  [[noreturn]] void terminate(int status) override;

  // Handles the page's current event (page::text() ... read it).
  std::function<void()> onPageEvent;

 protected:
  void showMessageBox(const std::string& text) override;
  void showError(const std::string& text) override;

 private:
  void feed();
  int taken_ = 0;  // page events handled so far
};

}  // namespace drum
