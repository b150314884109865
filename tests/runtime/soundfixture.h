// Sound on a virtual clock: a small bank made here, the virtual output, and
// a recording of everything the mixer rendered, frame by frame.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/virtualhost.h"
#include "runtime/oskcommands.h"
#include "runtime/soundbank.h"
#include "runtime/soundsystem.h"
#include "runtime/wave.h"
#include "shell/settings/flags.h"

namespace drum {

// One period of a sine in 64 samples, as the tone items hold it.
inline SoundItem toneItem(const std::string& name, double amplitude = 0.3) {
  std::vector<std::int16_t> s(64);
  for (int i = 0; i < 64; ++i) s[i] = static_cast<std::int16_t>(std::lround(amplitude * 32767 * std::sin(2 * M_PI * i / 64)));
  SoundItem item;
  item.Name = name;
  item.Wave = encodeWave(s, 22050, 1);
  return item;
}

// A 1 kHz burst of `ms` milliseconds at 48 kHz (amplitude 0: silence).
inline SoundItem clickItem(const std::string& name, int ms, double amplitude = 0.5, int maxCopies = 0) {
  std::vector<std::int16_t> s(static_cast<std::size_t>(48 * ms));
  for (std::size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<std::int16_t>(std::lround(amplitude * 32767 * std::sin(2 * M_PI * 1000.0 * i / 48000)));
  SoundItem item;
  item.Name = name;
  item.MaxPlayingCount = maxCopies;
  item.Wave = encodeWave(s, 48000, 1);
  return item;
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setHost(&clock);
    resetFlags();
    soundplaying = false;
    keybuffer.clear();
    lastvoice = 1;
    lastduration = 1;
    initSound(true);
    std::vector<SoundItem> items;
    for (int position = 1; position <= 4; ++position)
      for (int voice = 0; voice <= 9; ++voice) items.push_back(toneItem("snd" + std::to_string(position) + std::to_string(voice)));
    items.push_back(clickItem("click2", 5));
    items.push_back(clickItem("click9", 10, 0.0));
    items.push_back(clickItem("click19", 60));
    items.push_back(clickItem("beep", 150));
    soundbank.assign(std::move(items));
    soundMixer()->setTap([this](const float* stereo, int frames) {
      for (int f = 0; f < frames; ++f) recorded.push_back(stereo[2 * f]);
    });
  }
  void TearDown() override {
    releaseSound();
    soundplaying = false;
    setHost(nullptr);
  }

  double nowMs() { return clock.nowMicros() / 1000.0; }

  // The first and one past the last frame louder than `threshold`, from `from` on.
  std::pair<std::size_t, std::size_t> audible(double threshold = 0.05, std::size_t from = 0) const {
    std::size_t first = recorded.size(), last = 0;
    for (std::size_t i = from; i < recorded.size(); ++i) {
      if (std::fabs(recorded[i]) > threshold) {
        first = std::min(first, i);
        last = i + 1;
      }
    }
    return {first, last};
  }
  float peak(std::size_t from, std::size_t to) const {
    float p = 0;
    for (std::size_t i = from; i < to && i < recorded.size(); ++i) p = std::max(p, std::fabs(recorded[i]));
    return p;
  }
  // Peak of what can be heard: the recording through a 4th-order 40 Hz
  // high-pass, so a slowly settling offset of the output's DC blocker is left out.
  float audiblePeak(std::size_t from, std::size_t to) const {
    const double w = 2 * M_PI * 40 / 48000, qs[2] = {0.5412, 1.3066};
    double z[2][2] = {};
    float p = 0;
    for (std::size_t i = 0; i < to && i < recorded.size(); ++i) {
      double x = recorded[i];
      for (int k = 0; k < 2; ++k) {
        const double alpha = std::sin(w) / (2 * qs[k]), c = std::cos(w), a0 = 1 + alpha;
        const double b0 = (1 + c) / 2 / a0, b1 = -(1 + c) / a0, a1 = -2 * c / a0, a2 = (1 - alpha) / a0;
        const double y = b0 * x + z[k][0];
        z[k][0] = b1 * x - a1 * y + z[k][1];
        z[k][1] = b0 * x - a2 * y;
        x = y;
      }
      if (i >= from) p = std::max(p, static_cast<float>(std::fabs(x)));
    }
    return p;
  }
  // Sleeps in steps of 1 ms, so that what the output reports comes at its time.
  void step(int ms) {
    for (int i = 0; i < ms; ++i) clock.sleep(Millis(1));
  }
  // Frequency from the zero crossings (rising) between two frames.
  double pitch(std::size_t from, std::size_t to) const {
    std::vector<double> crossings;
    for (std::size_t i = from + 1; i < to && i < recorded.size(); ++i) {
      if (recorded[i - 1] < 0 && recorded[i] >= 0)
        crossings.push_back(i - 1 + recorded[i - 1] / (recorded[i - 1] - recorded[i]));
    }
    if (crossings.size() < 2) return 0;
    return (crossings.size() - 1) * 48000.0 / (crossings.back() - crossings.front());
  }

  VirtualHost clock;
  std::vector<float> recorded;  // left channel
};

}  // namespace drum
