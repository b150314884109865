// The player's files in bad states, and two copies of the program on one
// game, through the real drumrun processes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "drumrun_harness.h"

namespace drum::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int count(const std::vector<std::string>& lines, const std::string& part) {
  int n = 0;
  for (const auto& l : lines) n += l.find(part) != std::string::npos;
  return n;
}

// drumrun on the real clock, running on its own: the rules are long enough
// to keep it busy while the test does its part.
class Running {
 public:
  explicit Running(const fs::path& dir) {
    std::ofstream(dir / "slow.txt") << "p\ne\n";
    pid_ = ::fork();
    if (pid_ == 0) {
      if (::chdir(dir.c_str()) != 0) _exit(126);
      const int out = ::open("slow.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(out, 1);
      ::dup2(out, 2);
      ::setenv("SDL_AUDIODRIVER", "dummy", 1);
      ::execl("./drumrun", "./drumrun", "--transcript", "--script", "slow.txt", static_cast<char*>(nullptr));
      _exit(127);
    }
    // Under way once the game has printed its greeting.
    for (int i = 0; i < 300 && slurp(dir / "slow.out").find("PRINT") == std::string::npos; ++i)
      std::this_thread::sleep_for(50ms);
  }
  ~Running() {
    if (pid_ > 0 && !ended_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  // Sends the signal; the status, or -1 when it did not end within `limit`.
  int end(int signal, std::chrono::milliseconds limit) {
    ::kill(pid_, signal);
    const auto until = Clock::now() + limit;
    int status = 0;
    while (Clock::now() < until) {
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(10ms);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
};

TEST(PlayerFiles, ASecondCopyOnTheSameGameIsRefusedAndAStopSignalSavesTheGame) {
  GameFolder game;
  game.writeFile("drumrun.ini", "[voice]\nvoiceallowed=0\n");
  game.writeRam(gameImage("JKLMABCDEFGHI", "NOPQRSCTUVXYZ", 3, 0));
  const auto before = game.readRam();
  {
    Running first(game.path());
    const auto start = Clock::now();
    const auto second = game.run({"c", "c", "e"});
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_EQ(second.status, 1);
    ASSERT_EQ(second.lines.size(), 1u) << second.errors;
    EXPECT_NE(second.lines[0].find("MSGBOX \"drum už běží s touto hrou"), std::string::npos) << second.lines[0];
    EXPECT_LT(took, 1000ms);
    EXPECT_EQ(game.readRam(), before);  // the second copy left the game alone

    // SIGTERM in the middle of the rules: saved and ended as Exit does.
    fs::remove(game.path() / "ram.dat");
    EXPECT_EQ(first.end(SIGTERM, 1000ms), 0) << slurp(game.path() / "slow.out");
    EXPECT_EQ(game.readRam().size(), 65536u);
    EXPECT_EQ(row(game.readRam(), 262), "JKLMABCDEFGHI");
  }
  {
    // A copy killed outright leaves nothing that holds the game.
    Running killed(game.path());
    EXPECT_EQ(killed.end(SIGKILL, 1000ms), 128 + SIGKILL);
  }
  const auto after = game.run({"e"});
  EXPECT_EQ(after.status, 0) << after.errors;
  EXPECT_EQ(count(after.lines, "MSGBOX"), 0);
}

TEST(PlayerFiles, ABrokenSettingsFileOrSoundBankIsToldOnceAndTheGameGoesOn) {
  GameFolder settings;
  fs::create_directory(settings.path() / "drumrun.ini");
  settings.writeRam(gameImage("JKLMABCDEFGHI", "NOPQRSCTUVXYZ", 3, 0));
  auto r = settings.run({"/", "e"});
  EXPECT_EQ(count(r.lines, "ERROR"), 1) << r.errors;
  EXPECT_EQ(count(r.lines, "ERROR \"Unable to read"), 1);
  EXPECT_EQ(row(settings.readRam(), 262), "IJKLMABCDEFGH");  // the stored game was played and saved
  EXPECT_EQ(r.status, 0);

  GameFolder bank;
  fs::remove(bank.path() / "sounds.dat");
  // A name a terminal would obey: it is shown escaped.
  bank.writeFile("sounds.dat", "TPF0\x08\x1b]0;x\x07" "AB");
  bank.writeRam(gameImage("JKLMABCDEFGHI", "NOPQRSCTUVXYZ", 3, 0));
  r = bank.run({"/", "e"});
  EXPECT_EQ(count(r.lines, "ERROR"), 1) << r.errors;
  EXPECT_EQ(count(r.lines, "not found"), 0);
  EXPECT_EQ(r.lines.back(), "SAY \"hotovo\"");
  EXPECT_EQ(row(bank.readRam(), 262), "IJKLMABCDEFGH");
  // On a terminal the error is escaped, not obeyed.
  bank.writeFile("keys.txt", "/\ne\n");
  const auto plain = bank.runRaw({"--virtual", "--script", "keys.txt"});
  EXPECT_EQ(plain.errors.find('\x1b'), std::string::npos) << plain.errors;
  EXPECT_NE(plain.errors.find("the object is a \"\\x1B]0;x\\x07AB\""), std::string::npos) << plain.errors;
}

TEST(PlayerFiles, ASaveThatWillBeRefusedIsToldBeforeTheGame) {
  GameFolder game;
  game.writeRam(gameImage("JKLMABCDEFGHI", "NOPQRSCTUVXYZ", 3, 0));
  fs::permissions(game.path() / "ram.dat", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const auto r = game.run({"e"});
  ASSERT_GE(r.lines.size(), 2u);
  // Before the game's first key wait, with what to do.
  std::size_t box = 0, wait = 0;
  for (std::size_t i = 0; i < r.lines.size(); ++i) {
    if (!box && r.lines[i].starts_with("MSGBOX")) box = i;
    if (!wait && r.lines[i] == "CLICK 9") wait = i;
  }
  ASSERT_GT(box, 0u);
  EXPECT_EQ(r.lines[box].rfind("MSGBOX \"Hru nebude možné uložit. Unable to write to ", 0), 0u) << r.lines[box];
  EXPECT_NE(r.lines[box].find("the file is read-only. Hrát můžete"), std::string::npos) << r.lines[box];
  EXPECT_EQ(count(r.lines, "MSGBOX"), 1);
  EXPECT_LT(box, wait);
}

TEST(PlayerFiles, ANewPlayerStartsFromAWonGameAndHearsANewOneShuffled) {
  GameFolder game;
  fs::copy_file(fs::path(DRUM_GAME_DIR) / "start.dat", game.path() / "start.dat");
  const auto r = game.run({"space", "e"});
  EXPECT_EQ(count(r.lines, "čakaj, miešam písmená."), 2);  // printed and said
  EXPECT_EQ(count(r.lines, "\\x00"), 0);                   // no empty board read out
  ASSERT_TRUE(game.hasRam());
  EXPECT_NE(row(game.readRam(), 262), "ABCDEFGHIJKLM");  // the shuffled game, saved by "e"
}

}  // namespace
}  // namespace drum::test
