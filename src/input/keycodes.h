// Virtual-key codes and shift states, the way the key handlers see a key.
// The window system's own key events are translated into these at the edge.
#pragma once

namespace drum {

namespace vk {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Menu = 18;  // Alt
constexpr int Pause = 19;
constexpr int Capital = 20;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Prior = 33;
constexpr int Next = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Snapshot = 44;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Key0 = 48;  // '0' .. '9' are 48 .. 57
constexpr int KeyA = 65;  // 'A' .. 'Z' are 65 .. 90
constexpr int D = 68;
constexpr int F = 70;
constexpr int J = 74;
constexpr int K = 75;
constexpr int L = 76;
constexpr int S = 83;
constexpr int LWin = 91;
constexpr int RWin = 92;
constexpr int Apps = 93;
constexpr int Numpad0 = 96;  // .. 105
constexpr int Multiply = 106;
constexpr int Add = 107;
constexpr int Subtract = 109;
constexpr int Decimal = 110;
constexpr int Divide = 111;
constexpr int F1 = 112;  // F1 .. F24 are 112 .. 135
constexpr int F2 = 113;
constexpr int F4 = 115;
constexpr int F6 = 117;
constexpr int F7 = 118;
constexpr int F8 = 119;
constexpr int NumLock = 144;
constexpr int Scroll = 145;
constexpr int Oem1 = 186;       // ; :
constexpr int OemPlus = 187;    // = +
constexpr int OemComma = 188;   // , <
constexpr int OemMinus = 189;   // - _
constexpr int OemPeriod = 190;  // . >
constexpr int Oem2 = 191;       // / ?
constexpr int Oem3 = 192;       // ` ~
constexpr int Oem4 = 219;       // [ {
constexpr int Oem5 = 220;       // backslash |
constexpr int Oem6 = 221;       // ] }
constexpr int Oem7 = 222;       // ' "
constexpr int Oem8 = 223;       // a key that types a character but has no code of its own
constexpr int Oem102 = 226;     // the extra key left of Z on European keyboards
}  // namespace vk

// The modifier keys held with a key event.
struct ShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// "Is this key down now": the window system answers from the key events it
// has seen. The logic keeps no key state of its own.
class KeyState {
 public:
  virtual ~KeyState() = default;
  virtual bool isKeyDown(int virtualKey) const = 0;
};

// The key state in force (set by the window; none means no key is held).
KeyState* keyState();
void setKeyState(KeyState* state);
bool keyIsDown(int virtualKey);

}  // namespace drum
