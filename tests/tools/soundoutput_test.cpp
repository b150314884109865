// The real output: SOUND through SDL2 into a PulseAudio null sink, recorded
// from its monitor. Pitch, length, and the silence of SOUND 0.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/realhost.h"
#include "runtime/oskcommands.h"
#include "runtime/soundbank.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "soundprobe.h"
#include "soundsdesign.h"

// PulseAudio's client library and D-Bus, loaded by SDL, keep a few blocks
// until the process ends; a sanitizer build is not to count them as ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\nleak:libpulse.so\n"; }

namespace drum {
namespace {

class RealOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!pulsereachable()) GTEST_SKIP() << "no PulseAudio server (scripts/with-servers.sh starts one)";
    sink = std::make_unique<ProbeSink>();
    ASSERT_TRUE(sink->ok()) << sink->error();
    ::setenv("PULSE_SINK", sink->name().c_str(), 1);
    ::setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
    setHost(&realhost);
    resetFlags();
    initSound(false);
    soundbank.assign(designsoundbank());
  }
  void TearDown() override {
    releaseSound();
    soundbank.clear();
    setHost(nullptr);
    ::unsetenv("PULSE_SINK");
    ::unsetenv("SDL_AUDIODRIVER");
  }
  RealHost realhost;
  std::unique_ptr<ProbeSink> sink;
};

TEST_F(RealOutput, SoundHasItsPitchAndLengthAndSoundZeroIsSilent) {
  ASSERT_EQ(soundOutputName(), "pulseaudio") << soundDeviceError();
  realhost.sleep(Millis(300));  // the stream settles
  sound({1000}, 200, 0);
  realhost.sleep(Millis(300));
  sound({0}, 300, 1);  // the game's rest
  sound({0}, 200, 3);
  realhost.sleep(Millis(300));
  sound({440}, 100, 0);
  realhost.sleep(Millis(400));
  const std::vector<float> x = sink->stop();

  const auto bursts = findbursts(x, 0.01f);  // -40 dBFS
  ASSERT_EQ(bursts.size(), 2u) << "the rests must not be heard";
  EXPECT_NEAR(zerocrossingpitch(x, bursts[0].begin + 480, bursts[0].end - 480), 1000, 20);
  EXPECT_NEAR(sinelength(x, bursts[0], 1000) / 48, 200, 3);
  EXPECT_NEAR(zerocrossingpitch(x, bursts[1].begin + 480, bursts[1].end - 480), 440, 8.8);
  EXPECT_NEAR(sinelength(x, bursts[1], 440) / 48, 100, 3);
  // Between the tones, where the rests were: nothing above -60 dBFS.
  EXPECT_LT(peakof(x, bursts[0].end + 4800, bursts[1].begin - 4800), 0.001f);
}

TEST_F(RealOutput, ClickAndBeepPlayToTheirEnd) {
  realhost.sleep(Millis(200));
  const auto start = realhost.nowMicros();
  beep();
  const double took = (realhost.nowMicros() - start) / 1000.0;
  realhost.sleep(Millis(200));
  const std::vector<float> x = sink->stop();
  const auto bursts = findbursts(x, 0.01f);
  ASSERT_EQ(bursts.size(), 1u);
  EXPECT_NEAR(zerocrossingpitch(x, bursts[0].begin, bursts[0].end), 1000, 20);
  EXPECT_NEAR(bursts[0].ms(), 150, 15);
  EXPECT_GE(took, 150);  // BEEP returns only once the beep has played
}

}  // namespace
}  // namespace drum
