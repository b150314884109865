// The mixer rendered a little ahead of an AudioContext's clock, as the page
// sees it: how far ahead, the time each frame plays at, and a sound after
// silence moved up to the first frame not yet played. Plain C++ (the page's
// calls are the caller's), so that a test can play a browser's clock to it.
#pragma once
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "platform/audiooutput.h"

namespace drum {

class ContextFeed {
 public:
  static constexpr int kRate = AudioOutput::kRate;  // the mixer's, and the frames it names
  static constexpr int kChunk = 128;                // frames rendered at a time: the worklet's quantum
  // Interleaved stereo frames, the first to play at context frame `start`
  // (at 48 kHz); `onset`: a sound after silence, moved up.
  using Write = std::function<void(const float* stereo, int frames, double start, bool onset)>;

  // `aheadChanged` is told when aheadMicros() changed (after a silence);
  // `timed` says whether what was rendered last holds a sound whose end a
  // later command decides (a tone): one is never moved up, since its end
  // cannot be.
  ContextFeed(AudioRender render, std::function<void()> aheadChanged, std::function<bool()> timed)
      : render_(std::move(render)), aheadChanged_(std::move(aheadChanged)), timed_(std::move(timed)) {
    buffer_.resize(static_cast<std::size_t>(kChunk) * 2);
  }
  // Renders what is due at `now` (monoMicros) with the context's clock at
  // `time` seconds, and writes it.
  void pump(std::int64_t now, double time, const Write& write);
  // How far beyond one quantum it renders ahead: commands must land later.
  std::int64_t aheadMicros() const { return ahead_; }

 private:
  double leadFor(double playing, std::int64_t now);
  void track(double playing, double origin);
  void follow(double lead);

  AudioRender render_;
  std::function<void()> aheadChanged_;
  std::function<bool()> timed_;
  double next_ = -1;  // the context frame of the next frame to write
  double step_ = 640;            // the clock's largest recent step
  // What Chromium on PulseAudio needs: its step, 640 frames, and a margin.
  std::int64_t ahead_ = (640 + 48) * 1000000LL / kRate;
  std::int64_t movedAt_ = 0;     // when the clock was last seen to move
  double loudEnd_ = 0;       // the frame after the last one written above silence
  double quietFrames_ = 0;   // silent frames written since then
  double lastPlaying_ = -1;
  // When the context's frame 0 played, on monoMicros: frames are timed from
  // it, steady, where a step seen late would time a whole pump's frames late
  // (and the mixer take them for lost time).
  double origin_ = 0;
  double originStart_ = 0;
  double originMin_[2] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
  double windowStart_ = 0;
  double stepMax_[2] = {0, 0};  // the largest clock steps of the last window and of this one
  std::vector<float> buffer_, batch_;
};

}  // namespace drum
