#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <set>

#include "runtime/soundbank.h"
#include "runtime/wave.h"
#include "soundsdesign.h"

namespace drum {
namespace {

class ShippedBank : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { bank = new std::vector<SoundItem>(readSoundBank(writeSoundBank(designsoundbank()), "sounds.dat")); }
  static void TearDownTestSuite() { delete bank; }
  static const SoundItem& get(const std::string& name) {
    for (const auto& i : *bank)
      if (i.Name == name) return i;
    ADD_FAILURE() << "no item " << name;
    static SoundItem none;
    return none;
  }
  static SampleBuffer wave(const std::string& name) { return decodeWave(get(name).Wave); }
  static double rms(const std::vector<float>& x) {
    double s = 0;
    for (float v : x) s += v * v;
    return std::sqrt(s / x.size());
  }
  static std::vector<SoundItem>* bank;
};
std::vector<SoundItem>* ShippedBank::bank = nullptr;

TEST_F(ShippedBank, RoundTripsThroughTheFileFormat) {
  const auto designed = designsoundbank();
  ASSERT_EQ(bank->size(), designed.size());
  for (std::size_t i = 0; i < designed.size(); ++i) {
    EXPECT_EQ((*bank)[i].Name, designed[i].Name);
    EXPECT_EQ((*bank)[i].Looped, designed[i].Looped);
    EXPECT_EQ((*bank)[i].MaxPlayingCount, designed[i].MaxPlayingCount);
    EXPECT_EQ((*bank)[i].Wave, designed[i].Wave);
  }
  // The writer picks the smallest integer and string types; wide values survive too.
  std::vector<SoundItem> odd(3);
  odd[0].Name = std::string(300, 'x');
  odd[0].MaxPlayingCount = -200;
  odd[1].Name = "big";
  odd[1].MaxPlayingCount = 100000;
  odd[1].Looped = true;
  odd[2].Name = "";
  const auto back = readSoundBank(writeSoundBank(odd), "odd.dat");
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[0].Name, odd[0].Name);
  EXPECT_EQ(back[0].MaxPlayingCount, -200);
  EXPECT_EQ(back[1].MaxPlayingCount, 100000);
  EXPECT_TRUE(back[1].Looped);
  EXPECT_EQ(back[2].Name, "");
}

TEST_F(ShippedBank, HoldsEveryItemTheSystemPlays) {
  for (int p = 1; p <= 8; ++p)
    for (int v = 0; v <= 9; ++v) {
      EXPECT_TRUE(get("snd" + std::to_string(p) + std::to_string(v)).Looped);
    }
  for (int n = 0; n <= 20; ++n) EXPECT_FALSE(get("click" + std::to_string(n)).Looped);
  EXPECT_FALSE(get("beep").Looped);
}

TEST_F(ShippedBank, NoItemPeaksAboveMinusOneDbfs) {
  for (const auto& item : *bank) {
    const SampleBuffer b = decodeWave(item.Wave);
    ASSERT_GT(b.frames(), 0u) << item.Name;
    float peak = 0;
    for (float v : b.samples) peak = std::max(peak, std::fabs(v));
    EXPECT_LE(20 * std::log10(peak), -1.0) << item.Name;
  }
}

TEST_F(ShippedBank, TonesAreOnePeriodOfEqualLoudnessAndDistinctTimbre) {
  std::set<std::vector<int>> timbres;
  const double reference = rms(wave("snd10").samples);
  for (int v = 0; v <= 9; ++v) {
    const SampleBuffer b = wave("snd1" + std::to_string(v));
    ASSERT_EQ(b.frames(), 64u);
    EXPECT_NEAR(20 * std::log10(rms(b.samples) / reference), 0.0, 0.2) << "voice " << v;
    // Seamless loop: the jump from the last sample back to the first is no
    // larger than the steepest step inside the period.
    float steepest = 0;
    for (int i = 1; i < 64; ++i) steepest = std::max(steepest, std::fabs(b.samples[i] - b.samples[i - 1]));
    EXPECT_LE(std::fabs(b.samples[0] - b.samples[63]), steepest * 1.01f) << "voice " << v;
    EXPECT_NEAR(b.samples[0], 0.0f, 1e-4f);
    // Nothing above the sixth harmonic (the game's 3,500 Hz stays below 24 kHz),
    // and each voice has its own set of harmonic levels.
    std::vector<int> levels;
    for (int k = 1; k <= 31; ++k) {
      std::complex<double> c;
      for (int i = 0; i < 64; ++i) c += static_cast<double>(b.samples[i]) * std::polar(1.0, -2 * M_PI * k * i / 64);
      const double a = std::abs(c) / 32;
      if (k > 6) {
        EXPECT_LT(a, 1e-3) << "voice " << v << " harmonic " << k;
      } else {
        levels.push_back(static_cast<int>(std::lround(a * 100)));
      }
    }
    timbres.insert(levels);
    // The same table in every position.
    for (int p = 2; p <= 8; ++p) {
      EXPECT_EQ(get("snd" + std::to_string(p) + std::to_string(v)).Wave, get("snd1" + std::to_string(v)).Wave);
    }
  }
  EXPECT_EQ(timbres.size(), 10u);
}

TEST_F(ShippedBank, ClicksAndBeepHaveTheirShape) {
  const SampleBuffer tick = wave("click9");
  EXPECT_EQ(tick.rate, 48000);
  EXPECT_EQ(tick.frames(), 480u);  // 10 ms
  for (float v : tick.samples) EXPECT_EQ(v, 0.0f);

  const SampleBuffer ready = wave("click19");
  EXPECT_NEAR(ready.frames() / 48.0, 60, 1);
  EXPECT_GT(rms(ready.samples), 0.02);
  const SampleBuffer crisp = wave("click2");
  EXPECT_LE(crisp.frames() / 48.0, 6);
  EXPECT_GT(rms(crisp.samples), 0.02);
  const SampleBuffer soft = wave("click16");
  EXPECT_LE(soft.frames() / 48.0, 20);

  const SampleBuffer beep = wave("beep");
  EXPECT_NEAR(beep.frames() / 48.0, 150, 1);
  int crossings = 0;
  for (std::size_t i = 1; i < beep.frames(); ++i)
    if (beep.samples[i - 1] < 0 && beep.samples[i] >= 0) ++crossings;
  EXPECT_NEAR(crossings / 0.150, 1000, 20);
  // Smooth edges: it starts and ends near silence.
  EXPECT_LT(std::fabs(beep.samples.front()), 0.01f);
  EXPECT_LT(std::fabs(beep.samples.back()), 0.01f);
  for (const auto& item : *bank) {
    if (item.Looped) continue;
    const SampleBuffer b = decodeWave(item.Wave);
    EXPECT_LT(std::fabs(b.samples.back()), 0.01f) << item.Name << " ends in silence";
  }
}

}  // namespace
}  // namespace drum
