// The sound output when there is no device, and when a device stops.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/realhost.h"
#include "runtime/oskcommands.h"
#include "runtime/soundbank.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "soundfixture.h"

namespace drum {
namespace {

class NoDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    setHost(&realhost);
    resetFlags();
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    initSound(false);
    ::unsetenv("SDL_AUDIODRIVER");
    soundbank.assign({clickItem("click19", 60), toneItem("snd11")});
  }
  void TearDown() override {
    releaseSound();
    soundbank.clear();
    setHost(nullptr);
  }
  RealHost realhost;
};

TEST_F(NoDevice, SilentClockKeepsEverySoundsTime) {
  EXPECT_EQ(soundOutputName(), "silent clock");
  EXPECT_FALSE(soundDeviceError().empty());
  // CLICK takes the click's own length; the output, a fixed delay behind,
  // goes through the whole click.
  const std::int64_t before = soundMixer()->framesRendered();
  const std::int64_t start = realhost.nowMicros();
  click(19);
  EXPECT_GE(realhost.nowMicros() - start, 60000);
  for (int i = 0; i < 400 && soundbank.playing(soundbank.find("click19")); ++i) realhost.sleep(Millis(5));
  EXPECT_FALSE(soundbank.playing(soundbank.find("click19")));
  EXPECT_GE(soundMixer()->framesRendered() - before, 60 * 48);
  // SOUND ends with its Timer as always.
  sound({440}, 30, 1);
  EXPECT_FALSE(soundplaying);
  EXPECT_FALSE(soundbank.playing(soundbank.find("snd11")));
}

TEST(StalledDevice, WaitGivesUpWhenTheOutputStopsAskingForFrames) {
  // A mixer that nothing renders: the virtual host's clock moves, frames do
  // not. The wait lasts the sound's own length all the same.
  VirtualHost clock;
  setHost(&clock);
  Mixer stuck([&clock] { return clock.nowMicros(); });
  SoundBank bank;
  bank.assign({clickItem("click19", 60)});
  bank.bind(&stuck);
  bank.play(bank.find("click19"), true);
  EXPECT_EQ(clock.nowMicros(), 60000);
  bank.bind(nullptr);
  setHost(nullptr);
}

}  // namespace
}  // namespace drum
