// The speaking operations on the scripted engines: what reaches an engine,
// and how long each operation waits, on the virtual clock.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/realhost.h"
#include "runtime/oskcommands.h"
#include "shell/settings/resourcelocalizer.h"
#include "speech/speechdvoice.h"
#include "speechfixture.h"

namespace drum::testing {
namespace {

using Facade = SpeechTest;

TEST_F(Facade, EmptyTextsSayNothingAndDoNotWaitOnEitherPath) {
  startWithVoice();
  log().calls.clear();
  const auto before = now();
  SpeakText("");
  SpeakTextNoWait("");
  sapi5inuse = voiceready = true;
  SpeakText("");
  SpeakTextNoWait("");
  EXPECT_EQ(log().count("TextData"), 0);
  EXPECT_EQ(log().count("Speak"), 0);
  EXPECT_EQ(now(), before);
}

TEST_F(Facade, Sapi4SpeakTextHandsOverTheBytesWithTheirZeroAndWaitsForTheEndOfTheAudio) {
  startWithVoice();
  log().calls.clear();
  const std::string text = cp("Ďakujem, že čakáš.");
  const auto before = now();
  SpeakText(text);
  EXPECT_EQ(log().matching("TextData"), std::vector<std::string>{"TextData " + text});
  EXPECT_EQ(engine().lastSize, text.size() + 1);
  EXPECT_EQ(engine().lastCharset, CHARSET_TEXT);
  EXPECT_EQ(engine().lastFlags, 0u);
  // The whole utterance has played: start delay plus its length.
  EXPECT_GE(now() - before, log().timing.startDelay + log().timing.length(text.size()));
  EXPECT_FALSE(sapi4speaking);
  EXPECT_EQ(log().calls.back(), "-> AudioStop");
}

TEST_F(Facade, Sapi4WaitDoesNotEndBeforeALateAudioStart) {
  startWithVoice();
  log().timing.startDelay = 400000;  // longer than any single round of the event loop
  const auto before = now();
  SpeakText("a");
  EXPECT_GE(now() - before, 400000 + log().timing.length(1));
  EXPECT_EQ(log().calls.back(), "-> AudioStop");
}

TEST_F(Facade, Sapi4WithVoiceNotAllowedSaysNothingAndReturnsAtOnce) {
  startWithVoice();
  voiceallowed = false;
  log().calls.clear();
  const auto before = now();
  SpeakText("ahoj");
  SpeakTextNoWait("ahoj");
  EXPECT_EQ(log().count("TextData"), 0);
  EXPECT_EQ(now(), before);
  // Key echo's path does not ask for the flag.
  TextDataAndWait("ahoj");
  EXPECT_EQ(log().count("TextData"), 1);
  EXPECT_GT(now(), before);
}

TEST_F(Facade, Sapi5SpeaksWithVoiceNotAllowedAndWaitsForTheEndOfTheStream) {
  startWithVoice();
  voiceallowed = false;
  sapi5inuse = voiceready = true;
  log().calls.clear();
  const auto before = now();
  SpeakText(cp("Žltý kôň"));
  EXPECT_EQ(log().matching("Speak"), std::vector<std::string>{"Speak 1 " + cp("Žltý kôň")});
  EXPECT_EQ(platform.voice->lastUtf16, u"Žltý kôň");  // handed over as UTF-16
  EXPECT_GE(now() - before, log().timing.startDelay + log().timing.length(8));
  EXPECT_FALSE(sapi5speaking);
  EXPECT_EQ(log().count("TextData"), 0);
}

TEST_F(Facade, NoWaitSpeaksOnBothPathsWithoutWaitingOrTouchingTheFlags) {
  startWithVoice();
  log().calls.clear();
  const auto before = now();
  SpeakTextNoWait("raz");
  EXPECT_EQ(log().count("TextData raz"), 1);
  sapi5inuse = true;
  SpeakTextNoWait("dva");
  EXPECT_EQ(log().count("Speak 1 dva"), 1);
  EXPECT_EQ(now(), before);
  EXPECT_FALSE(sapi4speaking);
  EXPECT_FALSE(sapi5speaking);
}

TEST_F(Facade, WithoutAnEngineTheInProcessPathIsSilent) {
  InitSpeechEngines();
  VoiceDialogCreate();  // voices listed, none selected yet
  voiceready = true;
  log().calls.clear();
  const auto before = now();
  SpeakText("nic");
  SpeakTextNoWait("nic");
  StopSpeech();
  TextDataAndWait("nic");
  EXPECT_FALSE(Sapi4EngineExists());
  EXPECT_TRUE(log().calls.empty());
  EXPECT_EQ(now(), before);
}

TEST_F(Facade, StopSpeechSendsNothingWhileSilent) {
  startWithVoice();
  SpeakText("hotovo");
  log().calls.clear();
  StopSpeech();
  EXPECT_TRUE(log().calls.empty());
}

TEST_F(Facade, StopSpeechFromAKeyEndsTheWaitAtOnce) {
  startWithVoice();
  log().calls.clear();
  const auto before = now();
  vhost.schedule(before + 30000, [] { StopSpeech(); });
  SpeakText("dlha veta, ktora by trvala takmer pol sekundy");
  EXPECT_EQ(log().count("AudioReset"), 1);
  EXPECT_LT(now() - before, 31000);
  EXPECT_FALSE(sapi4speaking);
}

TEST_F(Facade, StopSpeechCancelsATextWhoseAudioHasNotStarted) {
  startWithVoice();
  log().timing.startDelay = 50000;
  log().calls.clear();
  SpeakTextNoWait("este nezacal");
  StopSpeech();
  EXPECT_EQ(log().count("AudioReset"), 1);
  vhost.advance(1000000);
  vhost.processEvents();
  EXPECT_EQ(log().count("-> AudioStart"), 0);
}

TEST_F(Facade, ATextSpokenRightAfterAStopIsWaitedForInFull) {
  startWithVoice();
  log().calls.clear();
  std::int64_t innerEnded = 0;
  const auto before = now();
  // A key while speaking: silence, then its own text, which must be heard out.
  vhost.schedule(before + 30000, [&] {
    StopSpeech();
    SpeakText("vnorena");
    innerEnded = now();
  });
  SpeakText("prva dlha veta, ktora bude prerusena");
  EXPECT_GE(innerEnded - (before + 30000), log().timing.startDelay + log().timing.length(7));
  EXPECT_EQ(log().matching("TextData").size(), 2u);
}

TEST_F(Facade, Sapi5StopPurgesWithAnEmptyText) {
  startWithVoice();
  sapi5inuse = voiceready = true;
  log().calls.clear();
  const auto before = now();
  vhost.schedule(before + 30000, [] { StopSpeech(); });
  SpeakText("dlhy text, ktory sa zrusi");
  EXPECT_EQ(log().count("Speak 2 "), 1);
  EXPECT_LT(now() - before, 31000);
}

TEST_F(Facade, EngineFailuresEndTheCommandWithTheEngineText) {
  startWithVoice();
  log().failing["TextData"] = "engine busy";
  try {
    SpeakText("x");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "engine busy");
  }
  EXPECT_FALSE(sapi4speaking);
  log().failing.clear();
  SpeakText("y");  // the next text is spoken and waited for as usual
  EXPECT_EQ(log().calls.back(), "-> AudioStop");

  sapi5inuse = voiceready = true;
  log().failing["Speak"] = "service gone";
  EXPECT_THROW(SpeakText("z"), Error);
  EXPECT_FALSE(sapi5speaking);
}

TEST_F(Facade, KeyEchoPathsSpeakAsTheyAreTold) {
  startWithVoice();
  log().calls.clear();
  Speak5("<emph>A</emph>", SVSFlagsAsync | SVSFIsXML);
  EXPECT_EQ(log().count("Speak 9 <emph>A</emph>"), 1);
  EXPECT_TRUE(Sapi4EngineExists());
}

TEST_F(Facade, HooksLetPrintSpeakAndAnswerWhetherEnginesExist) {
  installSpeechHooks();
  EXPECT_FALSE(enumeratorexistshook());
  startWithVoice();
  EXPECT_TRUE(enumeratorexistshook());
  log().calls.clear();
  speaktexthook(cp("čítaj"));
  EXPECT_EQ(log().count("TextData " + cp("čítaj")), 1);
  speaktexthook = nullptr;
  enumeratorexistshook = nullptr;
}

TEST_F(Facade, ReplacingTheEngineMidSentenceEndsTheWait) {
  startWithVoice();
  vhost.schedule(now() + 10000, [] {
    voicedialog.voicelist.setItemIndex(1);
    voicelistClick();
    SelectVoice();
  });
  SpeakText("veta, ktoru prerusi vymena hlasu");
  EXPECT_EQ(engine().mode().id, "cs");
  EXPECT_FALSE(sapi4speaking);
  SpeakText("dalsia");
  EXPECT_EQ(log().calls.back(), "-> AudioStop");
}

// The speech-dispatcher voice without a service to reach: texts are
// accepted and reported as ended, so nothing waits for them.
TEST(SilentService, AcceptsTextsAndReportsThemAsEnded) {
  const char* before = std::getenv("SPEECHD_ADDRESS");
  const std::string saved = before ? before : "";
  ::setenv("SPEECHD_ADDRESS", "unix_socket:/proc/drum-no-such-dir/speechd.sock", 1);
  RealHost rhost;
  setHost(&rhost);
  std::vector<std::string> reports;
  rhost.onError = [&](const std::string& t) { reports.push_back(t); };
  {
    SpeechdVoice voice;
    voice.inUse = [] { return false; };
    std::vector<std::string> events;
    voice.OnStartStream = [&](std::int32_t) { events.push_back("start"); };
    voice.OnEndStream = [&](std::int32_t) { events.push_back("end"); };
    EXPECT_TRUE(voice.Speak(u"text", SVSFlagsAsync).succeeded());
    EXPECT_TRUE(voice.Speak(u"", SVSFPurgeBeforeSpeak).succeeded());
    EXPECT_EQ(events, std::vector<std::string>{"end"});  // purged before it began
    EXPECT_TRUE(voice.Speak(u"druhý", SVSFlagsAsync).succeeded());
    for (int i = 0; i < 500 && events.size() < 2; ++i) rhost.waitForEvents(Millis(20));
    EXPECT_EQ(events, (std::vector<std::string>{"end", "end"}));
    EXPECT_FALSE(voice.connected());
    EXPECT_EQ(reports.size(), 1u);  // a text of ours was lost
  }
  setHost(nullptr);
  if (before) ::setenv("SPEECHD_ADDRESS", saved.c_str(), 1); else ::unsetenv("SPEECHD_ADDRESS");
}

}  // namespace
}  // namespace drum::testing
