// SpeakKey on both speech paths, with the scripted engine and voice of
// support/fakeengine.h standing in for espeak-ng and the speech service (an
// engine that speaks every text for 300 ms), and the capital tone recorded
// from the virtual sound device.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "input/brailletables.h"
#include "input/keyboardinput.h"
#include "input/keycodes.h"
#include "input/keyecho.h"
#include "platform/cp1250.h"
#include "platform/error.h"
#include "runtime/soundfixture.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"
#include "speech/speech.h"
#include "support/fakeengine.h"

namespace drum {
namespace {

struct Tone {
  std::vector<double> values;
  double duration, voice;
  std::int64_t atMicros;
};

class KeyEcho : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    platform.log.timing = {0, 0, 300000};
    setSpeechPlatform(&platform);
    notifysink = std::make_shared<TTTSNotifySink>();
    std::uint32_t key = 0;
    engine->Register(notifysink, key);
    sapi4engine = engine;
    resetFlags();
    voiceready = true;
    voiceallowed = true;
    sapi5inuse = false;
    tracehooks.sound = [this](const std::vector<double>& values, double duration, double voice) {
      tones.push_back({values, duration, voice, clock.nowMicros()});
    };
    echokeys.fill({});
    const std::vector<std::pair<int, std::string>> lines = {
        {32, "mezera"}, {'a', "a"},        {'A', "a"},         {'1', "jedna"},
        {0xD8, "eř"},   {0xF8, "eř"},      {0xA7, "paragraf"}, {'B', ""},
        {'<', "<emphasis>menší</emphasis> než"}, {'x', "iks"}, {'x', "ypsilon"}};
    for (std::size_t i = 0; i < lines.size(); ++i)
      echokeys[i] = {static_cast<std::uint8_t>(lines[i].first), cp(lines[i].second)};
  }
  void TearDown() override {
    tracehooks = {};
    ReleaseSpeech();
    setSpeechPlatform(nullptr);
    resetFlags();
    echokeys.fill({});
    SoundTest::TearDown();
  }

  std::vector<fake::Said> none;
  std::vector<fake::Said>& service() { return platform.voice ? platform.voice->said : none; }
  std::vector<fake::Said>& inprocess() { return engine->said; }
  bool silent() { return service().empty() && inprocess().empty() && tones.empty(); }

  fake::Platform platform;
  std::shared_ptr<fake::Engine> engine = std::make_shared<fake::Engine>(platform.log, fake::ModeScript{});
  std::vector<Tone> tones;
};

TEST(CapitalLetters, AreTheAsciiCapitalsAndTheEvenPlacesOfTheTable) {
  for (int c = 0; c < 128; ++c) EXPECT_EQ(IsCapitalLetter(static_cast<char>(c)), c >= 'A' && c <= 'Z') << c;
  const std::string pairs = cp("áÁäÄčČďĎéÉěĚíÍĺĹľĽňŇóÓôÔöÖŕŔřŘšŠťŤúÚůŮüÜýÝžŽ");
  ASSERT_EQ(pairs.size(), 44u);
  for (std::size_t i = 0; i < pairs.size(); i += 2) {
    EXPECT_FALSE(IsCapitalLetter(pairs[i])) << cp1250ToUtf8(pairs.substr(i, 1));
    EXPECT_TRUE(IsCapitalLetter(pairs[i + 1])) << cp1250ToUtf8(pairs.substr(i + 1, 1));
  }
  // Not in the table: no capital, whatever the letter.
  for (const char* other : {"§", "Ś", "Ł", "Ą", "Ő", "€", "×", "ß"}) EXPECT_FALSE(IsCapitalLetter(cp(other)[0])) << other;
}

TEST_F(KeyEcho, SpeechServiceGetsTheEchoTextAsMarkupAndIsNotWaitedFor) {
  sapi5inuse = true;
  SpeakKey(" ");
  SpeakKey("<");
  ASSERT_EQ(service().size(), 2u);
  EXPECT_EQ(service()[0].text, "mezera");
  EXPECT_EQ(service()[0].flags, SVSFlagsAsync | SVSFIsXML);
  EXPECT_EQ(service()[1].text, cp("<emphasis>menší</emphasis> než"));
  EXPECT_EQ(clock.nowMicros(), 0);
  EXPECT_TRUE(inprocess().empty());
  EXPECT_TRUE(tones.empty());
}

TEST_F(KeyEcho, InProcessEngineSpeaksTheEchoTextAndIsWaitedFor) {
  SpeakKey("1");
  ASSERT_EQ(inprocess().size(), 1u);
  EXPECT_EQ(inprocess()[0].text, "jedna");
  EXPECT_GE(clock.nowMicros(), 300000);  // returned only after the engine fell silent
  EXPECT_TRUE(service().empty());
  EXPECT_TRUE(tones.empty());
}

TEST_F(KeyEcho, InProcessEngineSpeaksEvenWhenVoiceIsNotAllowed) {
  voiceallowed = false;
  SpeakText("silent");
  SpeakKey("a");
  ASSERT_EQ(inprocess().size(), 1u);
  EXPECT_EQ(inprocess()[0].text, "a");
}

TEST_F(KeyEcho, CapitalTonePlaysBeforeTheCapitalIsSpoken) {
  sapi5inuse = true;
  SpeakKey("A");
  ASSERT_EQ(tones.size(), 1u);
  EXPECT_EQ(tones[0].values, std::vector<double>{2000});
  EXPECT_EQ(tones[0].duration, 20);
  EXPECT_EQ(tones[0].voice, 1);
  ASSERT_EQ(service().size(), 1u);
  EXPECT_EQ(service()[0].text, "a");
  EXPECT_EQ(service()[0].atMicros, 20000);

  // What the device played: 20 ms of 2000 Hz, all of it before the speech.
  clock.sleep(Millis(50));
  const auto [first, last] = audible();
  ASSERT_LT(first, last);
  EXPECT_NEAR(static_cast<double>(last - first), 960, 96);
  EXPECT_NEAR(pitch(first + 96, last - 96), 2000, 20);
  EXPECT_LE(first, 48u);
}

TEST_F(KeyEcho, AccentedCapitalHasTheToneOnTheWaitedPathToo) {
  SpeakKey(cp("Ř"));
  ASSERT_EQ(tones.size(), 1u);
  ASSERT_EQ(inprocess().size(), 1u);
  EXPECT_EQ(inprocess()[0].text, cp("eř"));
  EXPECT_EQ(inprocess()[0].atMicros, 20000);
  EXPECT_GE(clock.nowMicros(), 320000);
}

TEST_F(KeyEcho, SmallLettersDigitsAndTheSectionSignHaveNoTone) {
  SpeakKey(cp("ř"));
  SpeakKey(cp("§"));
  SpeakKey("1");
  SpeakKey("a");
  EXPECT_TRUE(tones.empty());
  ASSERT_EQ(inprocess().size(), 4u);
  EXPECT_EQ(inprocess()[1].text, "paragraf");
}

TEST_F(KeyEcho, CapitalWithAnEmptyEchoTextGetsOnlyItsTone) {
  SpeakKey("B");
  EXPECT_EQ(tones.size(), 1u);
  EXPECT_TRUE(inprocess().empty());
  EXPECT_TRUE(service().empty());
}

TEST_F(KeyEcho, WithoutAKeyFileOnlyTheCapitalToneSounds) {
  echokeys.fill({});
  SpeakKey("A");
  SpeakKey("a");
  SpeakKey(" ");
  EXPECT_EQ(tones.size(), 1u);
  EXPECT_TRUE(inprocess().empty());
}

TEST_F(KeyEcho, FirstEntryOfACodeIsTheOneSpoken) {
  SpeakKey("x");
  ASSERT_EQ(inprocess().size(), 1u);
  EXPECT_EQ(inprocess()[0].text, "iks");
}

TEST_F(KeyEcho, LongerTextSpeaksItsFirstCharacterWithoutTone) {
  SpeakKey("Ax");
  EXPECT_TRUE(tones.empty());
  ASSERT_EQ(inprocess().size(), 1u);
  EXPECT_EQ(inprocess()[0].text, "a");
}

TEST_F(KeyEcho, NothingIsSaidForNulEmptyTextOrAnUnknownCode) {
  SpeakKey(std::string(1, '\0'));
  SpeakKey("");
  SpeakKey("?");
  EXPECT_TRUE(silent());
  EXPECT_EQ(clock.nowMicros(), 0);
}

TEST_F(KeyEcho, NothingAtAllUntilAVoiceIsReady) {
  voiceready = false;
  SpeakKey("A");
  sapi5inuse = true;
  SpeakKey(" ");
  EXPECT_TRUE(silent());
}

TEST_F(KeyEcho, WithoutAnyEngineOnlyTheToneSounds) {
  sapi4engine.reset();
  SpeakKey("A");
  EXPECT_EQ(tones.size(), 1u);
  EXPECT_TRUE(inprocess().empty());
  EXPECT_TRUE(service().empty());
}

// A key silences what is being said, but a press that reaches the game only
// after a newer text began (a screen reader's bridge held it while a
// shortcut went ahead and started the game) leaves that text alone.
TEST_F(KeyEcho, AKeyStopsSpeechUnlessItWasPressedBeforeTheTextBegan) {
  KeyboardInput input;
  setKeyState(&input);
  const auto resets = [this] {
    return std::count(platform.log.calls.begin(), platform.log.calls.end(), std::string("AudioReset"));
  };
  KeyEvent control;
  control.key = vk::Control;
  const std::int64_t pressed = clock.nowMicros();
  clock.advance(20000);
  SpeakTextNoWait(cp("dobrý večer;"));
  control.pressedAt = pressed;
  input.press(control);
  input.release(control);
  EXPECT_EQ(resets(), 0);
  control.pressedAt = -1;
  input.press(control);
  input.release(control);
  EXPECT_EQ(resets(), 1);
  setKeyState(nullptr);
}

TEST_F(KeyEcho, RefusedSpeechEndsTheCommandWithTheServicesWords) {
  sapi5inuse = true;
  platform.log.failing["Speak"] = "the speech service is gone";
  try {
    SpeakKey(" ");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "the speech service is gone");
  }
}

}  // namespace
}  // namespace drum
