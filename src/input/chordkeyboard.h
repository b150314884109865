// The main window's keyboard: what each key puts into `keybuffer` for the
// running program, in ordinary typing and in Braille chord typing. The window
// translates its key events into these calls (key-down, the character event
// for keys that type one, key-up) and answers "is this key down now" through
// the KeyState of keycodes.h.
#pragma once
#include <optional>
#include <string>

#include "input/brailledisplay.h"
#include "input/keycodes.h"

namespace drum {

// The character of the key now held, from its character event to its key-up.
extern std::string pendingkey;
// The dot string of the chord being typed ("1" .. "123456", or " ").
extern std::string chord;

void FormKeyDown(int key, ShiftState shift);
void FormKeyPress(char character);
void FormKeyUp(int key, ShiftState shift);
// A press of a key that is already down: the keyboard repeating it. It is a
// key-down like any other (speech stops, a SOUND wait ends, a cursor key or
// Backspace gives its code again), but in Braille mode the chord stays as it
// stands: a chord is formed by keys going down, and a key repeating after
// the chord was delivered must not form a new one from the keys still held.
void FormKeyRepeat(int key, ShiftState shift, std::optional<char> typed);

// Builds `chord` from the dot keys (F D S J K L) held now, or " " for the
// space bar alone; with no dot key held any prefix in force ends.
void ReadChord();

// The dot string of a chord from a Braille display's keyboard (dots 1-8 as
// bits 0-7): "1" .. "123456" as F D S J K L give it. The six-dot table has
// no dots 7 and 8, so they are left out; "" when nothing else is left.
std::string displayDots(int bits);

// A key of the Braille display for the running program, as the same key
// typed on the PC keyboard: a chord as on F D S J K L (through
// TranslateChord, its prefixes and keybuffer) whether or not chord typing
// is on, the space bar as the space chord, Backspace and Enter as their
// keys. A routing key means nothing to the program.
void DisplayKey(const BrailleKey& key);

// The code that a cursor key puts into `keybuffer`: 128 + 1 up + 2 down +
// 4 left + 8 right, from the four arrow keys held now.
int cursorCode();

// Settings / Braille keyboard: switches chord typing on or off with a rising
// or falling pair of tones and writes the settings file at once.
void braillekeyboarditemClick();

// Alt+F4: the emulated memory is saved, the sound objects are released
// (errors in releasing them do not matter any more) and the process ends at
// once, without the close sequence. An error saving the memory ends the
// command instead and says so; the next way out then ends the program
// without saving.
void endProgramNow();

}  // namespace drum
