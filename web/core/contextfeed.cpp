#include "contextfeed.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace drum {
namespace {

// How far ahead of the context's clock the mixer renders. The page sees that
// clock move in the steps the browser's audio thread renders at a time (in
// Chromium on PulseAudio 512 or 640 frames, every 10 ms or so), and each step
// must find its frames written: the lead is the largest step of the last
// second or two, plus a quantum and a margin. Everything rendered ahead is
// heard before a key's sound, so no more than that.
constexpr int kPiece = 32;   // the least rendered at a time while silent
constexpr double kMarginFrames = 48;
constexpr double kMinLeadFrames = 4 * ContextFeed::kChunk;
constexpr double kMaxLeadFrames = 2400;  // 50 ms: a page held up does not keep it
constexpr double kStepWindowFrames = ContextFeed::kRate;
// Commands land beyond what is rendered ahead, so a tone's stop lands on its
// frame: the lead is followed (beyond one quantum), changed only after a
// silence, so that what sounds keeps its timing. A sound after silence is
// moved up anyway, so the wait is heard only in a command within a sound.
constexpr double kAheadChangeMicros = 1000;
constexpr double kOriginWindowFrames = ContextFeed::kRate / 4;
// A sound that begins after this much silence is moved up to the first frame
// the page has not played: the silence rendered ahead of it is dropped, not
// heard before it (a key's letter comes about one step sooner). Within a
// sound, its rests keep their length. A tone is not moved: its stop comes on
// the program's time, so the tone would sound that much longer.
constexpr double kIdleFrames = ContextFeed::kRate / 20;  // 50 ms
// Quieter than this (-80 dBFS) is silence: a filter's fading tail is.
constexpr float kSilent = 1e-4f;

bool silent(std::span<const float> samples) {
  for (float x : samples)
    if (x > kSilent || x < -kSilent) return false;
  return true;
}

}  // namespace

void ContextFeed::pump(std::int64_t now, double time, const Write& write) {
  const double playing = time * kRate;
  const double lead = leadFor(playing, now);
  if (quietFrames_ >= kIdleFrames) follow(lead);
  // The first pump with a context, or one after the page was held up so
  // long (a hidden tab) that everything rendered is past: start afresh.
  if (next_ < playing) next_ = std::ceil(playing + lead / 2);
  // While silent, the window also moves as time passes between the clock's
  // steps, and is rendered up to its end in pieces of any length: a sound
  // the program starts is rendered (and moved up) at the next pump, not at
  // the clock's next step or once a whole quantum is due.
  // The window's end is then the same time ahead of the sound heard as at
  // a step (frames are timed from the clock's pace, as seen at its steps),
  // so a command still lands on a frame not yet rendered.
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
    const auto due = static_cast<std::int64_t>(origin_ + at * 1e6 / kRate);
    render_(buffer_.data(), frames, due);
    const std::span<const float> rendered(buffer_.data(), static_cast<std::size_t>(frames) * 2);
    if (silent(rendered)) {
      quietFrames_ += frames;
    } else {
      const double first = std::max(std::ceil(playing), loudEnd_);
      if (quietFrames_ >= kIdleFrames && first < at && !(timed_ && timed_())) {
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
  write(batch_.data(), static_cast<int>(batch_.size() / 2), start, onset);
  next_ = at;
}

double ContextFeed::leadFor(double playing, std::int64_t now) {
  if (lastPlaying_ >= 0 && playing > lastPlaying_) stepMax_[1] = std::max(stepMax_[1], playing - lastPlaying_);
  if (playing != lastPlaying_) {
    movedAt_ = now;
    track(playing, static_cast<double>(movedAt_) - playing * 1e6 / kRate);
  }
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

// The first sight of a step is late by as long as the page took to look,
// so the earliest of the last quarter or half second is the clock's own
// pace. A context that lost time (its audio thread missed the device, and
// plays every later frame that much later) is believed as soon as the
// earlier sights are forgotten.
void ContextFeed::track(double playing, double origin) {
  if (playing - originStart_ >= kOriginWindowFrames) {
    originMin_[0] = originMin_[1];
    originMin_[1] = std::numeric_limits<double>::infinity();
    originStart_ = playing;
  }
  originMin_[1] = std::min(originMin_[1], origin);
  origin_ = std::min(originMin_[0], originMin_[1]);
}

void ContextFeed::follow(double lead) {
  const auto ahead = static_cast<std::int64_t>((lead - kChunk) * 1e6 / kRate);
  if (std::abs(ahead - ahead_) < kAheadChangeMicros) return;
  ahead_ = ahead;
  if (aheadChanged_) aheadChanged_();
}

}  // namespace drum
