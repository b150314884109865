// drumrun on a machine without sound: no sound card, no sound server. The
// player is told so once, in plain words, and the sound library's own
// complaints stay off the terminal; the game still runs (silent, at its pace).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "program/drumrun_harness.h"

namespace drum::test {
namespace {

int occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(NoSoundDevice, DrumrunSaysOnceThatItRunsSilentAndAlsaStaysQuiet) {
  if (std::filesystem::exists("/dev/snd")) GTEST_SKIP() << "this machine has a sound card";
  GameFolder game;
  // Quick: no voice and no sounds, only the start-up and the end.
  game.writeFile("drumrun.ini", "[voice]\nvoiceallowed=0\n[sounds]\noskirasounds=0\n");
  const std::string runtime = (game.path() / "runtime").string();
  std::filesystem::create_directories(runtime);
  const auto r = game.runRaw({"--script", "-"}, "esc\n",
                             {"XDG_RUNTIME_DIR=" + runtime, "PULSE_SERVER=unix:/proc/drum-no-pulse",
                              "PIPEWIRE_REMOTE=/proc/drum-no-pipewire", "SDL_AUDIODRIVER",
                              "SPEECHD_ADDRESS=unix_socket:/proc/drum-no-speechd/speechd.sock"});
  EXPECT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(occurrences(r.errors, "No sound output was found"), 1) << r.errors;
  EXPECT_EQ(occurrences(r.errors, "ALSA lib"), 0) << r.errors;
  EXPECT_EQ(occurrences(r.errors, "speech service"), 0) << r.errors;  // not in use: not mentioned
}

}  // namespace
}  // namespace drum::test
