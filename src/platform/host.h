// The window system as the core sees it. The core never talks to Qt, a
// terminal or the clock directly: it goes through the current Host, so a whole
// game can run on a virtual clock in a test, in a terminal, or in a window.
#pragma once
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

namespace drum {

using Millis = std::chrono::milliseconds;

class Host {
 public:
  using TimerId = std::uint64_t;
  // A host that ends while it is the one in force is no longer in force.
  virtual ~Host();

  // Deliver every event that is pending now (keys, timers, posted calls), then return.
  virtual void processEvents() = 0;
  // Block until at least one event has been delivered or `timeout` has passed.
  // Used by every wait that has nothing to do but wait, so nothing spins.
  virtual void waitForEvents(Millis timeout) = 0;
  // Plain sleep: no events are delivered meanwhile.
  virtual void sleep(Millis duration) = 0;

  // Monotonic clock, microseconds since an arbitrary start.
  virtual std::int64_t nowMicros() = 0;
  // Local wall-clock time (TIME$, greetings).
  virtual std::tm localTime() = 0;

  // One-shot timer: `callback` runs on the UI thread, from event delivery,
  // once `delay` has passed, unless cancelled first.
  virtual TimerId startTimer(Millis delay, std::function<void()> callback) = 0;
  virtual void cancelTimer(TimerId id) = 0;

  // Runs `fn` on the UI thread at the next event delivery and wakes a
  // waitForEvents in progress. Thread-safe on a host that lives; another
  // thread reaches the host through postToHost, never through host().
  virtual void post(std::function<void()> fn) = 0;

  // A modal message box; `text` is Windows-1250. Returns when it is closed.
  virtual void messageBox(const std::string& text) = 0;
  // The standard error report: an error that ended a command. Windows-1250.
  virtual void reportError(const std::string& text) = 0;

  // End the process at once (after whatever had to be saved was saved).
  [[noreturn]] virtual void terminate(int status) = 0;

 protected:
  // The first thing every concrete host's destructor does: from then on
  // postToHost no longer finds it, so no thread posts into a queue that is
  // being torn down (~Host comes only after the derived members are gone).
  void retire();
};

// Ends the process at once with `status`, after flushing our own output
// streams. Not fflush(nullptr): it waits for the lock of every stream, and the
// speech service's reader thread holds one while it waits on its socket.
[[noreturn]] void exitNow(int status);
// A step exitNow takes before the process ends (each once, the last added
// first): what the process started outside itself and must not leave behind.
void addExitStep(void (*step)());

// The host in force for the whole process (set once by main, or by a test).
// For the UI thread only: it reads the host without a lock, and a host may
// be replaced or end meanwhile. Any other thread uses postToHost.
Host& host();
void setHost(Host* h);

// Thread-safe: posts `fn` to the host in force, if there is one; false when
// there is none. The way every thread other than the UI thread reaches it:
// what such a thread posts never reaches a host that was replaced or is ending.
bool postToHost(std::function<void()> fn);

}  // namespace drum
