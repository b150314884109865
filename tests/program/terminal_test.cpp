// drumrun in a terminal: a pseudo-terminal types what a keyboard sends
// (escape sequences for the arrows, a lone ESC, UTF-8, Ctrl+C) and the
// transcript shows what the game did with each key.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "drumrun_harness.h"

namespace drum::test {
namespace {

class TerminalGame {
 public:
  explicit TerminalGame(GameFolder& game) {
    const std::string dir = game.path().string();
    pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      if (chdir(dir.c_str()) != 0) _exit(126);
      setenv("LC_ALL", "C.UTF-8", 1);
      alarm(60);
      execl("./drumrun", "./drumrun", "--virtual", "--transcript", (char*)nullptr);
      _exit(127);
    }
  }
  ~TerminalGame() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }

  void type(const std::string& bytes) { ASSERT_EQ(write(master_, bytes.data(), bytes.size()), (ssize_t)bytes.size()); }

  // Reads until a line equal to `line` has come (or 10 s pass); true if it came.
  bool waitfor(const std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      for (; seen_ < lines_.size(); ++seen_)
        if (lines_[seen_] == line) {
          ++seen_;
          return true;
        }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
      char buf[4096];
      const ssize_t n = read(master_, buf, sizeof buf);
      if (n <= 0) return false;
      for (ssize_t i = 0; i < n; ++i) {
        if (buf[i] == '\r') continue;
        if (buf[i] == '\n') {
          lines_.push_back(partial_);
          partial_.clear();
        } else {
          partial_ += buf[i];
        }
      }
    }
  }

  int status() {
    int s = 0;
    waitpid(pid_, &s, 0);
    exited_ = true;
    return WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
  }

 private:
  pid_t pid_ = -1;
  int master_ = -1;
  bool exited_ = false;
  std::vector<std::string> lines_;
  std::size_t seen_ = 0;
  std::string partial_;
};

// Horizontal row M A B C D E F S H I J K L, vertical Z N O P Q R F G T U V X Y.
std::vector<std::uint8_t> knownPosition() { return gameImage("MABCDEFSHIJKL", "ZNOPQRFGTUVXY", 3, 0); }

TEST(Terminal, ArrowsShiftArrowsAndALoneEscape) {
  GameFolder game;
  game.writeRam(knownPosition());
  TerminalGame t(game);
  ASSERT_TRUE(t.waitfor("CLICK 19"));     // the prompt's ready click: the key wait begins
  t.type(" ");
  ASSERT_TRUE(t.waitfor("PRINT 0 \"F\""));
  t.type("\x1b[C");                        // right
  ASSERT_TRUE(t.waitfor("PRINT 0 \"S\""));
  t.type("\x1b[1;2C");                     // Shift+right (xterm)
  ASSERT_TRUE(t.waitfor("PRINT 0 \"L\""));
  t.type("\x1bOD");                        // left (application cursor keys)
  ASSERT_TRUE(t.waitfor("PRINT 0 \"K\""));
  t.type("\x1b[1;2D");                     // Shift+left
  ASSERT_TRUE(t.waitfor("PRINT 0 \"M\""));
  t.type("\x1b[1;2A");                     // Shift+up
  ASSERT_TRUE(t.waitfor("PRINT 0 \"Z\""));
  t.type("\x1b[B");                        // down
  ASSERT_TRUE(t.waitfor("PRINT 0 \"N\""));
  t.type("\x1b[b");                        // Shift+down (rxvt)
  ASSERT_TRUE(t.waitfor("PRINT 0 \"Y\""));
  t.type("\x1b[A");                        // up
  ASSERT_TRUE(t.waitfor("PRINT 0 \"X\""));
  t.type("\xC4\x8D");                      // č: no code of the game
  t.type("/");                             // shift right: the crossing is read again
  ASSERT_TRUE(t.waitfor("PRINT 0 \"E\""));
  t.type("\x1b");                          // Esc alone: save and end
  ASSERT_TRUE(t.waitfor("END"));
  ASSERT_TRUE(t.waitfor("SAY \"hotovo\""));
  EXPECT_EQ(t.status(), 0);
  const auto ram = game.readRam();
  EXPECT_EQ(row(ram, 262), "LMABCDEFSHIJK");
  EXPECT_EQ(digits(ram, 288), "4");
  EXPECT_EQ(ram[50730], 0);
}

TEST(Terminal, CtrlCLeavesAsExitDoes) {
  GameFolder game;
  game.writeRam(knownPosition());
  TerminalGame t(game);
  ASSERT_TRUE(t.waitfor("CLICK 19"));
  t.type(":");
  ASSERT_TRUE(t.waitfor("PRINT 0 \"R\""));
  t.type("\x03");
  ASSERT_TRUE(t.waitfor("EXIT"));
  EXPECT_EQ(t.status(), 0);
  const auto ram = game.readRam();
  EXPECT_EQ(row(ram, 262), "MABCDEFSHIJKL");  // the move was not saved
  EXPECT_EQ(ram[50730], 1);
}

}  // namespace
}  // namespace drum::test
