// espeak-ng in process as the engines of the older speech API. Its voices are
// the engine modes (Slovak first, then Czech, then English, then the rest in
// espeak-ng's order); an engine synthesizes on a worker thread and pushes the
// PCM into a stream of the program's mixer, which reports when the first and
// the last sample of each text are played; the engine posts those reports to
// the UI thread as AudioStart and AudioStop.
//
// Attributes clamp to espeak-ng's ranges: speed 80 to 450 words per minute,
// pitch 0 to 100, volume two 16-bit channels (the speech is mono: it sounds at
// the mean of the two). The tags \Spd=n\, \Pit=n\ and \Vol=n\ (both channels)
// set them for the texts that follow.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "speech/sapi.h"

namespace drum {

class Mixer;

// The audio destination: the mixer the engines speak into, looked up each
// time an engine needs it (the sound output may be made after the engines'
// enumerator, and remade).
class MixerAudioDestination : public IAudioMultiMediaDevice {
 public:
  explicit MixerAudioDestination(std::function<Mixer*()> mixer) : mixer_(std::move(mixer)) {}
  Mixer* mixer() const { return mixer_ ? mixer_() : nullptr; }

 private:
  std::function<Mixer*()> mixer_;
};

// The enumerator of espeak-ng's voices. Fails when espeak-ng cannot start
// (its voice data are not installed, or hold no voice). espeak-ng is one per
// process, started on the first call.
Status createEspeakEnumerator(std::shared_ptr<ITTSEnum>& enumerator);

// Where there are no threads (a browser's page) nothing synthesizes in the
// background: the UI thread calls this whenever it delivers events, and it
// synthesizes for a few milliseconds at most.
void pumpEspeak();

// The modes in the order the enumerator lists them (empty when espeak-ng
// cannot start).
std::vector<TTSMODEINFO> espeakModes();

}  // namespace drum
