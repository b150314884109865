// A speech service that accepts the connection and then never answers: the
// voice must give up and stay silent rather than hold the program for ever.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/realhost.h"
#include "speech/speechdvoice.h"

namespace drum {
namespace {

TEST(SpeechdSilentService, ConnectingGivesUpAndTheVoiceStaysSilent) {
  RealHost rhost;
  setHost(&rhost);
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
    const Status connected = voice.SetEventInterests(SVEAllEvents);
    EXPECT_FALSE(connected.succeeded());
    EXPECT_NE(connected.text.find("does not answer"), std::string::npos) << connected.text;
    EXPECT_FALSE(voice.connected());
    // Silent from then on: a text is taken and reported as begun and ended.
    EXPECT_TRUE(voice.Speak(u"dobrý deň", 1).succeeded());
    for (int i = 0; i < 10 && ended == 0; ++i) rhost.waitForEvents(Millis(10));
    EXPECT_EQ(started, 1);
    EXPECT_EQ(ended, 1);
  }

  if (before) ::setenv("SPEECHD_ADDRESS", saved.c_str(), 1); else ::unsetenv("SPEECHD_ADDRESS");
  ::close(server);
  ::unlink(path.c_str());
  setHost(nullptr);
}

}  // namespace
}  // namespace drum
