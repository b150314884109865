// SOUND, BEEP and CLICK on the virtual clock: the statements' rules, what is
// heard and for how long.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "soundfixture.h"

namespace drum {
namespace {


TEST_F(SoundTest, ToneSoundsAtItsValueForItsDuration) {
  sound({440}, 100, 1);
  EXPECT_DOUBLE_EQ(nowMs(), 100);
  EXPECT_FALSE(soundplaying);
  clock.sleep(Millis(50));
  const auto [first, last] = audible();
  EXPECT_EQ(first < 96, true);  // within the 2 ms ramp of the start
  EXPECT_NEAR(static_cast<double>(last - first), 4800, 96);
  EXPECT_NEAR(pitch(first + 480, last - 480), 440, 0.5);
  EXPECT_LT(peak(last + 96, recorded.size()), 1e-3);  // stopped for good
}

TEST_F(SoundTest, ChordPlaysEveryPositionTogetherThenStopsThem) {
  sound({500, 1000, 1500, 2000}, 100, 1);
  EXPECT_DOUBLE_EQ(nowMs(), 100);
  const int rates[] = {32000, 64000, 96000, 128000};
  for (int i = 1; i <= 4; ++i) {
    SoundItem& item = soundbank.find("snd" + std::to_string(i) + "1");
    EXPECT_TRUE(item.Looped);
    EXPECT_EQ(item.frequency, rates[i - 1]);
    EXPECT_FALSE(soundbank.playing(item));
  }
  clock.sleep(Millis(20));
  const auto [first, last] = audible(0.05);
  EXPECT_NEAR(static_cast<double>(last - first), 4800, 96);
  // Four tones of peak 0.3 together reach well above any one of them.
  EXPECT_GT(peak(first, last), 0.6f);
}

TEST_F(SoundTest, ZeroAndFractionsBelowOneSoundAsTwoHertz) {
  sound({0}, 10, 1);
  EXPECT_EQ(soundbank.find("snd11").frequency, 128);
  sound({0.7}, 10, 1);
  EXPECT_EQ(soundbank.find("snd11").frequency, 128);
  sound({-0.7}, 10, 1);
  EXPECT_EQ(soundbank.find("snd11").frequency, 128);
  sound({2.9}, 10, 1);
  EXPECT_EQ(soundbank.find("snd11").frequency, 128);
  // Outside the playable range the rate is clamped, not refused.
  sound({-5}, 10, 1);
  EXPECT_EQ(soundbank.find("snd11").frequency, Mixer::kMinRate);
  sound({1e12}, 10, 1);
  EXPECT_EQ(soundbank.find("snd11").frequency, Mixer::kMaxRate);
}

TEST_F(SoundTest, RestIsSilent) {
  // SOUND 0 is the game's rest: a 2 Hz "tone", below hearing, from start to stop.
  sound({700}, 70, 1);
  const std::size_t restFrom = recorded.size() + 200;  // after the 700 Hz note's ramp and filter tail
  sound({0}, 200, 10);
  sound({0}, 333, 10);
  const std::size_t restTo = recorded.size();
  sound({900}, 70, 10);
  EXPECT_LT(peak(restFrom, restTo), 1e-3f);
  EXPECT_GT(peak(restTo + 200, recorded.size()), 0.2f);
}

TEST_F(SoundTest, VoiceAboveNineAndNegativeDurationRepeatThePreviousOnes) {
  sound({400}, 200, 3);
  EXPECT_EQ(lastvoice, 3);
  EXPECT_EQ(lastduration, 200);
  sound({600}, -1, 10);
  EXPECT_DOUBLE_EQ(nowMs(), 400);  // again 200 ms
  EXPECT_EQ(soundbank.find("snd13").frequency, 600 * 64);
  EXPECT_EQ(soundbank.find("snd11").frequency, 0);  // voice 1 untouched
  sound({700}, 50, 9.5);  // 9.5 is above 9
  EXPECT_EQ(soundbank.find("snd13").frequency, 700 * 64);
  sound({800}, 50.9, 2.7);
  EXPECT_EQ(lastvoice, 2);
  EXPECT_EQ(lastduration, 50);
  EXPECT_EQ(soundbank.find("snd12").frequency, 800 * 64);
}

TEST_F(SoundTest, EachRunStartsWithVoiceOneAndOneMillisecond) {
  sound({400}, 200, 3);
  resetruntime();
  const double before = nowMs();
  sound({500}, -20, 10);
  EXPECT_DOUBLE_EQ(nowMs() - before, 1);
  EXPECT_EQ(soundbank.find("snd11").frequency, 500 * 64);
  EXPECT_EQ(lastvoice, 1);
}

TEST_F(SoundTest, AtMost255ValuesSoundTheCountTakenModulo256) {
  // 256 values sound none (the count is 0) yet the duration passes.
  sound(std::vector<double>(256, 300), 30, 2);
  EXPECT_DOUBLE_EQ(nowMs(), 30);
  EXPECT_EQ(soundbank.find("snd12").frequency, 0);
  // 257 values sound only the first.
  std::vector<double> values(257, 300);
  values[0] = 440;
  sound(values, 30, 2);
  EXPECT_EQ(soundbank.find("snd12").frequency, 440 * 64);
  EXPECT_EQ(soundbank.find("snd22").frequency, 0);
  // 255 values need 255 positions: this bank has four.
  try {
    sound(std::vector<double>(255, 300), 30, 2);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Wave 'snd52' not found");
  }
  // The four tones it had started do not sound on.
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(soundbank.playing(soundbank.find("snd" + std::to_string(i) + "2")));
  EXPECT_LT(peak(recorded.size() - 1, recorded.size()), 1.0f);
  const std::size_t at = recorded.size();
  clock.sleep(Millis(20));
  EXPECT_LT(peak(at + 96, recorded.size()), 1e-3f);
}

TEST_F(SoundTest, KeyEndsTheWaitAtOnce) {
  clock.schedule(1000000, [] {
    keybuffer = "x";
    endSoundWait();
  });
  sound({440}, 5000, 1);
  EXPECT_DOUBLE_EQ(nowMs(), 1000);
  EXPECT_EQ(keybuffer, "x");
  EXPECT_FALSE(soundplaying);
  clock.sleep(Millis(100));
  const auto [first, last] = audible();
  EXPECT_NEAR(static_cast<double>(last) / 48, 1000, 2.5);  // silent within the 2 ms ramp
  // The cancelled Timer does not fire into a later SOUND.
  sound({440}, 5000, 1);
  EXPECT_DOUBLE_EQ(nowMs(), 6100);
}

TEST_F(SoundTest, ZeroDurationSoundsUntilAKey) {
  clock.schedule(3000000, [] { endSoundWait(); });
  sound({300}, 0, 1);
  EXPECT_DOUBLE_EQ(nowMs(), 3000);
  EXPECT_EQ(lastduration, 0);
}

TEST_F(SoundTest, KeyWithoutSoundLeavesEverythingAlone) {
  endSoundWait();
  EXPECT_FALSE(soundplaying);
  sound({300}, 40, 1);
  EXPECT_DOUBLE_EQ(nowMs(), 40);
}

TEST_F(SoundTest, SoundInsideAWaitEndsTheOuterOneWithItsOwnTimer) {
  // A menu switch pressed during a long tone: its two short tones end the outer wait.
  clock.schedule(100000, [] {
    sound({400}, 50, 3);
    sound({600}, 50, 3);
  });
  sound({440}, 1000, 1);
  EXPECT_DOUBLE_EQ(nowMs(), 200);
  EXPECT_FALSE(soundbank.playing(soundbank.find("snd11")));
  EXPECT_FALSE(soundbank.playing(soundbank.find("snd13")));
}

TEST_F(SoundTest, ErrorInsideTheWaitStillStopsTheTones) {
  clock.schedule(50000, [] { throw Error("boom"); });
  EXPECT_THROW(sound({440}, 1000, 1), Error);
  EXPECT_FALSE(soundbank.playing(soundbank.find("snd11")));
}

TEST_F(SoundTest, SoundsOffMeansNothingSoundsAndNothingWaits) {
  oskirasounds = false;
  sound({440}, 1000, 5);
  click(19);
  beep();
  click(3);  // not even a missing item is noticed
  EXPECT_EQ(nowMs(), 0);
  EXPECT_EQ(lastvoice, 1);
  EXPECT_EQ(lastduration, 1);
  EXPECT_FALSE(soundplaying);
  clock.sleep(Millis(10));
  EXPECT_EQ(peak(0, recorded.size()), 0.0f);
  oskirasounds = true;
}

TEST_F(SoundTest, SilentVolumeStillTakesTheTime) {
  sndvolume = -10000;
  sound({440}, 100, 1);
  click(19);
  beep();
  EXPECT_DOUBLE_EQ(nowMs(), 100 + 60 + 150);
  EXPECT_EQ(peak(0, recorded.size()), 0.0f);
  sndvolume = -600;  // half the amplitude
  sound({440}, 100, 1);
  EXPECT_NEAR(peak(0, recorded.size()), 0.3 * 0.501, 0.01);
  EXPECT_EQ(soundbank.find("snd11").volume, -600);
}

TEST_F(SoundTest, ClickAndBeepPlayToTheEndPollingEveryTenMilliseconds) {
  click(19);
  EXPECT_DOUBLE_EQ(nowMs(), 60);
  click(9.7);  // click9: 10 ms of silence
  EXPECT_DOUBLE_EQ(nowMs(), 70);
  click(2.9);  // click2: 5 ms, noticed at the next 10 ms poll
  EXPECT_DOUBLE_EQ(nowMs(), 80);
  EXPECT_FALSE(soundbank.find("click2").copies.empty());
  beep();
  EXPECT_DOUBLE_EQ(nowMs(), 230);
  EXPECT_EQ(clock.idleWaits(), 0);  // plain sleeps, no event delivery
  // BEEP leaves Looped and frequency as they are.
  SoundItem& b = soundbank.find("beep");
  soundbank.setFrequency(b, 96000);
  beep();
  EXPECT_DOUBLE_EQ(nowMs(), 230 + 80);  // twice the rate, half the time
  EXPECT_EQ(b.frequency, 96000);
}

TEST_F(SoundTest, MissingItemsAreNamed) {
  auto message = [](auto fn) {
    try {
      fn();
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([] { click(3); }), "Wave 'click3' not found");
  EXPECT_EQ(message([] { click(-2); }), "Wave 'click-2' not found");
  EXPECT_EQ(message([] { sound({440}, 10, -1); }), "Wave 'snd1-1' not found");
  soundbank.assign({});
  EXPECT_EQ(message([] { beep(); }), "Wave 'beep' not found");
  // Names are found without regard to case.
  soundbank.assign({clickItem("BEEP", 20)});
  beep();
}

}  // namespace
}  // namespace drum

namespace drum {
namespace {

TEST_F(SoundTest, KeyWaitIsPacedByTheTickOrWithSoundsOffByWaitingForEvents) {
  // The game's key wait: CLICK 9, then INKEY$, until a key comes.
  clock.schedule(500000, [] { keybuffer = "x"; });
  int passes = 0;
  std::string key;
  while ((key = (click(9), inkey())).empty()) ++passes;
  EXPECT_EQ(key, "x");
  EXPECT_EQ(passes, 49);  // one pass per 10 ms tick
  EXPECT_DOUBLE_EQ(nowMs(), 500);

  // Sounds off: CLICK returns at once and INKEY$ waits for events 20 ms at a
  // time (an idle loop of 50 wakes a second); the key still comes the moment
  // it is pressed.
  oskirasounds = false;
  clock.schedule(1000000 + 2500, [] { keybuffer = "y"; });
  passes = 0;
  while ((key = (click(9), inkey())).empty()) ++passes;
  EXPECT_EQ(key, "y");
  EXPECT_DOUBLE_EQ(nowMs(), 1002.5);
  EXPECT_GE(passes, 20);
  EXPECT_LE(passes, 26);
  oskirasounds = true;
}

}  // namespace
}  // namespace drum
