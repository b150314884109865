// Key events reach the program's key handlers through this gate, one at a
// time and in the order they happened. INKEY$ closes it behind the first key
// that leaves something in `keybuffer`: the events after it (above all that
// key's own release) wait for the next delivery instead of taking the text
// away before the program has read it. Everywhere else the gate stays open,
// so a key pressed and released during a speech or SOUND wait comes and goes
// as before.
#pragma once
#include <functional>

namespace drum {

// Runs `handler` now, after any events still waiting, or keeps it waiting
// while a KeyHold stops delivery.
void deliverKey(std::function<void()> handler);
// Runs the waiting events, as far as a KeyHold lets them.
void flushKeys();
// Events waiting behind a KeyHold.
bool keysWaiting();
// Drops the waiting events (a test starts afresh).
void dropWaitingKeys();

// While one lives, key delivery stops as soon as `stop()` is true; the
// events held back are delivered at the next event delivery after it ends.
// A handler that runs meanwhile is not held by it: a window or wait that it
// opens delivers its own keys.
class KeyHold {
 public:
  explicit KeyHold(std::function<bool()> stop);
  ~KeyHold();
  KeyHold(const KeyHold&) = delete;
  KeyHold& operator=(const KeyHold&) = delete;

 private:
  std::function<bool()> outer_;
};

}  // namespace drum
