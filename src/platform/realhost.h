// A host on the real clock without a window system: drumrun in a terminal,
// and tests that need real audio or a real speech engine.
#pragma once
#include <functional>
#include <string>

#include "platform/queuehost.h"

namespace drum {

class RealHost : public QueueHost {
 public:
  RealHost();
  ~RealHost() override { retire(); }
  void waitForEvents(Millis timeout) override;
  void sleep(Millis duration) override;
  std::int64_t nowMicros() override;
  std::tm localTime() override;
  [[noreturn]] void terminate(int status) override;

  // Runs before the process ends (restore the terminal, flush the transcript).
  std::function<void()> beforeTerminate;

 protected:
  // UTF-8 on standard error, unless a front end took them.
  void showMessageBox(const std::string& text) override;
  void showError(const std::string& text) override;

 private:
  std::int64_t epoch_;
};

}  // namespace drum
