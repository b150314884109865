// The browser's sound feed against a browser played here: an AudioContext
// whose clock moves 512 frames at a time at 44.1 kHz, a page that looks at it
// now often, now late, and a worklet's ring that plays each frame where it is
// written. A tone must sound for as long as the program kept it on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "contextfeed.h"
#include "runtime/mixer.h"

namespace drum {
namespace {

class Browser {
 public:
  static constexpr int kRing = 48000 * 12;

  explicit Browser(unsigned seed) : random_(seed), mixer_([this] { return now_; }) {
    feed_ = std::make_unique<ContextFeed>(
        [this](float* stereo, int frames, std::int64_t due) { mixer_.render(stereo, frames, due); },
        [this] { delay(); }, [this] { return mixer_.loopSounding(); });
    delay();
    ring_.assign(kRing, 0.0f);
    auto wave = std::make_shared<SampleBuffer>();
    wave->rate = 48000;
    for (int i = 0; i < 4800; ++i) wave->samples.push_back(0.5f * std::sin(2 * M_PI * 1000 * i / 48000.0));
    voice_ = mixer_.addVoice(wave);
  }

  // Runs the page until `until` microseconds, as busy as `stalls` says.
  void runTo(std::int64_t until) {
    while (now_ < until) {
      const bool stall = std::uniform_real_distribution<>(0, 1)(random_) < stalls;
      now_ += stall ? std::uniform_int_distribution<>(15000, 40000)(random_)
                    : std::uniform_int_distribution<>(500, 4500)(random_);
      while (stepAt() <= now_) {
        rendered_ += 512;
        if (lostAt && rendered_ * 1000000 / 44100 >= lostAt) {
          lost_ += lostMicros;  // the device played silence meanwhile: later frames play later
          lostAt = 0;
        }
      }
      feed_->pump(now_, rendered_ / 44100.0, [this](const float* s, int n, double start, bool onset) {
        write(s, n, static_cast<std::int64_t>(start), onset);
      });
    }
  }

  // A tone from the first look at or after `at` for `micros`, as a SOUND
  // waits: its stop comes at the first look after its time. Returns the
  // time it was kept on, and how long it sounded in the ring.
  std::pair<double, double> tone(std::int64_t at, std::int64_t micros) {
    runTo(at);
    const std::int64_t on = now_;
    const double playedFrom = rendered_ * 48000.0 / 44100;
    mixer_.start(voice_, 0, 0, true);
    runTo(on + micros);
    const std::int64_t off = now_;
    mixer_.stop(voice_);
    runTo(off + 200000);
    return {(off - on) / 1000.0, heardMillis(static_cast<std::int64_t>(playedFrom))};
  }

  // A recorded sound (it ends by itself) started at the first look at or
  // after `at`: how long after the frame then playing it is heard.
  double soundWait(std::int64_t at) {
    runTo(at);
    const std::int64_t playing = rendered_ * 48000 / 44100;
    mixer_.start(voice_, 0, 0, false);
    runTo(now_ + 200000);
    std::int64_t first = playing;
    while (first < kRing && std::fabs(ring_[first]) < 0.25f) ++first;
    return (first - playing) / 48.0;
  }

  double stalls = 0;
  std::int64_t lostAt = 0, lostMicros = 0;

 private:
  std::int64_t stepAt() const { return (rendered_ + 512) * 1000000 / 44100 + lost_; }

  void delay() { mixer_.setCommandDelay(256 * 1000000 / 48000 + 3000 + (feed_ ? feed_->aheadMicros() : 0)); }

  // As the worklet: a frame already played is dropped, a later write
  // replaces an earlier one, and a sound after silence that would begin in
  // the past begins at the next frame, with what follows it.
  void write(const float* stereo, int n, std::int64_t frame, bool onset) {
    const std::int64_t playing = rendered_ * 48000 / 44100;
    if (onset) late_ = std::max<std::int64_t>(0, playing + 1 - frame);
    frame += late_;
    for (int i = 0; i < n; ++i)
      if (frame + i >= playing && frame + i < kRing) ring_[frame + i] = stereo[2 * i];
  }

  // From the first to the last frame above half the tone's level, in the
  // 300 ms from `from`.
  double heardMillis(std::int64_t from) const {
    std::int64_t first = -1, last = -1;
    for (std::int64_t i = from; i < from + 14400 && i < kRing; ++i) {
      if (std::fabs(ring_[i]) < 0.25f) continue;
      if (first < 0) first = i;
      last = i;
    }
    return first < 0 ? 0 : (last - first) / 48.0;
  }

  std::mt19937 random_;
  std::int64_t now_ = 0, rendered_ = 0, lost_ = 0, late_ = 0;
  Mixer mixer_;
  std::unique_ptr<ContextFeed> feed_;
  Mixer::VoiceId voice_;
  std::vector<float> ring_;
};

// Each tone begins after silence, where a key's sound is moved up.
TEST(ContextFeed, ATonesLengthIsTheProgramsWhereverThePageLooksAtTheClock) {
  for (double stalls : {0.0, 0.05}) {
    Browser browser(7);
    browser.stalls = stalls;
    for (int i = 0; i < 20; ++i) {
      const auto [kept, heard] = browser.tone(300000 + i * 400000LL, 70000);
      EXPECT_NEAR(heard, kept, 0.6) << "tone " << i << ", stalls " << stalls;
    }
  }
}

// A page held up in one look of five renders further ahead from then on;
// a tone that meets that can come out a few milliseconds long, no more.
TEST(ContextFeed, ABusyPageKeepsTonesNearlyExact) {
  Browser browser(7);
  browser.stalls = 0.2;
  std::vector<double> errors;
  for (int i = 0; i < 20; ++i) {
    const auto [kept, heard] = browser.tone(300000 + i * 400000LL, 70000);
    EXPECT_NEAR(heard, kept, 5) << "tone " << i;
    errors.push_back(std::fabs(heard - kept));
  }
  std::sort(errors.begin(), errors.end());
  EXPECT_LT(errors[errors.size() / 2], 0.6);
}

// About a step of the context's clock (11.6 ms) after the frame the page
// saw playing: the silence rendered ahead of it is not heard first (left in,
// it would be 20 to 30 ms).
TEST(ContextFeed, ARecordedSoundAfterSilenceIsMovedUp) {
  Browser browser(3);
  for (int i = 0; i < 10; ++i) EXPECT_LT(browser.soundWait(300000 + i * 400000LL), 15) << "sound " << i;
}

TEST(ContextFeed, AContextThatLostTimeIsFollowed) {
  Browser browser(11);
  browser.stalls = 0.05;
  browser.lostAt = 1000000;
  browser.lostMicros = 140000;
  for (int i = 0; i < 12; ++i) {
    const auto [kept, heard] = browser.tone(2000000 + i * 400000LL, 70000);
    EXPECT_NEAR(heard, kept, 0.6) << "tone " << i;
  }
}

}  // namespace
}  // namespace drum
