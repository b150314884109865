// RIFF WAVE images, as the sound bank stores them: read into samples for the
// mixer, and written by mksounds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/mixer.h"

namespace drum {

// Decodes PCM 8-bit unsigned or 16-bit signed, mono or stereo. Throws
// drum::Error: "Wave is invalid" when the image does not start with RIFF/WAVE,
// otherwise a text saying what is wrong (missing chunk, unsupported format,
// chunk running past the end).
SampleBuffer decodeWave(const std::string& image);
inline constexpr std::uint32_t kMinWaveRate = 1000;

// A 16-bit PCM image of interleaved samples.
std::string encodeWave(const std::vector<std::int16_t>& samples, int rate, int channels);

}  // namespace drum
