// Keys as the logic wants them: virtual-key codes, the shift state, the
// character a key types, and "is this key down now". An event filter on the
// application sees every key event once, as it arrives at its window, before
// any control: it keeps the set of held keys and gives the main window's keys
// to the chord keyboard (the "key preview").
#pragma once
#include <QObject>
#include <QPointer>
#include <bitset>
#include <optional>

#include "input/keycodes.h"

class QKeyEvent;
class QWidget;

namespace drum {

// The virtual-key code of a key event. The six dot keys and Space are known
// by their place on the keyboard (the native scan code, an X11/Wayland
// keycode = evdev code + 8), whatever the layout prints on them; other keys by
// what they are, and by place where that says nothing. 0 for a key unknown.
int virtualKey(const QKeyEvent& event);
ShiftState shiftState(const QKeyEvent& event);
// The character the key types, in Windows-1250, if it types one.
std::optional<char> typedCharacter(const QKeyEvent& event);

class KeyPreview : public QObject, public KeyState {
  Q_OBJECT
 public:
  // `window`'s key events go to FormKeyDown, FormKeyPress and FormKeyUp.
  explicit KeyPreview(QWidget* window);
  ~KeyPreview() override;

  bool isKeyDown(int virtualKey) const override;
  void clear() { held_.reset(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void pressed(QObject* receiver, const QKeyEvent& event);
  void released(QObject* receiver, const QKeyEvent& event);
  bool previewed(QObject* receiver) const;

  QPointer<QWidget> window_;
  std::bitset<256> held_;
};

}  // namespace drum
