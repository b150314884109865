#include "input/windows/keyboard.h"

#include <algorithm>
#include <iterator>

#include <QApplication>
#include <QMenuBar>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include "input/chordkeyboard.h"
#include "platform/cp1250.h"
#include "platform/windows/keymap.h"
#include "platform/windows/qthost.h"

#ifdef DRUM_X11
#include <X11/XKBlib.h>
#undef KeyPress
#undef KeyRelease
#undef None
#endif

namespace drum {

namespace {

// Evdev codes of the keys that are known by their place.
int byposition(quint32 scancode) {
  if (scancode < 8) return 0;
  const quint32 code = scancode - 8;
  switch (code) {
    case 57: return vk::Space;
    case 33: return vk::F;
    case 32: return vk::D;
    case 31: return vk::S;
    case 36: return vk::J;
    case 37: return vk::K;
    case 38: return vk::L;
    default: return 0;
  }
}

// The main block of a PC keyboard by place, as the usual layouts code it.
int mainBlock(quint32 scancode) {
  if (scancode < 8) return 0;
  const quint32 code = scancode - 8;
  if (code >= 2 && code <= 10) return '1' + static_cast<int>(code - 2);
  static const char qwerty[] = "QWERTYUIOP";
  static const char asdf[] = "ASDFGHJKL";
  static const char zxcv[] = "ZXCVBNM";
  if (code >= 16 && code <= 25) return qwerty[code - 16];
  if (code >= 30 && code <= 38) return asdf[code - 30];
  if (code >= 44 && code <= 50) return zxcv[code - 44];
  switch (code) {
    case 11: return '0';
    case 12: return vk::OemMinus;
    case 13: return vk::OemPlus;
    case 26: return vk::Oem4;
    case 27: return vk::Oem6;
    case 39: return vk::Oem1;
    case 40: return vk::Oem7;
    case 41: return vk::Oem3;
    case 43: return vk::Oem5;
    case 51: return vk::OemComma;
    case 52: return vk::OemPeriod;
    case 53: return vk::Oem2;
    case 86: return vk::Oem102;
    default: return 0;
  }
}

int bykey(int key, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::KeypadModifier) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Numpad0 + (key - Qt::Key_0);
    switch (key) {
      case Qt::Key_Asterisk: return vk::Multiply;
      case Qt::Key_Plus: return vk::Add;
      case Qt::Key_Minus: return vk::Subtract;
      case Qt::Key_Period:
      case Qt::Key_Comma: return vk::Decimal;
      case Qt::Key_Slash: return vk::Divide;
      default: break;  // the keypad's arrows, Home, Enter ... are the same keys
    }
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return vk::KeyA + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Key0 + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Return;
    case Qt::Key_Shift: return vk::Shift;
    case Qt::Key_Control: return vk::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return vk::Menu;
    case Qt::Key_Pause: return vk::Pause;
    case Qt::Key_CapsLock: return vk::Capital;
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_PageUp: return vk::Prior;
    case Qt::Key_PageDown: return vk::Next;
    case Qt::Key_End: return vk::End;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Print: return vk::Snapshot;
    case Qt::Key_Insert: return vk::Insert;
    case Qt::Key_Delete: return vk::Delete;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return vk::LWin;
    case Qt::Key_Super_R: return vk::RWin;
    case Qt::Key_Menu: return vk::Apps;
    case Qt::Key_NumLock: return vk::NumLock;
    case Qt::Key_ScrollLock: return vk::Scroll;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return vk::Oem1;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return vk::OemPlus;
    case Qt::Key_Comma:
    case Qt::Key_Less: return vk::OemComma;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return vk::OemMinus;
    case Qt::Key_Period:
    case Qt::Key_Greater: return vk::OemPeriod;
    case Qt::Key_Slash:
    case Qt::Key_Question: return vk::Oem2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return vk::Oem3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return vk::Oem4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return vk::Oem5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return vk::Oem6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return vk::Oem7;
    default: return 0;
  }
}

}  // namespace

int virtualKey(const QKeyEvent& event) {
  // A keyboard with a keymap of its own (a virtual one) has no places.
  const bool byplace = keysByPlace(event.nativeScanCode(), event.nativeVirtualKey());
  if (byplace)
    if (const int code = byposition(event.nativeScanCode())) return code;
  const int key = event.key();
  // Keys that say what they are (letters of the layout, control keys).
  const bool latinletter = key >= Qt::Key_A && key <= Qt::Key_Z;
  if (latinletter || !(key >= Qt::Key_Space && key <= 0xff) || (event.modifiers() & Qt::KeypadModifier)) {
    if (const int code = bykey(key, event.modifiers())) return code;
  }
  // Character keys (digits, punctuation, national letters) by place first.
  if (byplace)
    if (const int code = mainBlock(event.nativeScanCode())) return code;
  if (const int code = bykey(key, event.modifiers())) return code;
  // A key that types something but that nothing above knows.
  return event.text().isEmpty() ? 0 : vk::Oem8;
}

ShiftState shiftState(const QKeyEvent& event) {
  const Qt::KeyboardModifiers m = event.modifiers();
  return ShiftState{(m & Qt::ShiftModifier) != 0, (m & Qt::ControlModifier) != 0, (m & Qt::AltModifier) != 0};
}

std::optional<char> typedCharacter(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.isEmpty()) return std::nullopt;
  // Alt with a key is a menu key, not typing (AltGr is no Alt here).
  if ((event.modifiers() & Qt::AltModifier) && !(event.modifiers() & Qt::ControlModifier)) return std::nullopt;
  const char16_t unit = text.at(0).unicode();
  if (unit == 0x7f) return std::nullopt;  // Delete types nothing
  const std::string cp = utf16ToCp1250(std::u16string_view(&unit, 1));
  if (cp.empty()) return std::nullopt;
  return cp[0];
}

namespace {
KeyPreview* firstpreview = nullptr;
}

KeyPreview::KeyPreview(QWidget* window) : window_(window) {
  qApp->installEventFilter(this);
  firstpreview = this;
  setKeyState(&input_);
  input_.runhandler = [](const std::function<void()>& fn) { guarded(fn); };
  detectableAutoRepeat();
  watchKeymap();
  // Keys released while another application has the focus never report it.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) clear();
  });
}

KeyPreview::~KeyPreview() {
  if (keyState() == &input_) setKeyState(nullptr);
  if (firstpreview == this) firstpreview = nullptr;
}

KeyEvent::Receiver KeyPreview::receiver(QObject* window) const {
  // An open menu grabs the keyboard; the menu bar in keyboard mode (after
  // Alt) takes the focus. Either way the keys are the menu's.
  if (QApplication::activePopupWidget() || qobject_cast<QMenuBar*>(QApplication::focusWidget()))
    return KeyEvent::Receiver::Menu;
  if (!window_ || window != window_->windowHandle()) return KeyEvent::Receiver::Other;
  if (QWidget::keyboardGrabber()) return KeyEvent::Receiver::Other;
  QWidget* modal = QApplication::activeModalWidget();
  return !modal || modal == window_ ? KeyEvent::Receiver::MainWindow : KeyEvent::Receiver::Other;
}

KeyEvent KeyPreview::keyEvent(QObject* window, const QKeyEvent& key) const {
  KeyEvent e;
  e.key = virtualKey(key);
  e.shift = shiftState(key);
  e.timestamp = key.timestamp();
  e.autorepeat = key.isAutoRepeat();
  e.receiver = receiver(window);
  if (key.type() == QEvent::KeyPress) e.typed = typedCharacter(key);
  return e;
}

bool KeyPreview::take(QObject* window, const QEvent& event) {
  const auto& key = static_cast<const QKeyEvent&>(event);
  const KeyEvent e = keyEvent(window, key);
  const bool known = e.key > 0 && e.key < 256;
  if (event.type() == QEvent::KeyPress) {
    if (!takes_ || e.receiver != KeyEvent::Receiver::MainWindow || !takes_(key)) return false;
    if (known) taken_.set(static_cast<std::size_t>(e.key));
    press(e, key);
    return true;
  }
  // The release of a key taken, where it was taken, also while a window it
  // opened is modal (that window gets the release as its own only when it
  // arrives there).
  if (!known || !taken_.test(static_cast<std::size_t>(e.key)) || !window_ || window != window_->windowHandle())
    return false;
  if (!e.autorepeat) taken_.reset(static_cast<std::size_t>(e.key));
  input_.release(e);
  return true;
}

void KeyPreview::press(KeyEvent e, const QKeyEvent& key) {
  const auto same = [&key](const Arrival& a) {
    return a.key == key.key() && a.scanCode == key.nativeScanCode();
  };
  if (key.spontaneous() || key.timestamp() != 0) {
    // Handled as it came (or as our own copy of it): no late copy follows.
    const auto found = std::find_if(arrivals_.rbegin(), arrivals_.rend(), same);
    if (found != arrivals_.rend()) arrivals_.erase(std::next(found).base());
  } else if (key.timestamp() == 0) {
    const auto found = std::find_if(arrivals_.begin(), arrivals_.end(), same);
    if (found != arrivals_.end()) {
      e.pressedAt = found->at;
      arrivals_.erase(arrivals_.begin(), std::next(found));
    }
  }
  input_.press(e);
}

bool KeyPreview::previewFirst(QObject* receiver, QEvent* event) {
  if (!firstpreview || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) ||
      !receiver->isWindowType())
    return false;
  if (event->type() == QEvent::KeyPress && event->spontaneous()) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    auto& arrivals = firstpreview->arrivals_;
    if (arrivals.size() >= 32) arrivals.pop_front();
    arrivals.push_back({key.key(), key.nativeScanCode(), host().nowMicros()});
  }
  return firstpreview->take(receiver, *event);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  // A key event reaches its window first and then its widgets; taking it at
  // the window sees each one exactly once.
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && watched->isWindowType()) {
    if (take(watched, *event)) return true;
    const KeyEvent e = keyEvent(watched, static_cast<const QKeyEvent&>(*event));
    if (event->type() == QEvent::KeyPress) {
      press(e, static_cast<const QKeyEvent&>(*event));
    } else {
      input_.release(e);
    }
  }
  return QObject::eventFilter(watched, event);
}

bool detectableAutoRepeat() {
#ifdef DRUM_X11
  const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->display()) return false;
  Bool supported = False;
  return XkbSetDetectableAutoRepeat(x11->display(), True, &supported) && supported;
#else
  return false;
#endif
}

}  // namespace drum
