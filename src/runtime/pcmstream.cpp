#include "runtime/pcmstream.h"

#include <algorithm>

#include "runtime/mixer.h"
#include "runtime/mixkernel.h"

namespace drum {

using namespace mixkernel;

namespace {
constexpr std::size_t kRingKept = std::size_t{1} << 16;  // samples kept once played: 3 s at 22,050 Hz
}  // namespace

PcmStream::PcmStream(std::shared_ptr<MixerLocks> locks, std::uint64_t key, int rate, Callbacks callbacks)
    : locks_(std::move(locks)), key_(key), rate_(rate), callbacks_(std::move(callbacks)) {}

void PcmStream::push(const std::int16_t* samples, std::size_t count) {
  std::vector<std::int16_t> old;  // freed once unlocked
  std::lock_guard lock(locks_->state);
  const bool silent = readPos_ >= static_cast<double>(pushed_);
  if (silent && owner_) holdStamp_ = owner_->lastCommandStamp();
  if (noMarks() || marks_.back().end >= 0) openMark();
  const std::size_t queued = static_cast<std::size_t>(pushed_ - base_);
  // A ring grown for a long text is given back once it has played out.
  const bool oversized = queued == 0 && ring_.size() > kRingKept && count <= kRingKept;
  if (queued + count > ring_.size() || oversized) {
    std::size_t size = 4096;
    while (size < queued + count) size *= 2;
    std::vector<std::int16_t> grown(size);
    for (std::size_t k = 0; k < queued; ++k) grown[k] = ring_[(ringHead_ + k) & (ring_.size() - 1)];
    old.swap(ring_);
    ring_.swap(grown);
    ringHead_ = 0;
  }
  const std::size_t mask = ring_.size() - 1;
  for (std::size_t k = 0; k < count; ++k) ring_[(ringHead_ + queued + k) & mask] = samples[k];
  pushed_ += static_cast<std::int64_t>(count);
}

void PcmStream::openMark() {
  if (noMarks()) {
    marks_.clear();
    marksHead_ = 0;
  } else if (marksHead_ >= 64 && marksHead_ * 2 >= marks_.size()) {
    marks_.erase(marks_.begin(), marks_.begin() + static_cast<std::ptrdiff_t>(marksHead_));
    marksHead_ = 0;
  }
  marks_.push_back({pushed_, -1, nextId_++});
}

std::uint64_t PcmStream::endUtterance() {
  std::lock_guard lock(locks_->state);
  if (noMarks() || marks_.back().end >= 0) openMark();
  marks_.back().end = pushed_;
  return marks_.back().id;
}

std::uint64_t PcmStream::currentUtterance() const {
  std::lock_guard lock(locks_->state);
  if (!noMarks() && marks_.back().end < 0) return marks_.back().id;
  return nextId_;
}

void PcmStream::reset() {
  std::lock_guard delivery(locks_->delivery);
  std::lock_guard lock(locks_->state);
  // What was noticed but not yet told is dropped with the rest.
  reportFrom_ = nextId_;
  // The next 2 ms of what was sounding, fading out: a cut to zero would click.
  fade_.clear();
  fadeAt_ = 0;
  const double step = static_cast<double>(rate_) / Mixer::kRate;
  double pos = readPos_;
  for (int f = 0; f < kRampFrames; ++f) {
    const std::int64_t i = static_cast<std::int64_t>(pos);
    if (i >= pushed_) break;
    const float t = static_cast<float>(pos - static_cast<double>(i));
    const float v = cubic(sampleAt(i - 1), sampleAt(i), sampleAt(i + 1), sampleAt(i + 2), t);
    fade_.push_back(v * gain_ * (1.0f - static_cast<float>(f + 1) / kRampFrames));
    pos += step;
  }
  base_ = pushed_;
  readPos_ = static_cast<double>(pushed_);
  marks_.clear();  // keeps its capacity
  marksHead_ = 0;
}

void PcmStream::setVolume(int volume) {
  std::lock_guard lock(locks_->state);
  gainTarget_ = Mixer::gainOf(volume);
}

bool PcmStream::idle() const {
  std::lock_guard lock(locks_->state);
  return noMarks() && readPos_ >= static_cast<double>(pushed_) && fadeAt_ >= fade_.size();
}

float PcmStream::sampleAt(std::int64_t index) const {
  if (index < base_ || index >= pushed_) return 0.0f;
  return ring_[(ringHead_ + static_cast<std::size_t>(index - base_)) & (ring_.size() - 1)] * (1.0f / 32768.0f);
}

void PcmStream::renderAdd(Mixer& mixer, float* stereo, int frames, std::int64_t position) {
  const double step = static_cast<double>(rate_) / Mixer::kRate;
  std::int64_t holdUntil = 0;
  if (holdStamp_) {
    holdUntil = mixer.frameOf(*holdStamp_);
    // Once reached it is forgotten: a later jump of the frame clock must not
    // stop speech that has begun.
    if (holdUntil <= position + frames) holdStamp_.reset();
  }
  for (int f = 0; f < frames; ++f) {
    float out = 0.0f;
    if (fadeAt_ < fade_.size()) out += fade_[fadeAt_++];
    if (position + f < holdUntil) {
      stereo[2 * f] += out;
      stereo[2 * f + 1] += out;
      continue;
    }
    const std::int64_t i = static_cast<std::int64_t>(readPos_);
    // Report the utterances whose edges the read position has reached. With
    // the notice ring full, the rest is reported at a later frame.
    while (!noMarks()) {
      Mark& m = marks_[marksHead_];
      const bool hasSample = i >= m.start && (m.end < 0 ? i < pushed_ : i < m.end);
      const bool ended = m.end >= 0 && i >= m.end;
      if (!m.startedSent && (hasSample || ended)) {
        if (callbacks_.started && !mixer.notice({key_, m.id, false})) break;
        m.startedSent = true;
      }
      if (ended) {
        if (callbacks_.finished && !mixer.notice({key_, m.id, true})) break;
        ++marksHead_;
        continue;
      }
      break;
    }
    // Interpolation needs two samples ahead, unless nothing more is coming.
    const bool open = !noMarks() && marks_.back().end < 0;
    const bool ready = i + 2 < pushed_ || (!open && i < pushed_);
    if (ready) {
      const float t = static_cast<float>(readPos_ - static_cast<double>(i));
      const float v = cubic(sampleAt(i - 1), sampleAt(i), sampleAt(i + 1), sampleAt(i + 2), t);
      gain_ += (gainTarget_ - gain_) * kGainSmoothing;
      out += v * gain_;
      readPos_ += step;
      if (const std::int64_t done = std::min(i - 1, pushed_); done > base_) {
        ringHead_ = (ringHead_ + static_cast<std::size_t>(done - base_)) & (ring_.size() - 1);
        base_ = done;
      }
    }
    stereo[2 * f] += out;
    stereo[2 * f + 1] += out;
  }
}

}  // namespace drum
