#include "runtime/mixer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "runtime/mixkernel.h"

namespace drum {

using namespace mixkernel;

namespace {

constexpr double kHighPassHz = 25.0;
constexpr double kDcBlock = 0.9995;                   // about 4 Hz
constexpr int kPrerollFrames = 3072;                  // 64 ms: the high-pass settles
constexpr std::size_t kOffsetWindow = 1024;           // device requests: 5.5 s at 256 frames
constexpr double kOffsetSlew = 2.0;                   // microseconds per request: 375 ppm at 256 frames
// A device that lost time shows as this many requests in a row later than
// the jitter that the command delay leaves room for (3 ms).
constexpr std::size_t kLossWindow = 4;                // device requests: 21 ms at 256 frames
constexpr double kLossMicros = 3000.0;

// Limits the sum of several loud sources without a hard edge.
inline float softLimit(double x) {
  const double a = std::fabs(x);
  if (a <= 0.9) return static_cast<float>(x);
  const double y = 0.9 + 0.1 * std::tanh((a - 0.9) / 0.1);
  return static_cast<float>(x < 0 ? -y : y);
}

}  // namespace

float Mixer::gainOf(int volume) {
  if (volume <= kSilence) return 0.0f;
  if (volume >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

int Mixer::clampRate(int rate) {
  if (rate == 0) return 0;
  return std::clamp(rate, kMinRate, kMaxRate);
}

Mixer::Mixer(std::function<std::int64_t()> clock, Delivery delivery)
    : locks_(std::make_shared<MixerLocks>()), clock_(std::move(clock)), notices_(kNotices), delivery_(delivery) {
  recentOffsets_.reserve(kOffsetWindow);  // not grown on the audio thread
  // Fourth-order Butterworth high-pass as two biquads (Q of each section).
  const double qs[2] = {0.54119610, 1.30656296};
  const double w0 = 2 * M_PI * kHighPassHz / kRate;
  for (int s = 0; s < 2; ++s) {
    const double alpha = std::sin(w0) / (2 * qs[s]);
    const double c = std::cos(w0);
    const double a0 = 1 + alpha;
    hp_[s] = {(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
  }
  if (delivery_ == Delivery::Thread) {
    sem_init(&wake_, 0, 0);
    deliveryThread_ = std::thread([this] { deliveryLoop(); });
  }
}

Mixer::~Mixer() {
  if (deliveryThread_.joinable()) {
    stopping_ = true;
    sem_post(&wake_);
    deliveryThread_.join();
    sem_destroy(&wake_);
  }
  std::lock_guard lock(locks_->state);
  for (auto& s : streams_) s->owner_ = nullptr;
}

void Mixer::setCommandDelay(std::int64_t micros) {
  std::lock_guard lock(locks_->state);
  delay_ = micros;
}

// ---- Voices -------------------------------------------------------------------

Mixer::VoiceId Mixer::addVoice(std::shared_ptr<const SampleBuffer> buffer) {
  std::lock_guard lock(locks_->state);
  for (std::size_t i = 0; i < voices_.size(); ++i) {
    if (!voices_[i].used) {
      voices_[i] = Voice{};
      voices_[i].used = true;
      voices_[i].buffer = std::move(buffer);
      return static_cast<VoiceId>(i);
    }
  }
  Voice v;
  v.used = true;
  v.buffer = std::move(buffer);
  voices_.push_back(std::move(v));
  return static_cast<VoiceId>(voices_.size() - 1);
}

void Mixer::removeVoice(VoiceId id) {
  std::lock_guard lock(locks_->state);
  if (id < 0 || id >= static_cast<VoiceId>(voices_.size())) return;
  // Commands still queued for it must not reach a voice that reuses the slot.
  commands_.erase(std::remove_if(commands_.begin() + static_cast<std::ptrdiff_t>(commandsHead_), commands_.end(),
                                 [id](const Command& c) { return c.id == id; }),
                  commands_.end());
  voices_[id] = Voice{};
}

bool Mixer::validVoice(VoiceId id) const {
  return id >= 0 && id < static_cast<VoiceId>(voices_.size()) && voices_[id].used;
}

void Mixer::queue(Command c) {
  c.stamp = clock_();
  if (commandsHead_ == commands_.size()) {
    commands_.clear();  // keeps its capacity
    commandsHead_ = 0;
  } else if (commandsHead_ >= 64 && commandsHead_ * 2 >= commands_.size()) {
    commands_.erase(commands_.begin(), commands_.begin() + static_cast<std::ptrdiff_t>(commandsHead_));
    commandsHead_ = 0;
  }
  commands_.push_back(c);
}

void Mixer::start(VoiceId id, int rate, int volume, bool looped) {
  rate = clampRate(rate);
  for (;;) {
    std::shared_ptr<const SampleBuffer> buffer;
    {
      std::lock_guard lock(locks_->state);
      if (!validVoice(id)) return;
      buffer = voices_[id].buffer;
    }
    Command c{0, Op::Start, id, rate, volume, looped, 0, {}};
    // Unlocked: the audio thread must not wait for this.
    if (looped && buffer && buffer->frames() > 0 && buffer->rate > 0) c.preroll = prerollFor(buffer, stepFor(*buffer, rate));
    std::lock_guard lock(locks_->state);
    if (!validVoice(id)) return;
    if (voices_[id].buffer != buffer) continue;  // the slot was given to another voice meanwhile
    Voice& v = voices_[id];
    v.playing = true;
    c.generation = ++v.generation;
    queue(c);
    return;
  }
}

void Mixer::stop(VoiceId id) {
  std::lock_guard lock(locks_->state);
  if (!validVoice(id)) return;
  voices_[id].playing = false;
  queue({0, Op::Stop, id, 0, 0, false, 0, {}});
}

void Mixer::setRate(VoiceId id, int rate) {
  std::lock_guard lock(locks_->state);
  if (!validVoice(id)) return;
  queue({0, Op::Rate, id, clampRate(rate), 0, false, 0, {}});
}

void Mixer::setVolume(VoiceId id, int volume) {
  std::lock_guard lock(locks_->state);
  if (!validVoice(id)) return;
  queue({0, Op::Volume, id, 0, volume, false, 0, {}});
}

bool Mixer::isPlaying(VoiceId id) const {
  std::lock_guard lock(locks_->state);
  if (id < 0 || id >= static_cast<VoiceId>(voices_.size())) return false;
  return voices_[id].playing;
}

bool Mixer::loopSounding() const {
  std::lock_guard lock(locks_->state);
  return std::any_of(voices_.begin(), voices_.end(), [](const Voice& v) { return v.cur.active && v.cur.looped; });
}

double Mixer::stepFor(const SampleBuffer& b, int rate) const {
  return static_cast<double>(rate == 0 ? b.rate : rate) / kRate;
}

void Mixer::apply(const Command& c) {
  Voice& v = voices_[c.id];
  if (!v.used) return;
  Playback& p = v.cur;
  switch (c.op) {
    case Op::Start: {
      if (p.active) {
        v.tail = p;
        v.tail.envStep = -kRampStep;
      }
      p = Playback{};
      p.buffer = v.buffer;
      p.generation = c.generation;
      if (!p.buffer || p.buffer->frames() == 0 || p.buffer->rate <= 0) {
        if (v.generation == c.generation) v.playing = false;
        break;
      }
      p.active = true;
      p.looped = c.looped;
      p.step = stepFor(*p.buffer, c.rate);
      p.gain = p.gainTarget = gainOf(c.volume);
      // A tone fades in; a recorded sound keeps its own attack.
      p.env = c.looped ? 0.0f : 1.0f;
      p.envStep = 0.0f;
      if (c.looped) {
        p.pos = c.preroll.pos;
        std::copy(&c.preroll.z[0][0], &c.preroll.z[0][0] + 8, &p.z[0][0]);
        p.envStep = kRampStep;
      }
      break;
    }
    case Op::Stop:
      if (p.active) {
        v.tail = p;
        v.tail.envStep = -kRampStep;
        p.active = false;
      }
      break;
    case Op::Rate:
      if (p.active && p.buffer) p.step = stepFor(*p.buffer, c.rate);
      break;
    case Op::Volume:
      if (p.active) p.gainTarget = gainOf(c.volume);
      break;
    case Op::Remove:
      break;
  }
}

Mixer::Preroll Mixer::prerollFor(const std::shared_ptr<const SampleBuffer>& buffer, double step) const {
  // Run the high-pass over the loop as if it had always been sounding, so the
  // filter has no start-up transient of its own to let through.
  Playback p;
  p.buffer = buffer;
  p.active = true;
  p.looped = true;
  p.step = step;
  const SampleBuffer& b = *buffer;
  const double len = static_cast<double>(b.frames());
  p.pos = len - std::fmod(kPrerollFrames * step, len);
  if (p.pos >= len) p.pos = 0;
  // Start the filter as if its first input had always been there.
  const std::size_t i0 = static_cast<std::size_t>(p.pos);
  for (int ch = 0; ch < b.channels; ++ch) {
    const double x0 = b.samples[i0 * b.channels + ch];
    p.z[ch][0] = -hp_[0].b0 * x0;
    p.z[ch][1] = hp_[0].b2 * x0;
  }
  float sink[2 * 256];
  for (int left = kPrerollFrames; left > 0; left -= 256) {
    std::fill(sink, sink + 2 * 256, 0.0f);
    renderPlayback(p, sink, std::min(left, 256), nullptr);
  }
  Preroll out;
  out.pos = p.pos;
  std::copy(&p.z[0][0], &p.z[0][0] + 8, &out.z[0][0]);
  return out;
}

void Mixer::renderPlayback(Playback& p, float* stereo, int frames, Voice* owner) const {
  const SampleBuffer& b = *p.buffer;
  const std::int64_t n = static_cast<std::int64_t>(b.frames());
  const int ch = b.channels;
  const float* s = b.samples.data();
  const double len = static_cast<double>(n);
  // Positions stay within one loop of the buffer, so wrapping needs no division.
  auto at = [&](std::int64_t i, int c) -> float {
    if (i < 0 || i >= n) {
      if (!p.looped) return 0.0f;
      i = i < 0 ? i + n : i - n;
      if (i < 0 || i >= n) i = ((i % n) + n) % n;  // buffers shorter than four frames
    }
    return s[i * ch + c];
  };
  for (int f = 0; f < frames; ++f) {
    const std::int64_t i = static_cast<std::int64_t>(p.pos);
    const float t = static_cast<float>(p.pos - static_cast<double>(i));
    float out[2] = {0.0f, 0.0f};
    for (int c = 0; c < ch; ++c) {
      double x = cubic(at(i - 1, c), at(i, c), at(i + 1, c), at(i + 2, c), t);
      // High-pass before the envelope: what is below hearing never reaches the
      // ramps, so a very slow "tone" starts and stops in silence.
      double* z = p.z[c];
      for (int k = 0; k < 2; ++k) {
        const Biquad& q = hp_[k];
        const double y = q.b0 * x + z[2 * k];
        z[2 * k] = q.b1 * x - q.a1 * y + z[2 * k + 1];
        z[2 * k + 1] = q.b2 * x - q.a2 * y;
        x = y;
      }
      out[c] = static_cast<float>(x);
    }
    if (ch == 1) out[1] = out[0];
    const float g = p.gain * p.env;
    stereo[2 * f] += out[0] * g;
    stereo[2 * f + 1] += out[1] * g;

    p.gain += (p.gainTarget - p.gain) * kGainSmoothing;
    if (p.envStep != 0.0f) {
      p.env += p.envStep;
      if (p.env >= 1.0f) {
        p.env = 1.0f;
        p.envStep = 0.0f;
      } else if (p.env <= 0.0f) {
        p.active = false;
        return;
      }
    }
    p.pos += p.step;
    // Rates are rarely exact in binary: a last step a hair short still ends the wave.
    if (p.pos >= len - 1e-7) {
      if (p.looped) {
        p.pos = std::max(0.0, std::fmod(p.pos, len));
        if (p.pos >= len - 1e-7) p.pos = 0;
      } else {
        p.active = false;
        if (owner && owner->generation == p.generation) owner->playing = false;
        return;
      }
    }
  }
}

void Mixer::renderVoices(float* stereo, int frames) {
  for (Voice& v : voices_) {
    if (!v.used) continue;
    if (v.tail.active) renderPlayback(v.tail, stereo, frames, nullptr);
    if (v.cur.active) renderPlayback(v.cur, stereo, frames, &v);
  }
}

std::optional<std::int64_t> Mixer::lastCommandStamp() const {
  if (commandsHead_ == commands_.size()) return std::nullopt;
  return commands_.back().stamp;  // stamps only grow
}

std::int64_t Mixer::frameOf(std::int64_t stamp) const {
  return std::llround((static_cast<double>(stamp + delay_) - offset_) * kRate / 1e6);
}

// ---- Rendering ------------------------------------------------------------------

void Mixer::render(float* stereo, int frames, std::int64_t bufferMicros) {
  std::unique_lock lock(locks_->state);
  const std::uint64_t noticed = noticesWritten_.load(std::memory_order_relaxed);
  // Where this buffer lies on the clock. Requests come late by varying
  // amounts, never early, so the earliest of the last few seconds follows the
  // device's own pace. The frame clock moves towards it slowly, so a tone
  // sounding meanwhile keeps its length, but never so far behind that a
  // command could land on a frame already rendered (the command delay beyond
  // one buffer is the margin); a jump of more than 20 ms (the device
  // restarted) is taken whole.
  const double e = static_cast<double>(bufferMicros) - static_cast<double>(position_) * 1e6 / kRate;
  if (recentOffsets_.size() < kOffsetWindow) {
    recentOffsets_.push_back(e);
  } else {
    recentOffsets_[nextOffset_] = e;
    nextOffset_ = (nextOffset_ + 1) % kOffsetWindow;
  }
  // A device that lost time (its sound server was held up and played
  // silence) plays every later frame that much later, for good; it shows as
  // requests that all come late. The earlier ones are forgotten then: kept for
  // seconds they would make every command land late by all the time lost
  // meanwhile, and speech waiting for the commands before it with them.
  if (recentOffsets_.size() >= kLossWindow) {
    const std::size_t n = recentOffsets_.size();
    double recent = e;
    for (std::size_t k = 1; k < kLossWindow; ++k) {
      const std::size_t at = n < kOffsetWindow ? n - 1 - k : (nextOffset_ + kOffsetWindow - 1 - k) % kOffsetWindow;
      recent = std::min(recent, recentOffsets_[at]);
    }
    if (recent - offset_ > kLossMicros) {
      recentOffsets_.clear();  // keeps its capacity
      recentOffsets_.push_back(recent);
      nextOffset_ = 0;
    }
  }
  const double earliest = *std::min_element(recentOffsets_.begin(), recentOffsets_.end());
  const double behind = offset_ - earliest;
  if (recentOffsets_.size() == 1 || std::fabs(behind) > 20000.0) {
    offset_ = earliest;
  } else if (const double lead = std::max(0.0, static_cast<double>(delay_) - frames * 1e6 / kRate); behind > lead) {
    offset_ = earliest + lead;
  } else {
    offset_ -= std::clamp(behind, -kOffsetSlew, kOffsetSlew);
  }

  std::fill(stereo, stereo + 2 * frames, 0.0f);
  int cursor = 0;
  while (commandsHead_ < commands_.size()) {
    const Command& c = commands_[commandsHead_];
    const std::int64_t at = frameOf(c.stamp) - position_;
    if (at >= frames) break;
    if (at > cursor) {
      renderVoices(stereo + 2 * cursor, static_cast<int>(at - cursor));
      cursor = static_cast<int>(at);
    }
    apply(c);
    ++commandsHead_;
  }
  if (cursor < frames) renderVoices(stereo + 2 * cursor, frames - cursor);
  for (auto& s : streams_) s->renderAdd(*this, stereo, frames, position_);

  for (int f = 0; f < frames; ++f) {
    for (int c = 0; c < 2; ++c) {
      const double x = stereo[2 * f + c];
      const double y = x - dcX_[c] + kDcBlock * dcY_[c];
      dcX_[c] = x;
      dcY_[c] = y;
      stereo[2 * f + c] = softLimit(y);
    }
  }
  position_ += frames;
  if (tap_) tap_(stereo, frames);
  const bool news = noticesWritten_.load(std::memory_order_relaxed) != noticed;
  lock.unlock();
  if (!news) return;
  if (delivery_ == Delivery::Thread) {
    sem_post(&wake_);
  } else {
    deliver();
  }
}

std::int64_t Mixer::framesRendered() const {
  std::lock_guard lock(locks_->state);
  return position_;
}

void Mixer::setTap(std::function<void(const float*, int)> tap) {
  std::lock_guard lock(locks_->state);
  tap_ = std::move(tap);
}

// ---- Notices ----------------------------------------------------------------------

bool Mixer::notice(const Notice& n) {
  const std::uint64_t written = noticesWritten_.load(std::memory_order_relaxed);
  if (written - noticesRead_.load(std::memory_order_acquire) >= kNotices) return false;
  notices_[written % kNotices] = n;
  noticesWritten_.store(written + 1, std::memory_order_release);
  return true;
}

void Mixer::deliver() {
  std::lock_guard lock(locks_->delivery);
  std::uint64_t read = noticesRead_.load(std::memory_order_relaxed);
  while (read != noticesWritten_.load(std::memory_order_acquire)) {
    const Notice n = notices_[read % kNotices];
    noticesRead_.store(++read, std::memory_order_release);
    // streams_ changes only under this lock too; a closed stream is not told.
    for (const auto& s : streams_) {
      if (s->key_ != n.stream) continue;
      if (n.id < s->reportFrom_) break;  // reset since
      const auto& callback = n.finished ? s->callbacks_.finished : s->callbacks_.started;
      if (callback) callback(n.id);
      break;
    }
  }
}

void Mixer::deliveryLoop() {
  while (!stopping_) {
    if (sem_wait(&wake_) != 0 && errno == EINTR) continue;
    // Everything noticed before the stop is still told.
    deliver();
  }
}

// ---- Streams ----------------------------------------------------------------------

std::shared_ptr<PcmStream> Mixer::openStream(int rate, PcmStream::Callbacks callbacks) {
  std::lock_guard delivery(locks_->delivery);
  std::lock_guard lock(locks_->state);
  std::shared_ptr<PcmStream> s(new PcmStream(locks_, nextStreamKey_++, std::max(rate, 1), std::move(callbacks)));
  s->owner_ = this;
  streams_.push_back(s);
  return s;
}

void Mixer::closeStream(const std::shared_ptr<PcmStream>& stream) {
  std::lock_guard delivery(locks_->delivery);
  std::lock_guard lock(locks_->state);
  if (stream) stream->owner_ = nullptr;
  std::erase(streams_, stream);
}

}  // namespace drum
