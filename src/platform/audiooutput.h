// The sound device as the mixer sees it: something that asks, again and again,
// for the next frames of 48 kHz stereo float audio. Three of them: an SDL2
// device (PulseAudio, PipeWire or ALSA), a silent clock that paces the same
// requests in real time when no device opens, and a virtual one that renders
// as the VirtualHost's clock moves.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/clock.h"

namespace drum {

class VirtualHost;

// Fills `stereo` (interleaved left/right) with `frames` frames. `bufferMicros`
// is the time, on the clock of the output (monoMicros for the real ones, the
// virtual clock for the virtual one), at which the first frame is due.
using AudioRender = std::function<void(float* stereo, int frames, std::int64_t bufferMicros)>;

class AudioOutput {
 public:
  static constexpr int kRate = 48000;
  virtual ~AudioOutput() = default;
  // Frames per request (at most 512).
  virtual int period() const = 0;
  // What is behind it: the SDL driver's name, "silent clock", "virtual" or
  // "Web Audio".
  virtual std::string name() const = 0;
  // How far ahead of its clock it renders, beyond one period.
  virtual std::int64_t aheadMicros() const { return 0; }
};

// The machine's own output. On a desktop: an SDL2 device, else the silent
// clock, both rendering on threads of their own; `error` says why no device
// opened. In a browser: Web Audio, rendered ahead as the UI thread delivers
// events.
std::unique_ptr<AudioOutput> openDeviceOutput(AudioRender render, int period, std::string* error);
// Whether that output calls the render function on a thread of its own.
bool deviceOutputHasThread();

// An SDL2 audio device. Returns nullptr and sets `error` when none can be opened.
std::unique_ptr<AudioOutput> openSdlOutput(AudioRender render, int period, std::string* error);
// A thread that asks for frames at the real pace and throws them away.
std::unique_ptr<AudioOutput> openSilentClock(AudioRender render, int period);
// Renders on the calling thread whenever the host's clock moves.
std::unique_ptr<AudioOutput> openVirtualOutput(VirtualHost& host, AudioRender render, int period);

}  // namespace drum
