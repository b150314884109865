#include "platform/windows/qthost.h"

#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <new>
#include <thread>

#include "platform/clock.h"
#include "platform/error.h"
#include "platform/windows/qtext.h"

namespace drum {

namespace {

const std::int64_t epoch = monoMicros();

}  // namespace

QtHost::QtHost() = default;

QtHost::~QtHost() {
  retire();
  for (auto& [id, timer] : timers_) delete timer;
}

void QtHost::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtHost::waitForEvents(Millis timeout) {
  // A timer of our own bounds the wait: the event loop sleeps until either a
  // real event or this timer wakes it.
  QTimer bound;
  bound.setSingleShot(true);
  bound.setTimerType(Qt::PreciseTimer);
  bound.start(static_cast<int>(std::min<Millis::rep>(timeout.count(), INT32_MAX)));
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtHost::sleep(Millis duration) { std::this_thread::sleep_for(duration); }

std::int64_t QtHost::nowMicros() { return monoMicros() - epoch; }

std::tm QtHost::localTime() { return localNow(); }

Host::TimerId QtHost::startTimer(Millis delay, std::function<void()> callback) {
  const TimerId id = nextTimer_++;
  auto* timer = new QTimer(this);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  connect(timer, &QTimer::timeout, this, [this, id, callback = std::move(callback)] {
    // The timer is gone before its callback runs: the callback may start or
    // cancel timers, this one included.
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    it->second->deleteLater();
    timers_.erase(it);
    guarded(callback);
  });
  timers_[id] = timer;
  timer->start(static_cast<int>(std::clamp<Millis::rep>(delay.count(), 0, INT32_MAX)));
  return id;
}

void QtHost::cancelTimer(TimerId id) {
  const auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second->deleteLater();
  timers_.erase(it);
}

void QtHost::post(std::function<void()> fn) {
  QMetaObject::invokeMethod(
      this, [fn = std::move(fn)] { guarded(fn); }, Qt::QueuedConnection);
}

void QtHost::showBox(int icon, const std::string& text) {
  QWidget* parent = QApplication::activeWindow() ? QApplication::activeWindow() : mainwindow_.data();
  QMessageBox box(static_cast<QMessageBox::Icon>(icon),
                  mainwindow_ ? mainwindow_->windowTitle() : QApplication::applicationName(), qtext(text),
                  QMessageBox::Ok, parent);
  box.setAccessibleName(box.windowTitle());
  if (messageboxhook_) messageboxhook_(box);
  box.exec();
}

void QtHost::messageBox(const std::string& text) { showBox(QMessageBox::NoIcon, text); }

void QtHost::reportError(const std::string& text) { showBox(QMessageBox::Critical, text); }

void QtHost::terminate(int status) { exitNow(status); }

bool guarded(const std::function<void()>& fn) {
  try {
    fn();
    return true;
  } catch (const Error& e) {
    host().reportError(e.what());
  } catch (const std::bad_alloc&) {
    host().reportError("Out of memory");
  } catch (const std::exception& e) {
    // Library errors speak UTF-8 (or plain ASCII).
    host().reportError(utf8ToCp1250(e.what()));
  }
  return false;
}

}  // namespace drum
