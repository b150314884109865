#include "platform/stopsignal.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace drum {

#ifdef __EMSCRIPTEN__
// A page has no signals: the browser ends it.
void blockStopSignals() {}
void catchStopSignals(Host&, std::function<void()>) {}
void sleepUnlessStopped(Millis duration) { std::this_thread::sleep_for(duration); }
#else
namespace {

std::mutex lock;
std::condition_variable woken;
bool stopped = false;  // under `lock`
std::function<void()> stopAction;
std::atomic<bool> ran{false};

void runStop() {
  if (ran.exchange(true)) return;
  if (stopAction) stopAction();
}

sigset_t stopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}

// A blocked mask survives fork and exec: a child we start (speech-dispatcher
// spawned by its library) would never end on SIGTERM.
void unblockInChild() {
  const sigset_t set = stopSignals();
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace

void blockStopSignals() {
  static const bool registered = pthread_atfork(nullptr, nullptr, unblockInChild) == 0;
  (void)registered;
  const sigset_t set = stopSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void catchStopSignals(Host& host, std::function<void()> stop) {
  stopAction = std::move(stop);
  blockStopSignals();
  const sigset_t set = stopSignals();
  std::thread([set] {
    int signal = 0;
    while (sigwait(&set, &signal) != 0) {
    }
    {
      std::lock_guard<std::mutex> hold(lock);
      stopped = true;
    }
    woken.notify_all();
    postToHost(runStop);
  }).detach();
}

void sleepUnlessStopped(Millis duration) {
  {
    std::unique_lock<std::mutex> hold(lock);
    if (!woken.wait_for(hold, duration, [] { return stopped; })) return;
  }
  runStop();
}
#endif

}  // namespace drum
