#include "input/keyboardinput.h"

#include "input/chordkeyboard.h"
#include "runtime/keygate.h"

namespace drum {

namespace {

bool valid(int key) { return key > 0 && key < 256; }

bool lastpressrepeated = false;
std::int64_t lastpressat = -1;

}  // namespace

bool lastKeyPressRepeated() { return lastpressrepeated; }
std::int64_t keyPressedAt() { return lastpressat; }

KeyboardInput::~KeyboardInput() {
  if (releasetimer_) host().cancelTimer(*releasetimer_);
  if (keyState() == this) setKeyState(nullptr);
}

bool KeyboardInput::isKeyDown(int key) const {
  return valid(key) && (held_[key / 64] >> (key % 64) & 1) != 0;
}

void KeyboardInput::run(const std::function<void()>& fn) {
  if (runhandler)
    runhandler(fn);
  else
    fn();
}

void KeyboardInput::press(const KeyEvent& event) {
  bool pairedrepeat = false;
  if (releasing_) {
    // X11 repeats a held key as a release and a press of the same moment.
    pairedrepeat = releasing_->key == event.key && releasing_->timestamp == event.timestamp;
    if (pairedrepeat) {
      if (releasetimer_) host().cancelTimer(*releasetimer_);
      releasetimer_.reset();
      releasing_.reset();
    } else {
      settle();
    }
  }
  deliverKey([this, event, pairedrepeat] {
    // A press of a key that is already down is the keyboard repeating it.
    const bool repeat = event.autorepeat || pairedrepeat || isKeyDown(event.key);
    lastpressrepeated = repeat;
    if (valid(event.key)) held_[event.key / 64] |= std::uint64_t{1} << (event.key % 64);
    if (event.receiver != KeyEvent::Receiver::MainWindow) return;
    if (repeat) {
      run([&] { FormKeyRepeat(event.key, event.shift, event.typed); });
      return;
    }
    run([&] {
      lastpressat = event.pressedAt;
      struct Reset {
        ~Reset() { lastpressat = -1; }
      } reset;
      FormKeyDown(event.key, event.shift);
    });
    if (event.typed) run([&] { FormKeyPress(*event.typed); });
  });
}

void KeyboardInput::release(const KeyEvent& event) {
  if (event.autorepeat) return;
  settle();
  if (event.timestamp == 0) {
    deliverrelease(event);
    return;
  }
  releasing_ = event;
  releasetimer_ = host().startTimer(kRepeatPairWait, [this] {
    releasetimer_.reset();
    settle();
  });
}

// The release that waited for a paired press is a real one after all.
void KeyboardInput::settle() {
  if (!releasing_) return;
  if (releasetimer_) host().cancelTimer(*releasetimer_);
  releasetimer_.reset();
  const KeyEvent event = *releasing_;
  releasing_.reset();
  deliverrelease(event);
}

void KeyboardInput::deliverrelease(const KeyEvent& event) {
  deliverKey([this, event] {
    // A release of a key not down (pressed before the window had the focus,
    // or already cleared) is still the window's key-up.
    if (valid(event.key)) held_[event.key / 64] &= ~(std::uint64_t{1} << (event.key % 64));
    if (event.receiver != KeyEvent::Receiver::MainWindow) return;
    run([&] { FormKeyUp(event.key, event.shift); });
  });
}

void KeyboardInput::clear() {
  if (releasetimer_) host().cancelTimer(*releasetimer_);
  releasetimer_.reset();
  releasing_.reset();
  for (auto& bits : held_) bits = 0;
}

}  // namespace drum
