// The in-process engine for real: espeak-ng speaking into the program's
// mixer on the real clock (an SDL device, or the silent clock where there is
// none), with what the mixer rendered recorded through its tap.
#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <thread>

#include "platform/cp1250.h"
#include "platform/realhost.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "speech/espeakengine.h"
#include "speech/speech.h"
#include "speech/voiceselection.h"

namespace drum::testing {
namespace {

constexpr float kAudible = 0.001f;  // -60 dBFS

struct Event {
  std::string what;
  std::thread::id thread;
  std::int64_t frame;  // frames the mixer had rendered when it arrived
};

class RecordingSink : public ITTSNotifySink {
 public:
  explicit RecordingSink(std::vector<Event>& events) : events_(events) {}
  void AttribChanged(std::uint32_t) override {}
  void AudioStart(std::uint64_t) override { add("start"); }
  void AudioStop(std::uint64_t) override { add("stop"); }
  void Visual(std::uint64_t, char, char, std::uint32_t, const TTSMOUTH*) override {}

 private:
  void add(const char* what) { events_.push_back({what, std::this_thread::get_id(), soundMixer()->framesRendered()}); }
  // Frames are counted from when the recording began.
  std::vector<Event>& events_;
};

class Espeak : public ::testing::Test {
 protected:
  void SetUp() override {
    setHost(&rhost);
    initSound(false);
    soundMixer()->setTap([this](const float* stereo, int frames) {
      std::lock_guard lock(mutex);
      for (int f = 0; f < frames; ++f) rendered.push_back(stereo[2 * f]);
    });
    // A PulseAudio null sink that was idle may take a moment to ask for audio.
    const auto opened = rhost.nowMicros();
    while (soundMixer()->framesRendered() < 4800 && rhost.nowMicros() - opened < 5000000) rhost.sleep(Millis(10));
    ASSERT_GE(soundMixer()->framesRendered(), 4800) << "the sound output does not run";
    ASSERT_TRUE(createEspeakEnumerator(enumerator).succeeded());
    audio = std::make_shared<MixerAudioDestination>(soundMixer);
  }
  void TearDown() override {
    engine.reset();
    releaseSound();
    setHost(nullptr);
  }

  void select(const std::string& id) {
    ASSERT_TRUE(enumerator->Select(id, audio, engine).succeeded());
    std::uint32_t key = 0;
    ASSERT_TRUE(engine->Register(std::make_shared<RecordingSink>(events), key).succeeded());
  }
  Status say(const std::string& text) {
    return engine->TextData(CHARSET_TEXT, 0, SDATA{text.c_str(), static_cast<std::uint32_t>(text.size() + 1)});
  }
  // Delivers events until `done` or 20 s have passed.
  template <typename Done>
  bool waitFor(Done done) {
    const auto until = rhost.nowMicros() + 20000000;
    while (!done()) {
      if (rhost.nowMicros() > until) return false;
      rhost.waitForEvents(Millis(50));
    }
    return true;
  }
  int count(const char* what) {
    return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const Event& e) { return e.what == what; }));
  }
  std::vector<float> audioCopy() {
    std::lock_guard lock(mutex);
    return rendered;
  }
  // The mixer's frame number of rendered[0], read when no buffer is between
  // being counted and being recorded.
  std::int64_t origin() {
    for (;;) {
      const std::int64_t before = soundMixer()->framesRendered();
      std::size_t recorded;
      {
        std::lock_guard lock(mutex);
        recorded = rendered.size();
      }
      if (soundMixer()->framesRendered() == before) return before - static_cast<std::int64_t>(recorded);
    }
  }
  static std::pair<std::int64_t, std::int64_t> audibleSpan(const std::vector<float>& s, std::size_t from = 0) {
    std::int64_t first = -1, last = -1;
    for (std::size_t i = from; i < s.size(); ++i) {
      if (std::fabs(s[i]) > kAudible) {
        if (first < 0) first = static_cast<std::int64_t>(i);
        last = static_cast<std::int64_t>(i);
      }
    }
    return {first, last};
  }

  RealHost rhost;
  std::shared_ptr<ITTSEnum> enumerator;
  std::shared_ptr<IAudioMultiMediaDevice> audio;
  std::shared_ptr<ITTSCentral> engine;
  std::vector<Event> events;
  std::mutex mutex;
  std::vector<float> rendered;  // since the tap was set
};

TEST_F(Espeak, ListsSlovakThenCzechThenEnglishThenTheRest) {
  std::vector<TTSMODEINFO> modes;
  ASSERT_TRUE(enumerator->Reset().succeeded());
  for (;;) {
    std::optional<TTSMODEINFO> m;
    const Status s = enumerator->Next(m);
    ASSERT_TRUE(s.succeeded());
    if (!m) {
      EXPECT_EQ(s.code, S_FALSE);
      break;
    }
    modes.push_back(*m);
  }
  ASSERT_GT(modes.size(), 50u);
  EXPECT_EQ(modes[0].szModeName, "Slovak");
  EXPECT_EQ(modes[1].szModeName, "Czech");
  EXPECT_EQ(modes[2].szModeName.rfind("English", 0), 0u);
  EXPECT_EQ(modes.back().szModeName.rfind("English", 0), std::string::npos);
  std::shared_ptr<ITTSCentral> none;
  EXPECT_FALSE(enumerator->Select("no/such-voice", audio, none).succeeded());
}

TEST_F(Espeak, AttributesClampToTheEnginesRangesAndTagsSetThem) {
  select(espeakModes()[0].gModeID);
  std::shared_ptr<ITTSAttributes> a;
  ASSERT_TRUE(engine->QueryAttributes(a).succeeded());
  std::uint32_t speed = 0, volume = 0;
  std::uint16_t pitch = 0;
  a->SpeedGet(speed);
  a->PitchGet(pitch);
  a->VolumeGet(volume);
  EXPECT_EQ(speed, 175u);
  EXPECT_EQ(pitch, 50);
  EXPECT_EQ(volume, 0xFFFFFFFFu);
  a->SpeedSet(0);
  a->SpeedGet(speed);
  EXPECT_EQ(speed, 80u);
  a->SpeedSet(0xFFFFFFFF);
  a->SpeedGet(speed);
  EXPECT_EQ(speed, 450u);
  a->PitchSet(0xFFFF);
  a->PitchGet(pitch);
  EXPECT_EQ(pitch, 100);

  EXPECT_TRUE(engine->Inject("\\Spd=300\\\\Pit=20\\\\Vol=32768\\").succeeded());
  a->SpeedGet(speed);
  a->PitchGet(pitch);
  a->VolumeGet(volume);
  EXPECT_EQ(speed, 300u);
  EXPECT_EQ(pitch, 20);
  EXPECT_EQ(volume, 0x80008000u);
  // Junk is passed over; huge numbers clamp.
  EXPECT_TRUE(engine->Inject("\\Spd=abc\\ \\Foo=3\\ \\pit=99999999999999\\ \\Vol=").succeeded());
  a->SpeedGet(speed);
  a->PitchGet(pitch);
  EXPECT_EQ(speed, 300u);
  EXPECT_EQ(pitch, 100);
}

TEST_F(Espeak, SpeaksASlovakSentenceIntoTheMixerAndReportsOnTheUiThread) {
  select(espeakModes()[0].gModeID);
  ASSERT_TRUE(say(cp("Dobrý deň, dnes si zahráme hru s písmenami v dvoch radoch.")).succeeded());
  ASSERT_TRUE(waitFor([&] { return count("stop") > 0; }));
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].what, "start");
  EXPECT_EQ(events[1].what, "stop");
  for (const Event& e : events) EXPECT_EQ(e.thread, std::this_thread::get_id());

  const auto audio = audioCopy();
  const auto [first, last] = audibleSpan(audio);
  ASSERT_GE(first, 0) << "nothing audible";
  const double seconds = static_cast<double>(last - first) / Mixer::kRate;
  // Eleven words at 175 words per minute.
  EXPECT_GT(seconds, 2.0);
  EXPECT_LT(seconds, 7.0);
  // The stop is reported once the last sample has been played, not before.
  const std::int64_t zero = origin();
  EXPECT_GE(events[1].frame - zero, last);
  // The start is reported as the speech begins (give the UI thread 100 ms).
  EXPECT_NEAR(static_cast<double>(events[0].frame - zero), static_cast<double>(first), 4800);
}

TEST_F(Espeak, AudioResetFallsSilentWithinOneBuffer) {
  select(espeakModes()[0].gModeID);
  ASSERT_TRUE(say(cp("Toto je dlhá veta, ktorú preruší stlačenie klávesu skôr, než ju dopovie do konca.")).succeeded());
  ASSERT_TRUE(waitFor([&] { return count("start") > 0; }));
  const auto started = rhost.nowMicros();
  waitFor([&] { return rhost.nowMicros() - started > 400000; });
  ASSERT_EQ(count("stop"), 0);
  ASSERT_TRUE(engine->AudioReset().succeeded());
  const std::int64_t resetFrame = soundMixer()->framesRendered() - origin();
  ASSERT_TRUE(waitFor([&] { return count("stop") > 0; }));
  const auto waitedFrom = rhost.nowMicros();
  waitFor([&] { return rhost.nowMicros() - waitedFrom > 300000; });

  const auto audio = audioCopy();
  ASSERT_GT(audio.size(), static_cast<std::size_t>(resetFrame + 4800));
  EXPECT_GE(audibleSpan(audio, 0).first, 0);
  // One buffer after the reset the voice is gone; what is left is the DC
  // filter settling from wherever the cut fell (a few thousandths at most,
  // decaying with its 4 Hz corner), silent within 0.1 s.
  float loudest = 0;
  for (std::size_t i = static_cast<std::size_t>(resetFrame + 256); i < audio.size(); ++i) loudest = std::max(loudest, std::fabs(audio[i]));
  EXPECT_LT(loudest, 0.01f) << "the voice is heard after the reset";
  const auto after = audibleSpan(audio, static_cast<std::size_t>(resetFrame + 4800));
  EXPECT_EQ(after.first, -1) << "audible " << (after.first - resetFrame) << " frames after the reset";
  EXPECT_EQ(events.back().what, "stop");
  EXPECT_EQ(count("stop"), 1);
}

TEST_F(Espeak, TextsInARowPlayAsOneStretchAndSilentTextsEndToo) {
  select(espeakModes()[0].gModeID);
  ASSERT_TRUE(say("jeden").succeeded());
  ASSERT_TRUE(say("dva").succeeded());
  ASSERT_TRUE(waitFor([&] { return count("stop") > 0; }));
  const auto ended = rhost.nowMicros();
  waitFor([&] { return rhost.nowMicros() - ended > 200000; });  // nothing more comes
  EXPECT_EQ(count("start"), 1);
  EXPECT_EQ(count("stop"), 1);

  events.clear();
  ASSERT_TRUE(say("").succeeded());
  ASSERT_TRUE(waitFor([&] { return count("stop") > 0; }));
  EXPECT_EQ(events.front().what, "start");
}

TEST_F(Espeak, TheFacadeSpeaksUntilTheEndAndStopsAtAKey) {
  setSpeechPlatform(nullptr);
  InitSpeechEngines();
  ASSERT_TRUE(ttsenum);
  notifysink = std::make_shared<TTTSNotifySink>();
  voiceallowed = true;
  FillVoiceList();
  SelectVoice();
  ASSERT_TRUE(voiceready);

  const auto before = rhost.nowMicros();
  SpeakText(cp("Ahoj, ako sa máš?"));
  const auto spoken = rhost.nowMicros() - before;
  EXPECT_GT(spoken, 600000);
  EXPECT_FALSE(sapi4speaking);

  rhost.startTimer(Millis(300), [] { StopSpeech(); });
  const auto again = rhost.nowMicros();
  SpeakText(cp("Toto je veľmi dlhá veta, ktorá sa nikdy nedopovie, lebo ju zastaví kláves."));
  const auto stopped = rhost.nowMicros() - again;
  EXPECT_GE(stopped, 300000);
  EXPECT_LT(stopped, 1000000);

  ReleaseSpeech();
  voiceallowed = voiceready = false;
}

// The engines' creation opens the sound output itself: speech works when the
// start-up never reached its sound step (an earlier step failed), and that
// step later keeps the same output for the sounds.
TEST(EspeakStartUp, SpeaksWithoutTheSoundStepAndTheSoundStepKeepsItsOutput) {
  RealHost rhost;
  setHost(&rhost);
  setSpeechPlatform(nullptr);
  releaseSound();
  voiceallowed = true;
  InitSpeechEngines();
  ASSERT_NE(soundMixer(), nullptr);
  Mixer* const made = soundMixer();
  notifysink = std::make_shared<TTTSNotifySink>();
  FillVoiceList();
  SelectVoice();
  ASSERT_TRUE(Sapi4EngineExists());
  const auto before = rhost.nowMicros();
  EXPECT_NO_THROW(SpeakText("ahoj"));  // before: "There is no sound output for speech"
  EXPECT_GT(rhost.nowMicros() - before, 100000);
  initSound(false);
  EXPECT_EQ(soundMixer(), made);
  EXPECT_NO_THROW(SpeakText("ahoj"));
  ReleaseSpeech();
  releaseSound();
  voiceallowed = false;
  setHost(nullptr);
}

}  // namespace
}  // namespace drum::testing
