#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "page.h"
#include "platform/audiooutput.h"
#include "platform/clock.h"
#include "webaudio.h"

namespace drum {
namespace {

// How far ahead of the context's clock the mixer renders. The page sees that
// clock move in the steps the browser's audio thread renders at a time (in
// Chromium on PulseAudio 512 or 640 frames, every 10 ms or so), and each step
// must find its frames written: the lead is the largest step of the last
// second or two, plus a quantum and a margin. Everything rendered ahead is
// heard before a key's sound, so no more than that.
constexpr int kChunk = 128;  // frames rendered at a time: the worklet's quantum
constexpr int kPiece = 32;   // the least rendered at a time while silent
constexpr double kMarginFrames = 48;
constexpr double kMinLeadFrames = 4 * kChunk;
constexpr double kMaxLeadFrames = 2400;  // 50 ms: a page held up does not keep it
constexpr double kStepWindowFrames = AudioOutput::kRate;
// Commands land this far beyond one period of the mixer's (soundsystem.cpp):
// enough for the lead of Chromium on PulseAudio.
constexpr std::int64_t kAheadMicros = 12000;
// A sound that begins after this much silence is moved up to the first frame
// the page has not played: the silence rendered ahead of it is dropped, not
// heard before it (a key's letter comes about one step sooner). Within a
// sound, its rests keep their length.
constexpr double kIdleFrames = AudioOutput::kRate / 20;  // 50 ms
// Quieter than this (-80 dBFS) is silence: a filter's fading tail is.
constexpr float kSilent = 1e-4f;

bool silent(std::span<const float> samples) {
  for (float x : samples)
    if (x > kSilent || x < -kSilent) return false;
  return true;
}

class WebOutput;
WebOutput* current = nullptr;

class WebOutput : public AudioOutput {
 public:
  explicit WebOutput(AudioRender render) : render_(std::move(render)), start_(monoMicros()) {
    buffer_.resize(static_cast<std::size_t>(kChunk) * 2);
    current = this;
  }
  ~WebOutput() override {
    if (current == this) current = nullptr;
  }
  int period() const override { return kChunk; }
  std::string name() const override { return "Web Audio"; }
  std::int64_t aheadMicros() const override { return kAheadMicros; }

  void pump() {
    const std::int64_t now = monoMicros();
    const double time = page::audioTime();
    if (time < 0) {
      paceSilently(now);
      return;
    }
    const double playing = time * kRate;
    const double lead = leadFor(playing);
    // The first pump with a context, or one after the page was held up so
    // long (a hidden tab) that everything rendered is past: start afresh.
    if (next_ < playing) next_ = std::ceil(playing + lead / 2);
    // While silent, the window also moves as time passes between the clock's
    // steps, and is rendered up to its end in pieces of any length: a sound
    // the program starts is rendered (and moved up) at the next pump, not at
    // the clock's next step or once a whole quantum is due.
    // The window's end is then the same time ahead of the sound heard as at
    // a step (the mixer times frames by the earliest requests, those at a
    // step), so a command still lands on a frame not yet rendered.
    double end = playing + lead;
    if (quietFrames_ >= kIdleFrames)
      end = std::floor(end + std::min(step_, static_cast<double>(now - movedAt_) * kRate / 1e6));
    batch_.clear();
    double start = next_, at = next_;
    bool onset = false;
    for (;;) {
      int frames = kChunk;
      if (at + kChunk > end) {
        if (quietFrames_ < kIdleFrames || at + kPiece > end) break;
        frames = static_cast<int>(end - at);
      }
      const auto due = now + static_cast<std::int64_t>((at - playing) * 1e6 / kRate);
      render_(buffer_.data(), frames, due);
      const std::span<const float> rendered(buffer_.data(), static_cast<std::size_t>(frames) * 2);
      if (silent(rendered)) {
        quietFrames_ += frames;
      } else {
        const double first = std::max(std::ceil(playing), loudEnd_);
        if (quietFrames_ >= kIdleFrames && first < at) {
          // The silence of this pass goes too; the page moves the sound
          // later again if its first frame is already playing.
          batch_.clear();
          start = at = first;
          onset = true;
        }
        quietFrames_ = 0;
        loudEnd_ = at + frames;
      }
      batch_.insert(batch_.end(), rendered.begin(), rendered.end());
      at += frames;
    }
    if (batch_.empty()) return;
    page::audioWrite(batch_.data(), static_cast<int>(batch_.size() / 2), start, onset);
    next_ = at;
  }

 private:
  double leadFor(double playing) {
    if (lastPlaying_ >= 0 && playing > lastPlaying_) stepMax_[1] = std::max(stepMax_[1], playing - lastPlaying_);
    if (playing != lastPlaying_) movedAt_ = monoMicros();
    lastPlaying_ = playing;
    if (playing - windowStart_ >= kStepWindowFrames) {
      stepMax_[0] = stepMax_[1];
      stepMax_[1] = 0;
      windowStart_ = playing;
    }
    const double step = std::max(stepMax_[0], stepMax_[1]);
    // Before the clock has moved twice: what Chromium on PulseAudio needs.
    step_ = step == 0 ? 640 : step;
    return std::clamp(step_ + kChunk + kMarginFrames, kMinLeadFrames, kMaxLeadFrames);
  }

  void paceSilently(std::int64_t now) {
    while (true) {
      const std::int64_t due = start_ + silentFrames_ * 1000000 / kRate;
      if (due > now) return;
      render_(buffer_.data(), kChunk, due);
      silentFrames_ += kChunk;
    }
  }

  AudioRender render_;
  std::int64_t start_;
  std::int64_t silentFrames_ = 0;
  double next_ = -1;  // the context frame of the next frame to write
  double step_ = 640;            // the clock's largest recent step
  std::int64_t movedAt_ = 0;     // when the clock was last seen to move
  double loudEnd_ = 0;       // the frame after the last one written above silence
  double quietFrames_ = 0;   // silent frames written since then
  double lastPlaying_ = -1;
  double windowStart_ = 0;
  double stepMax_[2] = {0, 0};  // the largest clock steps of the last window and of this one
  std::vector<float> buffer_, batch_;
};

}  // namespace

std::unique_ptr<AudioOutput> openDeviceOutput(AudioRender render, int, std::function<void(std::int64_t)>,
                                              std::string*) {
  return std::make_unique<WebOutput>(std::move(render));
}

bool deviceOutputHasThread() { return false; }

void pumpWebAudio() {
  if (current) current->pump();
}

}  // namespace drum
