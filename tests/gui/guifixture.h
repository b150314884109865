// The main window's tests share the Qt world of every windowed test.
#pragma once
#include "support/qtworld.h"

namespace drum::gui {

using GuiWorld = qttest::World;
using qttest::keyClick;
using qttest::keyDown;
using qttest::keyUp;
using qttest::sendKey;
using qttest::waitfor;
using qttest::whenShown;

// X11 keycodes (evdev + 8) of the dot keys and Space.
constexpr quint32 kScanF = 41, kScanD = 40, kScanS = 39, kScanJ = 44, kScanK = 45, kScanL = 46, kScanSpace = 65;

// Runs `fn` from the event loop once the current command is waiting.
void soon(int ms, std::function<void()> fn);

}  // namespace drum::gui
