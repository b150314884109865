// The speech service for real: speech-dispatcher, started by the first
// connection, playing into the PulseAudio null sink that the test scripts
// start (scripts/with-servers.sh); its monitor tells what was heard.
#include <signal.h>

#include <gtest/gtest.h>

#include <fstream>

#include "nullsink.h"
#include "platform/cp1250.h"
#include "platform/realhost.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "speech/speech.h"
#include "speech/speechdvoice.h"
#include "speech/voiceselection.h"

namespace drum::testing {
namespace {

class Speechd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!nullSink()) GTEST_SKIP() << "no PulseAudio null sink: run under scripts/with-servers.sh";
    setHost(&rhost);
  }
  void TearDown() override { setHost(nullptr); }

  template <typename Done>
  bool waitFor(Done done, std::int64_t micros = 20000000) {
    const auto until = rhost.nowMicros() + micros;
    while (!done()) {
      if (rhost.nowMicros() > until) return false;
      rhost.waitForEvents(Millis(50));
    }
    return true;
  }
  void pause(std::int64_t micros) {
    const auto from = rhost.nowMicros();
    waitFor([&] { return rhost.nowMicros() - from > micros; });
  }

  RealHost rhost;
};

TEST_F(Speechd, SpeaksSlovakIntoTheSinkBetweenStartStreamAndEndStream) {
  SpeechdVoice voice;
  std::vector<std::pair<std::string, std::int32_t>> events;
  voice.OnStartStream = [&](std::int32_t s) { events.push_back({"start", s}); };
  voice.OnEndStream = [&](std::int32_t s) { events.push_back({"end", s}); };
  const Status connected = voice.SetEventInterests(SVEAllEvents);
  ASSERT_TRUE(connected.succeeded()) << connected.text;
  // Connecting goes on in the background.
  ASSERT_TRUE(waitFor([&] { return voice.connected(); }, 10000000));
  EXPECT_EQ(voice.language(), "sk");

  NullSinkRecorder recorder;
  ASSERT_TRUE(recorder.start());
  ASSERT_TRUE(waitFor([&] { return recorder.recorded() > 1600; }, 5000000)) << "parec records nothing";
  const std::size_t before = recorder.recorded();
  ASSERT_TRUE(voice.Speak(cp1250ToUtf16(cp("Dobrý deň, toto je skúška reči.")), SVSFlagsAsync).succeeded());
  ASSERT_TRUE(waitFor([&] { return events.size() >= 2; }));
  pause(300000);
  const auto samples = recorder.stop();

  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].first, "start");
  EXPECT_EQ(events[1].first, "end");
  EXPECT_EQ(events[0].second, events[1].second);
  const std::vector<std::int16_t> heard(samples.begin() + static_cast<std::ptrdiff_t>(std::min(before, samples.size())),
                                        samples.end());
  EXPECT_GT(loudestRms(heard, NullSinkRecorder::kRate), 0.02);
}

TEST_F(Speechd, APurgeEndsTheStreamAtOnce) {
  SpeechdVoice voice;
  int started = 0, ended = 0;
  voice.OnStartStream = [&](std::int32_t) { ++started; };
  voice.OnEndStream = [&](std::int32_t) { ++ended; };
  ASSERT_TRUE(voice.SetEventInterests(SVEAllEvents).succeeded());
  ASSERT_TRUE(waitFor([&] { return voice.connected(); }, 10000000));
  ASSERT_TRUE(voice.Speak(u"Toto je veľmi dlhá veta, ktorú zastaví zrušenie skôr, než ju dopovie.", SVSFlagsAsync)
                  .succeeded());
  ASSERT_TRUE(voice.Speak(u"A druhá veta vo fronte.", SVSFlagsAsync).succeeded());
  ASSERT_TRUE(waitFor([&] { return started > 0; }));
  const auto purged = rhost.nowMicros();
  ASSERT_TRUE(voice.Speak(u"", SVSFPurgeBeforeSpeak).succeeded());
  ASSERT_TRUE(waitFor([&] { return ended == 2; }, 3000000));
  EXPECT_LT(rhost.nowMicros() - purged, 1000000);
  EXPECT_EQ(started, 1);  // the queued one was dropped before it began
}

TEST_F(Speechd, TheFacadeWaitsForTheServiceAndTheDialogConnectsIt) {
  initSound(false);
  setSettingsPath(std::string(::testing::TempDir()) + "/drum-speechd.ini");
  InitSpeechEngines();
  VoiceDialogCreate();
  sapi5inuse = voiceready = true;
  const auto before = rhost.nowMicros();
  SpeakText(cp("Ahoj."));
  EXPECT_GT(rhost.nowMicros() - before, 200000);
  EXPECT_FALSE(sapi5speaking);

  rhost.startTimer(Millis(500), [] { StopSpeech(); });
  const auto again = rhost.nowMicros();
  SpeakText(cp("Táto dlhá veta sa zastaví skôr, ako ju služba dopovie až do konca."));
  EXPECT_LT(rhost.nowMicros() - again, 2000000);

  ReleaseSpeech();
  releaseSound();
  sapi5inuse = voiceready = voiceallowed = false;
}

pid_t servicePid() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::ifstream in(std::string(runtime ? runtime : "") + "/speech-dispatcher/pid/speech-dispatcher.pid");
  long pid = 0;
  return in >> pid && pid > 1 ? static_cast<pid_t>(pid) : 0;
}

// The service killed (SIGKILL) while it speaks a long text of ours: first
// it can be started again, then it cannot. The game goes on speaking.
TEST_F(Speechd, KilledMidTextItIsStartedAgainOrTheInProcessVoiceSpeaks) {
  initSound(false);
  const std::string settings = std::string(::testing::TempDir()) + "/drum-speechd-kill.ini";
  setSettingsPath(settings);
  std::vector<std::string> errors;
  rhost.onError = [&](const std::string& t) { errors.push_back(t); };
  sapi5inuse = voiceready = voiceallowed = true;
  const std::string text = cp("Pravidlá hry: dva rady po trinástich písmenách sa križujú v strednom políčku.");
  NullSinkRecorder recorder;
  ASSERT_TRUE(recorder.start());
  // Speaks the text, killing the service 1.2 s into it; what was heard
  // from 0.3 s after the kill (what the sink still held is gone by then).
  pid_t killed = 0;
  std::size_t after = 0;
  const auto killedMidText = [&] {
    SpeakText(cp("Pripravený."));
    killed = 0;
    after = 0;
    rhost.startTimer(Millis(1200), [&] {
      killed = servicePid();
      if (killed) ::kill(killed, SIGKILL);
    });
    rhost.startTimer(Millis(1500), [&] { after = recorder.recorded(); });
    SpeakText(text);
    waitFor([&] { return after != 0; }, 3000000);
    pause(300000);
    EXPECT_GT(killed, 0);
    EXPECT_FALSE(sapi5speaking);
    return after;
  };

  // Started again by the next connection: the cut text is heard in full
  // from the new service. (Before: silence for half a minute, and a box.)
  const std::size_t back = killedMidText();
  EXPECT_TRUE(dynamic_cast<SpeechdVoice&>(voice5()).connected());
  EXPECT_NE(servicePid(), 0);
  EXPECT_EQ(errors, std::vector<std::string>{});

  // It cannot be started again: the in-process voice says the text.
  InitSpeechEngines();
  pause(2100000);
  ::setenv("SPEECHD_CMD", "/bin/false", 1);
  const std::size_t standIn = killedMidText();
  ::unsetenv("SPEECHD_CMD");
  const auto samples = recorder.stop();
  EXPECT_EQ(errors, std::vector<std::string>{});
  const auto heard = [&](std::size_t from, std::size_t to) {
    to = std::min(to, samples.size());
    from = std::min(from, to);
    return loudestRms({samples.begin() + static_cast<std::ptrdiff_t>(from), samples.begin() + static_cast<std::ptrdiff_t>(to)},
                      NullSinkRecorder::kRate);
  };
  EXPECT_GT(heard(back, standIn), 0.02);
  EXPECT_GT(heard(standIn, samples.size()), 0.02);

  ReleaseSpeech();
  releaseSound();
  std::remove(settings.c_str());
  sapi5inuse = voiceready = voiceallowed = false;
}

}  // namespace
}  // namespace drum::testing
