// The sounds of the bank that ships with the game: tones for SOUND (one
// period of a waveform in 64 samples per item, so value m sounds at m hertz),
// the clicks and the beep.
#pragma once
#include <vector>

#include "runtime/soundbank.h"

namespace drum {

// Voices 0..9 and tone positions 1..8.
constexpr int kVoices = 10;
constexpr int kPositions = 8;
constexpr int kClicks = 21;  // click0 .. click20

// Harmonic amplitudes (sine phase) of voice v's waveform.
std::vector<double> voiceharmonics(int voice);
std::vector<SoundItem> designsoundbank();

}  // namespace drum
