// The sound device as the mixer sees it: something that asks, again and again,
// for the next frames of 48 kHz stereo float audio. PipeWire through its own
// library, a sound server through libpulse (PulseAudio, or PipeWire where it
// cannot be reached in its own way), an SDL2 device where there is no sound
// server (ALSA), a silent clock that paces the same requests in real time when
// no device opens, the watched device that the program plays on (one of the
// first three, opened again whenever it goes away, with the silent clock's pace
// meanwhile), a virtual one that renders as the VirtualHost's clock moves,
// and in a browser Web Audio (web/core).
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
  // What is behind it: "pulseaudio", "pipewire", "pipewire-pulse", the SDL driver's
  // name, "silent clock", "virtual" or "Web Audio".
  virtual std::string name() const = 0;
  // How far ahead of its clock it renders, beyond one period.
  virtual std::int64_t aheadMicros() const { return 0; }
  // The server or device went away: this output will ask for nothing more.
  virtual bool lost() const { return false; }
  // Times the server ran out of our frames and played silence meanwhile
  // (a gap the player hears if anything was sounding).
  virtual std::int64_t underflows() const { return 0; }
};

// The machine's own output. On a desktop: the watched device (below), whose
// threads render; `returned` is told how long the sound was gone when a
// device took over from the silent pace again (from the output's thread),
// `error` why no device opened at first. In a browser: Web Audio, rendered
// ahead as the UI thread delivers events.
std::unique_ptr<AudioOutput> openDeviceOutput(AudioRender render, int period,
                                              std::function<void(std::int64_t gapMicros)> returned,
                                              std::string* error);
// Whether that output calls the render function on a thread of its own.
bool deviceOutputHasThread();

// How to reach the sound server.
struct PulseOpening {
  bool autospawn = true;                // a server may be started (as the user's client.conf says)
  std::int64_t waitMicros = 1500000;    // how long a server that takes the connection may take to answer
};

// A playback stream on the default device of the PulseAudio or PipeWire
// server. Returns nullptr and sets `error` when none can be opened;
// `noAnswer` then says whether a server took the connection but never answered.
// Where the server is PipeWire's, `pipewireCookie` is set to its cookie.
std::unique_ptr<AudioOutput> openPulseOutput(AudioRender render, int period, const PulseOpening& how,
                                             std::string* error, bool* noAnswer = nullptr,
                                             std::uint32_t* pipewireCookie = nullptr);

// A stream of PipeWire's own on its default sink (PULSE_SINK names another),
// open once the graph runs it; nullptr and `error` when that does not happen
// within `waitMicros`, or when the server's cookie is not `cookie` (0: any).
std::unique_ptr<AudioOutput> openPipeWireOutput(AudioRender render, int period, std::int64_t waitMicros,
                                                std::uint32_t cookie, std::string* error);
// An SDL2 audio device. Returns nullptr and sets `error` when none can be opened.
std::unique_ptr<AudioOutput> openSdlOutput(AudioRender render, int period, std::string* error);
// The device the program plays on: the sound server (libpulse), else SDL2,
// else the silent clock's pace until one opens. A device that goes away or
// stops asking for frames is replaced by the pace at once and opened again,
// on the default device, as soon as one answers; `returned` is then told how
// long the sound was gone (from the output's own thread). `error` says why
// none opened at first, if none did. SDL_AUDIODRIVER naming a driver other
// than pulseaudio takes SDL's way (tests, and players who chose a driver).
std::unique_ptr<AudioOutput> openWatchedOutput(AudioRender render, int period,
                                               std::function<void(std::int64_t gapMicros)> returned,
                                               std::string* error);
// A thread that asks for frames at the real pace and throws them away.
std::unique_ptr<AudioOutput> openSilentClock(AudioRender render, int period);
// Renders on the calling thread whenever the host's clock moves.
std::unique_ptr<AudioOutput> openVirtualOutput(VirtualHost& host, AudioRender render, int period);

}  // namespace drum
