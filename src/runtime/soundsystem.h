// The sound output of the process: the mixer, its audio output and the sound
// bank bound to it. The main window (or drumrun, or a test) brings it up once:
//
//   initSound(false);     // the sound server (else SDL2), watched; the silent clock's pace while there is none
//   initSound(true);      // virtual time: host() must be a VirtualHost
//   loadsoundbank();      // "sounds.dat" of the current directory
//   ... sound(), beep(), click() ...
//   releaseSound();       // on Exit and when the main window closes
//
// Speech feeds its PCM through soundMixer()->openStream(...) (runtime/mixer.h).
#pragma once
#include <functional>
#include <string>

#include "runtime/mixer.h"

namespace drum {

// Creates the mixer and its output (replacing any earlier ones) and binds
// `soundbank` to it. Never fails: without a device the sounds run silently
// on a clock of the same pace, and the real output opens the default device
// again whenever one answers (after a sound server restarted, say). A real output that speech opened before
// (openSoundOutput) is kept: it becomes the output of the sounds too.
void initSound(bool virtualDevice);
// The real output (the watched device) and its mixer, made
// when there is none, without the sound bank: the in-process speech engine
// opens it as it is created, so speech does not wait for the last start-up
// step and is heard even when an earlier one fails.
void openSoundOutput();
// Once per process: when the real output found no sound device, a message
// box says so plainly (the game then runs silent, at its normal pace). The
// box is posted: it shows when the events are next delivered.
void reportSilentOutput();
// Loads "sounds.dat" from the current directory into `soundbank`. A missing
// file shows message 42 + " sounds.dat" and ends the process without saving
// anything (host().terminate). A damaged one raises Error naming the file and
// what broke where; the bank then keeps what it had, and one left empty is
// silent (soundbank.failed()).
void loadsoundbank();
// The same from a given file (tests, tools); a missing file raises Error.
void loadsoundbank(const std::string& path);
// Silences everything and releases the output, the mixer and the bank's voices.
// Errors are swallowed: it runs on the way out.
void releaseSound();

// An output that renders further ahead as it goes (Web Audio, as the page's
// turns come further apart) says so here, on the thread that queues the
// commands and at a silent moment: commands then land that much later, on
// frames not yet rendered, and a tone keeps its length.
void soundOutputAheadChanged();
// The mixer, or nullptr before initSound / after releaseSound.
Mixer* soundMixer();
// What plays the sound: "pulseaudio", "pipewire", "pipewire-pulse", an SDL driver
// ("alsa" ...), "silent clock" (no device now) or "virtual"; empty without
// an output.
std::string soundOutputName();
// Why no device opened at first, when the silent clock ran instead.
std::string soundDeviceError();
// Times the sound server ran out of the output's frames since initSound.
std::int64_t soundUnderflows();

// Run on the UI thread when the real output's sound came back after it was
// gone long enough for a player to notice (more than 2 s): speech tells the
// player (installSpeechHooks).
extern std::function<void()> soundreturnedhook;

}  // namespace drum
