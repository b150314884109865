// The speech service when it misbehaves: one that accepts the connection and
// never answers, one that is not there, one that begins a message and never
// ends it, one that leaves a cancel unanswered, one that dies. The program
// must never wait for it without end, must tell the player once (and only
// when the service is in use) and must speak again when it comes back.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "fakespeechd.h"
#include "platform/cp1250.h"
#include "platform/realhost.h"
#include "shell/settings/flags.h"
#include "speech/speech.h"
#include "speech/speechdvoice.h"

namespace drum {
namespace {

class ServiceFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    setHost(&rhost);
    rhost.onError = [this](const std::string& t) { errors.push_back(t); };
    rhost.onMessageBox = [this](const std::string& t) { errors.push_back("box: " + t); };
    setSpeechPlatform(nullptr);  // the real service's voice
    sapi5inuse = voiceready = false;
    languagebase = 3000;
  }
  void TearDown() override {
    ReleaseSpeech();
    sapi5inuse = voiceready = false;
    languagebase = 1000;
    setHost(nullptr);
  }
  template <typename Done>
  bool waitFor(Done done, std::int64_t micros = 20000000) {
    const auto until = rhost.nowMicros() + micros;
    while (!done()) {
      if (rhost.nowMicros() > until) return false;
      rhost.waitForEvents(Millis(20));
    }
    return true;
  }
  void pause(std::int64_t micros) {
    const auto from = rhost.nowMicros();
    waitFor([&] { return rhost.nowMicros() - from > micros; });
  }
  SpeechdVoice& voice() { return dynamic_cast<SpeechdVoice&>(voice5()); }
  // The service in use, connected, as the voice dialog leaves it.
  void useService() {
    sapi5inuse = voiceready = true;
    ASSERT_TRUE(voice5().SetEventInterests(SVEAllEvents).succeeded());
    ASSERT_TRUE(waitFor([&] { return voice().connected(); }, 10000000));
  }

  RealHost rhost;
  std::vector<std::string> errors;
};

// A unique socket nobody can create: the service cannot be reached nor started.
struct Unreachable {
  Unreachable() {
    const char* before = std::getenv("SPEECHD_ADDRESS");
    had = before != nullptr;
    if (had) saved = before;
    ::setenv("SPEECHD_ADDRESS", "unix_socket:/proc/drum-no-such-dir/speechd.sock", 1);
  }
  ~Unreachable() {
    if (had) ::setenv("SPEECHD_ADDRESS", saved.c_str(), 1);
    else ::unsetenv("SPEECHD_ADDRESS");
  }
  bool had = false;
  std::string saved;
};

TEST_F(ServiceFaults, AServiceThatNeverAnswersIsNotReachedUntilChosenAndHoldsNothing) {
  const std::string path = "/tmp/drum-mute-speechd-" + std::to_string(::getpid());
  ::unlink(path.c_str());
  const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(server, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
  ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::listen(server, 4), 0);  // the kernel accepts; nobody ever reads or writes
  const char* before = std::getenv("SPEECHD_ADDRESS");
  const std::string saved = before ? before : "";
  ::setenv("SPEECHD_ADDRESS", ("unix_socket:" + path).c_str(), 1);

  {
    SpeechdVoice voice;
    int started = 0, ended = 0;
    voice.OnStartStream = [&](std::int32_t) { ++started; };
    voice.OnEndStream = [&](std::int32_t) { ++ended; };
    bool chosen = false;
    voice.inUse = [&] { return chosen; };
    // A service nobody chose is neither reached nor started.
    EXPECT_TRUE(voice.SetEventInterests(SVEAllEvents).succeeded());
    EXPECT_FALSE(voice.connecting());
    // Chosen: connecting goes on in the background, the caller goes on.
    chosen = true;
    EXPECT_TRUE(voice.SetEventInterests(SVEAllEvents).succeeded());
    EXPECT_TRUE(voice.connecting());
    ASSERT_TRUE(waitFor([&] { return !voice.connecting(); }, 15000000));
    EXPECT_FALSE(voice.connected());
    EXPECT_EQ(errors.size(), 1u);
    // Silent from then on: a text is taken and reported as begun and ended.
    EXPECT_TRUE(voice.Speak(u"dobrý deň", SVSFlagsAsync).succeeded());
    ASSERT_TRUE(waitFor([&] { return ended == 1; }, 1000000));
    EXPECT_EQ(started, 1);
  }

  if (before) ::setenv("SPEECHD_ADDRESS", saved.c_str(), 1); else ::unsetenv("SPEECHD_ADDRESS");
  ::close(server);
  ::unlink(path.c_str());
}

TEST_F(ServiceFaults, AnUnreachableServiceIsReportedInOurWordsOnceAndOnlyWhenItIsUsed) {
  Unreachable nowhere;
  ASSERT_TRUE(voice5().SetEventInterests(SVEAllEvents).succeeded());
  EXPECT_FALSE(voice().connecting());  // not chosen: not even tried
  EXPECT_EQ(errors, std::vector<std::string>{});  // speech goes through the built-in engine

  // The player chooses the service: the first text finds it missing.
  sapi5inuse = voiceready = true;
  pause(1100000);
  SpeakText(cp("Ahoj."));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("speech service"), std::string::npos) << errors[0];
  EXPECT_EQ(errors[0].find("socket"), std::string::npos) << errors[0];  // not libspeechd's words
  pause(1100000);
  SpeakText(cp("Ešte raz."));
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_FALSE(sapi5speaking);
}

TEST_F(ServiceFaults, AMessageBegunAndNeverEndedIsLetGoAfterItsLimitAndLaterTextsAreSilent) {
  testing::FakeSpeechd service(testing::FakeSpeechd::Mode::BeginsOnly);
  ASSERT_TRUE(service.ok());
  useService();
  const std::string text = cp("Dobrý deň.");
  const auto before = rhost.nowMicros();
  SpeakText(text);  // before: waited for ever
  const auto waited = rhost.nowMicros() - before;
  EXPECT_GE(waited, 2000000 + 150000 * static_cast<std::int64_t>(text.size()));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("stopped speaking"), std::string::npos) << errors[0];
  EXPECT_FALSE(sapi5speaking);

  // Treated as silent: the next texts do not wait, and nothing more is reported.
  const auto again = rhost.nowMicros();
  SpeakText(cp("Ďalší text."));
  SpeakText(cp("A ešte jeden."));
  EXPECT_LT(rhost.nowMicros() - again, 1000000);
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(service.texts(), std::vector<std::string>{"Dobrý deň."});
}

TEST_F(ServiceFaults, ACancelNeverAnsweredDoesNotHoldTheProgram) {
  testing::FakeSpeechd service(testing::FakeSpeechd::Mode::CancelHangs);
  ASSERT_TRUE(service.ok());
  service.speakMillis = 60000;
  useService();
  bool spoken = false;
  rhost.startTimer(Millis(300), [&] {
    StopSpeech();  // before: spd_cancel waited for its answer for ever
    spoken = true;
  });
  SpeakText(cp("Toto je veľmi dlhá veta, ktorú zastaví kláves."));
  EXPECT_TRUE(spoken);
  EXPECT_EQ(service.cancels(), 1);
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_FALSE(sapi5speaking);
}

TEST_F(ServiceFaults, AServiceThatDiedIsReachedAgainWithTheNextTextAndSaysSpeechIsBack) {
  testing::FakeSpeechd service;
  ASSERT_TRUE(service.ok());
  useService();
  SpeakText(cp("Prvá."));
  pause(1100000);
  service.dropAll();  // killed; started again (it listens anew)
  pause(200000);
  SpeakText(cp("Druhá."));
  SpeakText(cp("Tretia."));
  EXPECT_EQ(errors, std::vector<std::string>{});
  EXPECT_EQ(service.texts(), (std::vector<std::string>{"Prvá.", "Reč je späť.", "Druhá.", "Tretia."}));
}

TEST_F(ServiceFaults, AServiceThatStaysDeadIsTriedAtMostOnceASecondAndReportedOnce) {
  testing::FakeSpeechd service;
  ASSERT_TRUE(service.ok());
  useService();
  SpeakText(cp("Prvá."));
  pause(1100000);
  // It dies, and every connection made to it from now on is dropped at once.
  service.setMode(testing::FakeSpeechd::Mode::Refuses);
  service.dropAll();
  pause(200000);
  const int before = service.sessions();
  const auto start = rhost.nowMicros();
  int texts = 0;
  while (rhost.nowMicros() - start < 1000000) {
    SpeakText(cp("Znova."));
    ++texts;
    pause(20000);
  }
  EXPECT_GT(texts, 10);
  // An attempt is a probe of the socket and a connection: one attempt, or
  // two when the second begins as the second runs out.
  EXPECT_LE(service.sessions() - before, 4);
  EXPECT_EQ(errors.size(), 1u);
}

}  // namespace
}  // namespace drum

namespace drum {
namespace {

// The voice of the service with a stand-in that writes down what it says
// and takes `millis` for each text.
struct WithStandIn {
  explicit WithStandIn(SpeechdVoice& voice, int millis = 100) {
    voice.standInReady = [] { return true; };
    voice.standIn = [this, millis](const std::string& text, std::function<void()> done) {
      said.push_back(text);
      pending.push_back(done);
      host().startTimer(Millis(millis), [this] {
        if (pending.empty()) return;
        auto fn = std::move(pending.front());
        pending.erase(pending.begin());
        fn();
      });
      return true;
    };
    voice.standInStop = [this] {
      const auto cut = std::move(pending);
      pending.clear();
      for (const auto& fn : cut) fn();
    };
  }
  std::vector<std::string> said;
  std::vector<std::function<void()>> pending;
};

TEST_F(ServiceFaults, AServiceKilledMidTextIsReachedAgainAtOnceAndSaysTheCutTextInFull) {
  testing::FakeSpeechd service;
  ASSERT_TRUE(service.ok());
  service.speakMillis = 3000;
  useService();
  pause(1100000);
  bool killed = false;
  rhost.startTimer(Millis(300), [&] {
    service.speakMillis = 100;
    service.dropAll();  // killed mid-text; started again, it listens anew
    killed = true;
  });
  const auto before = rhost.nowMicros();
  SpeakText(cp("Pravidlá hry sú takéto."));
  ASSERT_TRUE(killed);
  // Before: the text was taken for stuck, 2 s and more were waited, and the
  // service was left alone for half a minute.
  EXPECT_LT(rhost.nowMicros() - before, 2000000);
  EXPECT_EQ(errors, std::vector<std::string>{});
  SpeakText(cp("Ďalej."));
  EXPECT_EQ(service.texts(), (std::vector<std::string>{"Pravidlá hry sú takéto.", "Reč je späť.",
                                                       "Pravidlá hry sú takéto.", "Ďalej."}));
}

TEST_F(ServiceFaults, WhileTheServiceCannotBeHadTheStandInSpeaksAndTheServiceIsBackLater) {
  testing::FakeSpeechd service;
  ASSERT_TRUE(service.ok());
  service.speakMillis = 3000;
  useService();
  WithStandIn standIn(voice());
  pause(1100000);
  rhost.startTimer(Millis(300), [&] {
    service.setMode(testing::FakeSpeechd::Mode::Refuses);  // dead, and not started again
    service.dropAll();
  });
  const auto before = rhost.nowMicros();
  SpeakText(cp("Prvá veta."));
  SpeakText(cp("Druhá veta."));
  // The cut text and the next are heard from the stand-in within a second
  // of the death each, and nobody is troubled with a box.
  EXPECT_LT(rhost.nowMicros() - before, 300000 + 2 * 1000000);
  EXPECT_EQ(standIn.said, (std::vector<std::string>{"Prvá veta.", "Druhá veta."}));
  EXPECT_EQ(errors, std::vector<std::string>{});
  EXPECT_FALSE(sapi5speaking);

  // A key cuts the stand-in as it cuts the service.
  bool stopped = false;
  rhost.startTimer(Millis(50), [&] {
    StopSpeech();
    stopped = true;
  });
  standIn.said.clear();
  const auto cut = rhost.nowMicros();
  voice().standIn = [&](const std::string& text, std::function<void()> done) {
    standIn.said.push_back(text);
    standIn.pending.push_back(done);  // never ends by itself
    return true;
  };
  SpeakText(cp("Dlhá veta."));
  EXPECT_TRUE(stopped);
  EXPECT_LT(rhost.nowMicros() - cut, 1000000);

  // Started again: reached with a later text, which it says after the notice.
  service.setMode(testing::FakeSpeechd::Mode::Speaks);
  service.speakMillis = 50;
  pause(2100000);  // past the wait before the next try
  SpeakText(cp("Späť."));
  SpeakText(cp("A ďalej."));
  const auto texts = service.texts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(texts.end() - 3, texts.end()),
            (std::vector<std::string>{"Reč je späť.", "Späť.", "A ďalej."}));
}

}  // namespace
}  // namespace drum
