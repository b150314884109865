// The Host on Qt: the desktop program's event loop, timers, message boxes and
// the standard error report. Waits block in the event loop, so a program that
// waits for a key uses no processor time.
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "platform/host.h"

class QDialog;
class QTimer;

namespace drum {

class QtHost : public QObject, public Host {
  Q_OBJECT
 public:
  QtHost();
  ~QtHost() override;

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

  // The window whose caption titles message boxes and which they are centred on.
  void setMainWindow(QWidget* window) { mainwindow_ = window; }
  // Called with every message box (the error report's too) before it is shown.
  void setMessageBoxHook(std::function<void(QDialog&)> hook) { messageboxhook_ = std::move(hook); }

 private:
  // A modal box over the active window, titled with the main window's caption.
  void showBox(int icon, const std::string& text);

  QPointer<QWidget> mainwindow_;
  std::function<void(QDialog&)> messageboxhook_;
  std::map<TimerId, QTimer*> timers_;
  TimerId nextTimer_ = 1;
};

// Runs `fn` as an event handler or a command: an error that ends it is shown
// by the standard error report and goes no further, so no exception ever
// crosses the event loop. Returns false when `fn` ended with an error.
bool guarded(const std::function<void()>& fn);

}  // namespace drum
