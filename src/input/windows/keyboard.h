// Keys as the logic wants them: virtual-key codes, the shift state, the
// character a key types, and "is this key down now". An event filter on the
// application sees every key event once, as it arrives at its window, before
// any control: it keeps the set of held keys and gives the main window's keys
// to the chord keyboard (the "key preview").
#pragma once
#include <QObject>
#include <QPointer>
#include <bitset>
#include <deque>
#include <functional>
#include <optional>

#include "input/keyboardinput.h"
#include "input/keycodes.h"

class QKeyEvent;
class QWidget;

namespace drum {

// The virtual-key code of a key event. The six dot keys and Space are known
// by their place on the keyboard (the native scan code, an X11/Wayland
// keycode = evdev code + 8), whatever the layout prints on them; other keys by
// what they are, and by place where that says nothing. A keyboard whose
// keymap numbers its keys otherwise (platform/windows/keymap.h) is read by
// what its keys are alone. 0 for a key unknown.
int virtualKey(const QKeyEvent& event);
ShiftState shiftState(const QKeyEvent& event);
// The character the key types, in Windows-1250, if it types one.
std::optional<char> typedCharacter(const QKeyEvent& event);

class KeyPreview : public QObject {
  Q_OBJECT
 public:
  // `window`'s key events go to FormKeyDown, FormKeyPress and FormKeyUp.
  explicit KeyPreview(QWidget* window);
  ~KeyPreview() override;

  bool isKeyDown(int virtualKey) const { return input_.isKeyDown(virtualKey); }
  void clear() {
    input_.clear();
    taken_.reset();
  }

  // Keys the main window takes for itself: handled, then withheld from its
  // controls and from everyone else watching the keyboard.
  void setTakes(std::function<bool(const QKeyEvent&)> takes) { takes_ = std::move(takes); }
  // The application's first look at an event, before any event filter: the
  // accessibility bridge's filter holds every key until the screen reader has
  // answered (up to 100 ms), and a key taken here need not wait for that.
  // True when the event was taken.
  static bool previewFirst(QObject* receiver, QEvent* event);

  // Whom the window system gives a key event that arrives at `window` now.
  KeyEvent::Receiver receiver(QObject* window) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  KeyEvent keyEvent(QObject* window, const QKeyEvent& key) const;
  bool take(QObject* window, const QEvent& event);
  void press(KeyEvent e, const QKeyEvent& key);

  // Presses as they came from the window system. A screen reader's bridge
  // holds a press and sends a copy later (without the window system's
  // timestamp); the copy gets the time its original arrived.
  struct Arrival {
    int key;
    quint32 scanCode;
    std::int64_t at;
  };
  std::deque<Arrival> arrivals_;

  QPointer<QWidget> window_;
  KeyboardInput input_;
  std::bitset<256> taken_;
  std::function<bool(const QKeyEvent&)> takes_;
};

// Asks the X server not to send the keyboard's repeat as release and press
// pairs: a held key then repeats as presses alone. False when the platform
// is not X11 or the server cannot.
bool detectableAutoRepeat();

}  // namespace drum
