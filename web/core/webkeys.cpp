#include "webkeys.h"

#include <cstring>
#include <string_view>

#include "input/keycodes.h"
#include "platform/cp1250.h"

namespace drum {
namespace {

struct Named {
  const char* code;
  int key;
};

// Keys that are what they are wherever they lie.
constexpr Named kControls[] = {
    {"Backspace", vk::Back},     {"Tab", vk::Tab},           {"Enter", vk::Return},
    {"NumpadEnter", vk::Return}, {"ShiftLeft", vk::Shift},   {"ShiftRight", vk::Shift},
    {"ControlLeft", vk::Control}, {"ControlRight", vk::Control}, {"AltLeft", vk::Menu},
    {"AltRight", vk::Menu},      {"Pause", vk::Pause},       {"CapsLock", vk::Capital},
    {"Escape", vk::Escape},      {"PageUp", vk::Prior},      {"PageDown", vk::Next},
    {"End", vk::End},            {"Home", vk::Home},         {"ArrowLeft", vk::Left},
    {"ArrowUp", vk::Up},         {"ArrowRight", vk::Right},  {"ArrowDown", vk::Down},
    {"PrintScreen", vk::Snapshot}, {"Insert", vk::Insert},   {"Delete", vk::Delete},
    {"MetaLeft", vk::LWin},      {"MetaRight", vk::RWin},    {"ContextMenu", vk::Apps},
    {"NumLock", vk::NumLock},    {"ScrollLock", vk::Scroll}, {"NumpadMultiply", vk::Multiply},
    {"NumpadAdd", vk::Add},      {"NumpadSubtract", vk::Subtract}, {"NumpadDecimal", vk::Decimal},
    {"NumpadDivide", vk::Divide},
};

// The main block's character keys by place, as the usual layouts code them.
constexpr Named kPlaces[] = {
    {"Minus", vk::OemMinus},       {"Equal", vk::OemPlus},     {"BracketLeft", vk::Oem4},
    {"BracketRight", vk::Oem6},    {"Semicolon", vk::Oem1},    {"Quote", vk::Oem7},
    {"Backquote", vk::Oem3},       {"Backslash", vk::Oem5},    {"Comma", vk::OemComma},
    {"Period", vk::OemPeriod},     {"Slash", vk::Oem2},        {"IntlBackslash", vk::Oem102},
};

int find(const Named* table, std::size_t n, std::string_view code) {
  for (std::size_t i = 0; i < n; ++i)
    if (code == table[i].code) return table[i].key;
  return 0;
}

int numbered(std::string_view code, std::string_view prefix, int first, int count) {
  if (!code.starts_with(prefix)) return 0;
  const std::string_view rest = code.substr(prefix.size());
  int n = 0;
  if (rest.empty() || rest.size() > 2) return 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n < count ? first + n : 0;
}

}  // namespace

int webVirtualKey(const std::string& code, const std::string& key) {
  // The six dot keys and Space by their place on the keyboard, whatever the layout.
  if (code == "Space") return vk::Space;
  if (code == "KeyF" || code == "KeyD" || code == "KeyS" || code == "KeyJ" || code == "KeyK" || code == "KeyL")
    return code[3];
  if (const int k = find(kControls, std::size(kControls), code)) return k;
  if (const int k = numbered(code, "Numpad", vk::Numpad0, 10)) return k;
  if (code.size() >= 2 && code[0] == 'F' && code[1] != 'n')
    if (const int k = numbered(code, "F", vk::F1 - 1, 25); k >= vk::F1) return k;
  // Letters as the layout names them, like the desktop.
  if (key.size() == 1 && ((key[0] >= 'a' && key[0] <= 'z') || (key[0] >= 'A' && key[0] <= 'Z')))
    return vk::KeyA + ((key[0] | 0x20) - 'a');
  // Other character keys by place.
  if (const int k = numbered(code, "Digit", vk::Key0, 10)) return k;
  if (code.size() == 4 && code.starts_with("Key") && code[3] >= 'A' && code[3] <= 'Z') return code[3];
  if (const int k = find(kPlaces, std::size(kPlaces), code)) return k;
  // A key that types something but that nothing above knows.
  return key.size() > 0 && cp1250Length(key) == 1 ? vk::Oem8 : 0;
}

std::optional<char> webTypedCharacter(const std::string& key, bool ctrl, bool alt) {
  // Alt with a key is a menu key, not typing (AltGr comes as Ctrl+Alt).
  if (alt && !ctrl) return std::nullopt;
  if (key == "Enter") return '\r';
  if (key == "Backspace") return '\b';
  if (key == "Tab") return '\t';
  if (key == "Escape") return '\x1b';
  if (cp1250Length(key) != 1) return std::nullopt;
  // Ctrl with a letter types its control character, as on the desktop.
  if (ctrl && !alt && key.size() == 1 && ((key[0] | 0x20) >= 'a' && (key[0] | 0x20) <= 'z'))
    return static_cast<char>((key[0] | 0x20) - 'a' + 1);
  const std::string typed = utf8ToCp1250(key, '\0');
  if (typed.size() != 1 || typed[0] == '\0') return std::nullopt;
  return typed[0];
}

int cp1250Length(const std::string& utf8) {
  int n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

}  // namespace drum
