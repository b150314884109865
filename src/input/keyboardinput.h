// Key events as the window system reports them, before the key handlers:
// which keys are down, which presses are the keyboard's auto-repeat, and
// which events are the main window's. Every event goes through the key gate
// (runtime/keygate.h), so the held keys always match the events the
// handlers have seen so far.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "input/keycodes.h"
#include "platform/host.h"

namespace drum {

struct KeyEvent {
  // Who the window system gives the key to. The main window's keys go to
  // its handlers (the key preview); a menu that owns the keyboard (the menu
  // bar in keyboard mode, an open menu) and other windows keep theirs.
  enum class Receiver { MainWindow, Menu, Other };

  int key = 0;  // virtual-key code, 0 for a key unknown
  ShiftState shift;
  std::optional<char> typed;   // the character a press types, if any
  std::uint64_t timestamp = 0;  // the window system's, in ms; 0 when it gives none
  bool autorepeat = false;      // the window system says it is the keyboard's repeat
  // When the key reached the program, on the host's clock, for a press
  // delivered later than that (-1: as it is delivered).
  std::int64_t pressedAt = -1;
  Receiver receiver = Receiver::MainWindow;
};

// Whether the latest key press delivered was the keyboard repeating a key
// already down (a window that reads chords itself must not form a new one).
bool lastKeyPressRepeated();
// When the press being handled reached the program (the host's clock), for
// one delivered late; -1 for a press handled as it comes.
std::int64_t keyPressedAt();

class KeyboardInput : public KeyState {
 public:
  ~KeyboardInput() override;

  void press(const KeyEvent& event);
  void release(const KeyEvent& event);
  bool isKeyDown(int virtualKey) const override;
  // Every key up at once (the application lost the focus and will not hear
  // the releases).
  void clear();

  // Runs each key handler (the desktop reports an error that ends one).
  std::function<void(const std::function<void()>&)> runhandler;

  // How long a release waits for a press of the same key with the same
  // timestamp: such a pair is the keyboard's repeat, not the key let go.
  static constexpr Millis kRepeatPairWait{5};

 private:
  void settle();
  void deliverrelease(const KeyEvent& event);
  void run(const std::function<void()>& fn);

  std::uint64_t held_[4] = {};  // a bit per virtual-key code
  std::optional<KeyEvent> releasing_;
  std::optional<Host::TimerId> releasetimer_;
};

}  // namespace drum
