// drumrun in a terminal (a pseudo-terminal here) beside BRLTTY with a
// display: the display shows the line the game writes and types the game's
// codes as chords, as F D S J K L do in the desktop program.
#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "input/braillecells.h"
#include "platform/cp1250.h"
#include "support/tempdir.h"
#include "support/virtualbraille.h"

namespace drum::brailletest {
namespace {

using testing::TempDir;
using testing::VirtualBraille;
using namespace std::chrono_literals;

std::u16string u16(const std::string& utf8) { return cp1250ToUtf16(utf8ToCp1250(utf8)); }

VirtualBraille::Cells cellsOf(const std::string& utf8) {
  auto cells = brailleCells(u16(utf8));
  return cells ? *cells : VirtualBraille::Cells();
}

// drumrun on a terminal of its own, in a game folder of its own.
class Drumrun {
 public:
  explicit Drumrun(const std::string& folder) {
    winsize size{};
    size.ws_row = 24;
    size.ws_col = 80;
    pid_ = ::forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ == 0) {
      if (::chdir(folder.c_str()) != 0) ::_exit(126);
      ::setenv("TERM", "xterm", 1);
      ::setenv("LC_ALL", "C.UTF-8", 1);
      ::setenv("SDL_AUDIODRIVER", "dummy", 1);  // paced silence: the player's ears are not tested here
      ::execl("./drumrun", "drumrun", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // The terminal's output is read all along, so drumrun never waits on it.
    reader_ = std::thread([this] {
      char buffer[4096];
      for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;) {
        std::lock_guard guard(lock_);
        output_.append(buffer, static_cast<std::size_t>(n));
      }
    });
  }
  ~Drumrun() {
    if (pid_ > 0 && !ended_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) ::close(master_);
    if (reader_.joinable()) reader_.join();
  }
  bool started() const { return pid_ > 0; }
  // Waits until the terminal has shown `text` (UTF-8).
  bool shown(const std::string& text, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
      {
        std::lock_guard guard(lock_);
        if (output_.find(text) != std::string::npos) return true;
      }
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }
  void type(const std::string& keys) { (void)!::write(master_, keys.data(), keys.size()); }
  // The exit status, or -1 when drumrun has not ended within `timeout`.
  int wait(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(20ms);
    }
    return -1;
  }

 private:
  int master_ = -1;
  pid_t pid_ = -1;
  bool ended_ = false;
  std::thread reader_;
  std::mutex lock_;
  std::string output_;
};

// A game folder of drumrun's own, with its settings file.
void makeGame(const TempDir& game, const std::string& settings) {
  namespace fs = std::filesystem;
  fs::copy_file(DRUMRUN, game.file("drumrun"));
  fs::permissions(game.file("drumrun"), fs::perms::owner_all);
  for (const char* f : {"sounds.dat", "czech.ebt", "czech.eky", "english.eky", "slovak.eky"})
    fs::create_symlink(std::string(DRUM_GAME_DIR) + "/" + f, game.file(f));
  testing::writeFile(game.file("drumrun.ini"), settings);
}

TEST(DrumrunOnADisplay, ShowsTheGamesLinesAndTypesItsCodesAsChords) {
  if (const std::string why = VirtualBraille::missing(); !why.empty()) GTEST_SKIP() << why;
  VirtualBraille braille(40);
  ASSERT_TRUE(braille.ready()) << braille.error();
  braille.exportEnvironment();

  TempDir game("drumrun-braille");
  // No voice: the game's texts are read on the display here.
  makeGame(game, "[voice]\nvoiceallowed=0\n[braille]\ndisplay=1\n");

  Drumrun run(game.path());
  ASSERT_TRUE(run.started());
  const auto showing = [&](const std::string& text) {
    const bool ok = braille.waitForText(cellsOf(text), -1, 20s);
    EXPECT_TRUE(ok) << "the display does not show \"" << text << "\" but "
                    << VirtualBraille::cellsText(braille.cells());
    return ok;
  };
  // The greeting's last line, which the game waits under.
  ASSERT_TRUE(showing("keď chceš kódy, napíš otazník."));
  std::printf("the display shows the greeting's last line as %s\n", VirtualBraille::cellsText(braille.cells()).c_str());

  braille.dots(0x1D);  // 1345: n, a new game
  ASSERT_TRUE(showing("čakaj, miešam písmená."));
  // The chord 25 is ':' in czech.ebt (BRLTTY's own table would make it ':'
  // too, but the chord reaches us as dots): the vertical row moves down and
  // the game reads the letter at the cursor, one capital letter.
  braille.dots(0x12);
  EXPECT_TRUE(braille.waitFor(
      [](const VirtualBraille::Cells& c) {
        return (c[0] & 0x40) && (c[0] & 0x80) == 0 &&
               std::all_of(c.begin() + 1, c.end(), [](std::uint8_t x) { return x == 0; });
      },
      20s))
      << VirtualBraille::cellsText(braille.cells());
  // s (234): the moves used and left, the last line on the display.
  braille.dots(0x0E);
  EXPECT_TRUE(showing("499pokusov."));
  // The capital sign and then the chord of e: "E", which is no code of the
  // game (only a small e ends it); the number sign and the same chord: "5",
  // no code either; a prefix that failed would end the game here ...
  braille.dots(0x20);
  braille.dots(0x11);
  braille.dots(0x3C);
  braille.dots(0x11);
  // ... and the space bar, which also ends the number sign: the cursor to the
  // crossing, whose letter is read.
  braille.space();
  EXPECT_TRUE(braille.waitFor([](const VirtualBraille::Cells& c) { return (c[0] & 0x40) && c[1] == 0; }, 20s))
      << VirtualBraille::cellsText(braille.cells());
  // A small e from the display saves and ends.
  braille.dots(0x11);
  EXPECT_EQ(run.wait(20s), 0);
}

// Switched off in the settings: BRLTTY never hears from drumrun.
TEST(DrumrunOnADisplay, LeavesTheDisplayAloneWhenTheSettingsSaySo) {
  if (const std::string why = VirtualBraille::missing(); !why.empty()) GTEST_SKIP() << why;
  VirtualBraille braille(40);
  ASSERT_TRUE(braille.ready()) << braille.error();
  braille.exportEnvironment();
  TempDir game("drumrun-braille");
  makeGame(game, "[voice]\nvoiceallowed=0\n[braille]\ndisplay=0\n");
  Drumrun run(game.path());
  ASSERT_TRUE(run.started());
  ASSERT_TRUE(run.shown("napíš otazník.", 20s));
  std::this_thread::sleep_for(500ms);  // a connection would have been tried at once
  run.type("e");
  EXPECT_EQ(run.wait(20s), 0);
  // (The harness's own check of the server connects and asks nothing.)
  EXPECT_TRUE(braille.logTimes("GetDisplaySize request").empty()) << "drumrun asked BRLTTY for its display";
}

}  // namespace
}  // namespace drum::brailletest
