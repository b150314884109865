#include "input/chordkeyboard.h"

#include "input/brailletables.h"
#include "input/screenreview.h"
#include "platform/host.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "shell/flags.h"
#include "shell/resourcelocalizer.h"
#include "speech/speech.h"

namespace drum {

std::string pendingkey;
std::string chord;

namespace {

KeyState* currentkeystate = nullptr;

std::string character(int code) { return std::string(1, static_cast<char>(code)); }

// A cursor code still in keybuffer gets 16 for Shift and 32 for Space held.
void addtocursorcode(int amount) {
  if (keybuffer.empty()) return;
  keybuffer[0] = static_cast<char>(static_cast<unsigned char>(keybuffer[0]) + amount);
}

void cursorkey(ShiftState shift) {
  const int code = cursorcode();
  keybuffer = character(code);
  const bool spaceheld = iskeydown(vk::Space);
  if ((code == 129 || code == 130) && !shift.shift && !spaceheld && programstarted) OpenScreenReview();
  if (shift.shift) addtocursorcode(16);
  if (iskeydown(vk::Space)) addtocursorcode(32);
}

void twotones(double first, double second) {
  sound({first}, 50, 3);
  sound({second}, 50, 3);
}

}  // namespace

KeyState* keystate() { return currentkeystate; }
void setKeyState(KeyState* state) { currentkeystate = state; }
bool iskeydown(int virtualKey) { return currentkeystate && currentkeystate->isKeyDown(virtualKey); }

int cursorcode() {
  return 128 + (iskeydown(vk::Up) ? 1 : 0) + (iskeydown(vk::Down) ? 2 : 0) + (iskeydown(vk::Left) ? 4 : 0) +
         (iskeydown(vk::Right) ? 8 : 0);
}

void FormKeyDown(int key, ShiftState shift) {
  if (braillemode) chord.clear();
  StopSpeech();
  if (soundplaying) endsoundwait();
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
      if (shift.alt) endprogramnow();
      break;
    case vk::Left:
    case vk::Up:
    case vk::Right:
    case vk::Down:
      cursorkey(shift);
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
    if (iskeydown(dotkeys[i])) dots += static_cast<char>('1' + i);
  if (!dots.empty()) {
    chord = dots;
    return;
  }
  if (iskeydown(vk::Space)) chord.assign(1, ' ');
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

void braillekeyboarditemClick() {
  if (braillekeyboardchecked) {
    braillekeyboardchecked = false;
    twotones(600, 400);
  } else {
    twotones(400, 600);
    braillekeyboardchecked = true;
  }
  braillemode = braillekeyboardchecked;
  TResourceLocalizer::SaveSettings();
}

void endprogramnow() {
  saveram();
  releasesound();
  host().terminate(0);
}

}  // namespace drum
