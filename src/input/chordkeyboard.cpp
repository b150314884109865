#include "input/chordkeyboard.h"

#include "input/brailletables.h"
#include "input/keyboardinput.h"
#include "input/screenreview.h"
#include "platform/host.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "shell/settings/resourcelocalizer.h"
#include "speech/speech.h"

namespace drum {

std::string pendingkey;
std::string chord;

namespace {

KeyState* currentkeystate = nullptr;

std::string character(int code) { return std::string(1, static_cast<char>(code)); }

// A cursor code still in keybuffer gets 16 for Shift and 32 for Space held.
void addToCursorCode(int amount) {
  if (keybuffer.empty()) return;
  keybuffer[0] = static_cast<char>(static_cast<unsigned char>(keybuffer[0]) + amount);
}

void cursorKey(ShiftState shift) {
  const int code = cursorCode();
  keybuffer = character(code);
  const bool spaceheld = keyIsDown(vk::Space);
  if ((code == 129 || code == 130) && !shift.shift && !spaceheld && programstarted) OpenScreenReview();
  if (shift.shift) addToCursorCode(16);
  if (keyIsDown(vk::Space)) addToCursorCode(32);
}

void twoTones(double first, double second) {
  sound({first}, 50, 3);
  sound({second}, 50, 3);
}

}  // namespace

KeyState* keyState() { return currentkeystate; }
void setKeyState(KeyState* state) { currentkeystate = state; }
bool keyIsDown(int virtualKey) { return currentkeystate && currentkeystate->isKeyDown(virtualKey); }

int cursorCode() {
  return 128 + (keyIsDown(vk::Up) ? 1 : 0) + (keyIsDown(vk::Down) ? 2 : 0) + (keyIsDown(vk::Left) ? 4 : 0) +
         (keyIsDown(vk::Right) ? 8 : 0);
}

void FormKeyDown(int key, ShiftState shift) {
  if (braillemode) chord.clear();
  // A press that reaches us after a text that began later than it (held by
  // a screen reader's bridge while a shortcut went ahead) was not meant to
  // silence that text.
  if (keyPressedAt() < 0 || keyPressedAt() >= latestTextAt()) StopSpeech();
  if (soundplaying) endSoundWait();
  switch (key) {
    case vk::Back:
    case vk::F6:
      keybuffer = character(shift.shift ? 25 : 8);
      break;
    case vk::Return:
    case vk::F8:
      keybuffer = character(13);
      break;
    case vk::Shift:
    case vk::Control:
    case vk::Menu:
      keybuffer.clear();
      break;
    case vk::Escape:
      keybuffer = character(27);
      break;
    case vk::F7:
      keybuffer = character(7);
      break;
    case vk::F4:
      if (shift.alt) endProgramNow();
      break;
    case vk::Left:
    case vk::Up:
    case vk::Right:
    case vk::Down:
      cursorKey(shift);
      break;
    default:
      break;
  }
}

void FormKeyPress(char c) {
  pendingkey = std::string(1, c);
  if (braillemode) {
    chord.clear();
    ReadChord();
  }
}

void ReadChord() {
  static constexpr int dotkeys[6] = {vk::F, vk::D, vk::S, vk::J, vk::K, vk::L};
  std::string dots;
  for (int i = 0; i < 6; ++i)
    if (keyIsDown(dotkeys[i])) dots += static_cast<char>('1' + i);
  if (!dots.empty()) {
    chord = dots;
    return;
  }
  if (keyIsDown(vk::Space)) chord.assign(1, ' ');
  currentprefix.clear();
}

void FormKeyUp(int key, ShiftState shift) {
  if (braillemode) {
    std::string result;
    TranslateChord(chord, result);
    pendingkey = result;
    chord.clear();
  }
  if (key >= 32) keybuffer = pendingkey;
  pendingkey.clear();
}

void FormKeyRepeat(int key, ShiftState shift, std::optional<char> typed) {
  if (!braillemode) {
    FormKeyDown(key, shift);
    if (typed) FormKeyPress(*typed);
    return;
  }
  const std::string held = chord;
  FormKeyDown(key, shift);
  chord = held;
  if (typed) pendingkey.assign(1, *typed);
}

std::string displayDots(int bits) {
  std::string dots;
  for (int i = 0; i < 6; ++i)
    if (bits & (1 << i)) dots += static_cast<char>('1' + i);
  return dots;
}

void DisplayKey(const BrailleKey& key) {
  switch (key.kind) {
    case BrailleKey::Dots:
    case BrailleKey::Space: {
      const std::string dots = key.kind == BrailleKey::Space ? std::string(" ") : displayDots(key.value);
      if (dots.empty()) return;
      // A chord's key-down and release in one: the display sends it whole.
      FormKeyDown(vk::F, {});
      chord.clear();
      std::string result;
      TranslateChord(dots, result);
      pendingkey.clear();
      keybuffer = result;
      break;
    }
    case BrailleKey::Backspace:
    case BrailleKey::Enter: {
      const int code = key.kind == BrailleKey::Enter ? vk::Return : vk::Back;
      FormKeyDown(code, {});
      chord.clear();  // no chord of the PC's dot keys forms at this release
      FormKeyUp(code, {});
      break;
    }
    case BrailleKey::Route:
      break;
  }
}

void braillekeyboarditemClick() {
  if (braillekeyboardchecked) {
    braillekeyboardchecked = false;
    twoTones(600, 400);
  } else {
    twoTones(400, 600);
    braillekeyboardchecked = true;
  }
  braillemode = braillekeyboardchecked;
  TResourceLocalizer::SaveSettings();
}

void endProgramNow() {
  saveRamOnExit();
  releaseSound();
  host().terminate(0);
}

}  // namespace drum
