// The settings flags of the whole process. They are set at start-up from the
// settings file and changed by the settings commands; every part reads them.
#pragma once

namespace drum {

inline bool voiceallowed = false;     // SAPI4-path speech permitted (voice/voiceallowed)
inline bool sapi5inuse = false;       // speech goes through the speech service
inline bool voiceready = false;       // an engine is ready to speak
inline bool oskirasounds = true;      // SOUND, BEEP and CLICK sound at all (sounds/oskirasounds)
inline int sndvolume = 0;             // hundredths of a decibel, -10000 .. 0 (sounds/sndvolume)
inline bool braillemode = false;      // chord typing (keyboard/braillekeys)
inline bool programstarted = false;   // set by every Start, never cleared
inline bool brailledisplay = true;    // a Braille display shows the game and types (braille/display)

// Check marks of the two menu items, which the window shows. The settings
// file sets them at start-up; the flags above follow them.
inline bool usesapi5checked = false;
inline bool braillekeyboardchecked = false;

// Language base: 1000 Czech, 2000 English, 3000 Slovak.
inline int languagebase = 1000;

// Every flag to its value before the settings file is read: the start-up
// begins here, and so does every test.
inline void resetFlags() {
  voiceallowed = false;
  sapi5inuse = false;
  voiceready = false;
  oskirasounds = true;
  sndvolume = 0;
  braillemode = false;
  programstarted = false;
  brailledisplay = true;
  usesapi5checked = false;
  braillekeyboardchecked = false;
  languagebase = 1000;
}

}  // namespace drum
