// Beside a screen reader our speech goes through the speech service the
// reader speaks through, on a voice of its own that takes turns with the
// reader; both paths keep their rules (who may speak, what is waited for,
// what a key stops). The voice dialog's standard controls are the reader's
// to name.
#include "platform/screenreader.h"
#include "speech/speechfixture.h"
#include "speech/voicedialog.h"

namespace drum::testing {
namespace {

class BesideAScreenReader : public SpeechTest {
 protected:
  void SetUp() override {
    SpeechTest::SetUp();
    setScreenReaderRunning(true);
  }
  void TearDown() override {
    setScreenReaderRunning(false);
    SpeechTest::TearDown();
  }
};

TEST_F(BesideAScreenReader, BothPathsSpeakThroughTheReadersServiceAndWaitForIt) {
  startWithVoice();
  voiceallowed = true;
  log().calls.clear();
  const auto before = now();
  SpeakText(cp("Žltý kôň"));
  EXPECT_EQ(log().matching("ReaderSpeak"), std::vector<std::string>{"ReaderSpeak 1 " + cp("Žltý kôň")});
  EXPECT_EQ(platform.reader->lastUtf16, u"Žltý kôň");
  EXPECT_EQ(log().count("TextData"), 0);
  EXPECT_GE(now() - before, log().timing.startDelay + log().timing.length(8));
  EXPECT_FALSE(sapi4speaking);

  sapi5inuse = voiceready = true;
  log().calls.clear();
  SpeakText("dva");
  EXPECT_EQ(log().matching("ReaderSpeak"), std::vector<std::string>{"ReaderSpeak 1 dva"});
  EXPECT_EQ(log().count("Speak "), 0);
  EXPECT_FALSE(sapi5speaking);
  // Key echo keeps its markup.
  Speak5("<emph>A</emph>", SVSFlagsAsync | SVSFIsXML);
  EXPECT_EQ(log().count("ReaderSpeak 9 <emph>A</emph>"), 1);
}

TEST_F(BesideAScreenReader, WhoMaySpeakIsDecidedAsWithoutIt) {
  startWithVoice();
  voiceallowed = false;
  log().calls.clear();
  SpeakText("nie");
  SpeakTextNoWait("nie");
  EXPECT_EQ(log().count("ReaderSpeak"), 0);
  ReleaseSpeech();
  InitSpeechEngines();  // no engine chosen yet: the in-process path says nothing
  voiceallowed = true;
  SpeakText("nie");
  EXPECT_EQ(log().count("ReaderSpeak"), 0);
}

TEST_F(BesideAScreenReader, AKeyStopsOurVoiceOnTheService) {
  startWithVoice();
  voiceallowed = voiceready = true;
  log().calls.clear();
  const auto before = now();
  vhost.schedule(before + 30000, [] { StopSpeech(); });
  SpeakText("dlhy text, ktory sa zrusi");
  EXPECT_EQ(log().count("ReaderSpeak 2 "), 1);
  EXPECT_LT(now() - before, 31000);
  EXPECT_FALSE(sapi4speaking);
  // Nothing spoken: nothing to stop.
  log().calls.clear();
  StopSpeech();
  EXPECT_EQ(log().count("ReaderSpeak"), 0);
}

TEST_F(BesideAScreenReader, NoServiceToSpeakThroughLeavesOurOwnEngines) {
  startWithVoice();
  voiceallowed = true;
  log().failing["SetEventInterests"] = "no service";
  log().calls.clear();
  SpeakText("vlastny");
  EXPECT_EQ(log().count("TextData vlastny"), 1);
  EXPECT_EQ(log().count("ReaderSpeak"), 0);
}

TEST_F(BesideAScreenReader, WhenItStopsOurOwnEnginesSpeakAgain) {
  startWithVoice();
  voiceallowed = true;
  SpeakText("raz");
  setScreenReaderRunning(false);
  log().calls.clear();
  SpeakText("dva");
  EXPECT_EQ(log().count("TextData dva"), 1);
  EXPECT_EQ(log().count("ReaderSpeak"), 0);
}

TEST_F(BesideAScreenReader, TheVoiceDialogLeavesItsControlsToTheReader) {
  startWithVoice();
  voiceallowed = true;
  voicedialog.isActiveWindow = [] { return true; };
  log().calls.clear();
  voicesettings::FormActivate();
  voicesettings::voicelistEnter();
  voicesettings::pitchtbEnter();
  voicesettings::closebitbtnEnter();
  voicedialog.speedtb.setPosition(170);
  voicedialog.voicelist.setItemIndex(1);
  voicelistClick();
  EXPECT_EQ(log().count("ReaderSpeak"), 0);
  EXPECT_EQ(log().count("TextData"), 0);
  // The engine still follows the bar.
  EXPECT_EQ(log().count("Inject \\Spd=170\\"), 1);

  setScreenReaderRunning(false);
  voicesettings::pitchtbEnter();
  EXPECT_EQ(log().count("TextData"), 1);
}

}  // namespace
}  // namespace drum::testing
