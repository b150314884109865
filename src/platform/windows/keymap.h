// Whether a key is to be known by its place on the keyboard. A keyboard's
// keymap numbers its keys as a PC keyboard's (the evdev codes: Space is 65,
// F 41), whatever its layout prints on them. A virtual keyboard that brings a
// keymap of its own (an on-screen or remote-desktop keyboard, wtype)
// numbers its keys as it likes: its keys are known only by the symbols they
// type. On Wayland the keymap in force is read from the compositor; an X
// server keeps one keymap, numbered as a PC keyboard's.
#pragma once
#include <cstdint>

namespace drum {

// True when the keymap in force for a key event with this native scan code
// (keycode) and native virtual key (keysym) numbers its keys as a PC
// keyboard's; also when it cannot be known.
bool keysByPlace(std::uint32_t keycode, std::uint32_t keysym);

// Starts following the keymap now, so the first key waits for nothing.
void watchKeymap();

}  // namespace drum
