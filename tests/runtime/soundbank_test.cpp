// The sound bank's playback rules and the mixer's streams, on the virtual clock.
#include <gtest/gtest.h>

#include <clocale>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "soundfixture.h"

namespace drum {
namespace {

class SoundBankTest : public SoundTest {
 protected:
  bool copyPlaying(SoundItem& item, std::size_t i) { return soundMixer()->isPlaying(item.copies.at(i).voice); }
};

TEST_F(SoundBankTest, CopyPolicyReusesIdleCopiesAndRestartsTheOldestAtTheLimit) {
  soundbank.assign({clickItem("knock", 60, 0.3, 2), clickItem("free", 60, 0.3, 0)});
  SoundItem& knock = soundbank.find("knock");
  soundbank.play(knock, false);  // copy A at 0 ms
  clock.sleep(Millis(30));
  soundbank.play(knock, false);  // copy B at 30 ms
  clock.sleep(Millis(10));
  soundbank.play(knock, false);  // the limit: A (the oldest) restarts at 40 ms
  ASSERT_EQ(knock.copies.size(), 2u);
  clock.sleep(Millis(55));       // 95 ms: B ended at 90, A sounds until 100
  EXPECT_TRUE(copyPlaying(knock, 0));
  EXPECT_FALSE(copyPlaying(knock, 1));
  soundbank.play(knock, false);  // B is idle and is reused
  EXPECT_EQ(knock.copies.size(), 2u);
  EXPECT_TRUE(copyPlaying(knock, 1));
  clock.sleep(Millis(100));
  EXPECT_FALSE(soundbank.playing(knock));

  SoundItem& free = soundbank.find("free");
  for (int i = 0; i < 3; ++i) {
    soundbank.play(free, false);
    clock.sleep(Millis(10));
  }
  EXPECT_EQ(free.copies.size(), 3u);  // no limit: a copy for each
  clock.sleep(Millis(100));
  soundbank.play(free, false);
  EXPECT_EQ(free.copies.size(), 3u);
}

TEST_F(SoundBankTest, EveryStartTakesTheItemsCurrentRateAndVolume) {
  soundbank.assign({clickItem("knock", 60, 0.4)});
  SoundItem& knock = soundbank.find("knock");
  soundbank.setVolume(knock, -600);
  soundbank.play(knock, true);
  EXPECT_NEAR(peak(0, recorded.size()), 0.4 * 0.501, 0.02);
  soundbank.setFrequency(knock, 96000);  // twice its own rate: half the time, twice the pitch
  const std::size_t from = recorded.size();
  soundbank.play(knock, false);
  clock.sleep(Millis(40));
  const auto [first, last] = audible(0.05, from);
  EXPECT_NEAR(static_cast<double>(last - first), 1440, 30);
  EXPECT_NEAR(pitch(first, last), 2000, 10);
}

TEST_F(SoundBankTest, LoopedItemChangesRateAndVolumeWhileSounding) {
  SoundItem& tone = soundbank.find("snd11");
  soundbank.setLooped(tone, true);
  soundbank.setFrequency(tone, 440 * 64);
  soundbank.play(tone, true);  // a looped item returns at once, even when asked to wait
  EXPECT_EQ(nowMs(), 0);
  clock.sleep(Millis(100));
  soundbank.setFrequency(tone, 880 * 64);
  soundbank.setVolume(tone, -2000);
  clock.sleep(Millis(100));
  soundbank.stop(tone);
  clock.sleep(Millis(20));
  EXPECT_NEAR(pitch(480, 4800), 440, 1);
  EXPECT_NEAR(pitch(4800 + 96, 9600), 880, 2);
  EXPECT_NEAR(peak(4800 + 200, 9600), 0.03, 0.003);
  EXPECT_LT(peak(9600 + 100, recorded.size()), 1e-3);
  EXPECT_FALSE(soundbank.playing(tone));
}

TEST_F(SoundBankTest, ChangingLoopedStopsTheItem) {
  SoundItem& tone = soundbank.find("snd21");
  soundbank.setLooped(tone, true);
  soundbank.play(tone, false);
  soundbank.setLooped(tone, true);  // the same value: it sounds on
  EXPECT_TRUE(soundbank.playing(tone));
  soundbank.setLooped(tone, false);
  EXPECT_FALSE(soundbank.playing(tone));
  // Played once, a single period takes its own length.
  soundbank.setFrequency(tone, 6400);
  soundbank.play(tone, true);
  EXPECT_EQ(nowMs(), 10);
}

TEST_F(SoundBankTest, StopSilencesEveryCopy) {
  soundbank.assign({clickItem("knock", 200, 0.3)});
  SoundItem& knock = soundbank.find("knock");
  for (int i = 0; i < 3; ++i) {
    soundbank.play(knock, false);
    clock.sleep(Millis(10));
  }
  soundbank.stop(knock);
  EXPECT_FALSE(soundbank.playing(knock));
  const std::size_t at = recorded.size();
  clock.sleep(Millis(50));
  EXPECT_LT(peak(at + 100, recorded.size()), 1e-3);
}

TEST_F(SoundBankTest, BankWithoutOutputStaysQuietButKeepsThePace) {
  soundbank.bind(nullptr);
  const auto clickMs = SoundBank::nominalMillis(soundbank.find("click19"));
  const auto beepMs = SoundBank::nominalMillis(soundbank.find("beep"));
  EXPECT_GT(clickMs, 0);
  EXPECT_GT(beepMs, 0);
  click(19);
  beep();
  EXPECT_EQ(nowMs(), clickMs + beepMs);
  sound({440}, 50, 1);  // the Timer still ends the SOUND
  EXPECT_EQ(nowMs(), clickMs + beepMs + 50);
  EXPECT_EQ(peak(0, recorded.size()), 0.0f);
}

// Names fold by the code page alone: a locale whose tolower leaves bytes
// above 127 alone (C.UTF-8) finds "Šum" by "šUM" all the same.
TEST_F(SoundBankTest, ItemNamesMatchWithoutRegardToCaseInAnyLocale) {
  std::vector<SoundItem> items;
  items.push_back(clickItem(cp("Šum"), 5));
  items.push_back(clickItem(cp("ĽAD"), 5));
  items.push_back(clickItem(cp("šum"), 7));  // a second of the same name is never found
  soundbank.assign(std::move(items));
  EXPECT_EQ(soundbank.find(cp("ŠUM")).Name, cp("Šum"));
  soundbank.assign({clickItem("knock", 5)});  // a new bank forgets the old names
  EXPECT_THROW(soundbank.find(cp("Šum")), Error);
  EXPECT_EQ(soundbank.find("KNOCK").Name, "knock");
  items.clear();
  items.push_back(clickItem(cp("Šum"), 5));
  items.push_back(clickItem(cp("ĽAD"), 5));
  soundbank.assign(std::move(items));
  const std::string before = std::setlocale(LC_ALL, nullptr);
  for (const char* locale : {"C", "C.UTF-8"}) {
    if (!std::setlocale(LC_ALL, locale)) continue;
    EXPECT_EQ(soundbank.find(cp("šUM")).Name, cp("Šum")) << locale;
    EXPECT_EQ(soundbank.find(cp("ľad")).Name, cp("ĽAD")) << locale;
    EXPECT_THROW(soundbank.find(cp("sum")), Error) << locale;
  }
  std::setlocale(LC_ALL, before.c_str());
}

// ---- Streams ----------------------------------------------------------------------

class StreamTest : public SoundTest {
 protected:
  std::vector<std::int16_t> sine(double hz, double seconds, int rate = 22050) {
    std::vector<std::int16_t> s(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::int16_t>(std::lround(9830 * std::sin(2 * M_PI * hz * i / rate)));
    return s;
  }
  struct Event {
    char kind;
    std::uint64_t id;
    double ms;
    bool operator==(const Event&) const = default;
  };
  std::shared_ptr<PcmStream> open(int rate = 22050) {
    return soundMixer()->openStream(rate, {[this](std::uint64_t id) { events.push_back({'s', id, nowMs()}); },
                                           [this](std::uint64_t id) { events.push_back({'f', id, nowMs()}); }});
  }
  std::vector<Event> events;
};

TEST_F(StreamTest, PlaysResampledAndReportsFirstAndLastSample) {
  auto stream = open();
  const auto pcm = sine(440, 0.5);
  EXPECT_EQ(stream->currentUtterance(), 1u);
  stream->push(pcm.data(), pcm.size());
  EXPECT_EQ(stream->endUtterance(), 1u);
  step(600);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, 's');
  EXPECT_LE(events[0].ms, 6);  // within the first render
  EXPECT_EQ(events[1].kind, 'f');
  EXPECT_NEAR(events[1].ms, 500, 6);
  const auto [first, last] = audible(0.05);
  EXPECT_NEAR((last - first) / 48.0, 500, 2);
  EXPECT_NEAR(pitch(first, last), 440, 0.5);
  EXPECT_NEAR(peak(first, last), 0.3, 0.01);
  EXPECT_TRUE(stream->idle());
}

TEST_F(StreamTest, UtterancesFollowEachOtherAndEmptyOnesReportToo) {
  auto stream = open(16000);
  const auto a = sine(300, 0.1, 16000);
  stream->push(a.data(), a.size());
  const auto first = stream->endUtterance();
  const auto empty = stream->endUtterance();
  stream->push(a.data(), a.size());
  const auto third = stream->endUtterance();
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(empty, 2u);
  EXPECT_EQ(third, 3u);
  step(300);
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ((std::vector<char>{events[0].kind, events[1].kind, events[2].kind, events[3].kind, events[4].kind, events[5].kind}),
            (std::vector<char>{'s', 'f', 's', 'f', 's', 'f'}));
  EXPECT_NEAR(events[1].ms, 100, 6);
  EXPECT_EQ(events[2].id, 2u);
  EXPECT_NEAR(events[5].ms, 200, 6);
}

TEST_F(StreamTest, ResetDropsEverythingAtOnceWithoutLateCallbacks) {
  auto stream = open();
  const auto pcm = sine(440, 2.0);
  stream->push(pcm.data(), pcm.size());
  stream->endUtterance();
  stream->push(pcm.data(), pcm.size());
  clock.sleep(Millis(100));
  stream->reset();
  const std::size_t at = recorded.size();
  clock.sleep(Millis(500));
  ASSERT_EQ(events.size(), 1u);  // only the first utterance's start
  // Gone in the 2 ms fade; 20 ms on, the measuring filter has stopped ringing too.
  EXPECT_LT(peak(at + 96, recorded.size()), 0.01f);
  EXPECT_LT(audiblePeak(at + 960, recorded.size()), 1e-3f);
  EXPECT_TRUE(stream->idle());
  // A new utterance after the reset plays as usual, with a new number.
  EXPECT_EQ(stream->currentUtterance(), 3u);
  stream->push(pcm.data(), 2205);
  EXPECT_EQ(stream->endUtterance(), 3u);
  clock.sleep(Millis(200));
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[2], (Event{'f', 3, events[2].ms}));
}

TEST_F(StreamTest, WaitsForSamplesThatAreLate) {
  auto stream = open();
  const auto pcm = sine(440, 0.2);
  stream->push(pcm.data(), pcm.size() / 2);
  step(300);  // the producer falls behind: nothing is reported finished
  ASSERT_EQ(events.size(), 1u);
  stream->push(pcm.data() + pcm.size() / 2, pcm.size() - pcm.size() / 2);
  stream->endUtterance();
  step(200);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_NEAR(events[1].ms, 400, 6);
}

TEST_F(StreamTest, MixesWithTonesAndFollowsItsVolume) {
  auto stream = open();
  stream->setVolume(-10000);
  const auto pcm = sine(440, 0.3);
  stream->push(pcm.data(), pcm.size());
  stream->endUtterance();
  sound({1000}, 100, 1);
  clock.sleep(Millis(300));
  EXPECT_NEAR(pitch(480, 4320), 1000, 2);  // only the tone is heard
  EXPECT_EQ(events.size(), 2u);            // a silent stream still takes its time
  soundMixer()->closeStream(stream);
}

}  // namespace
}  // namespace drum
