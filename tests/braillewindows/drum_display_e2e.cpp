// The real drum on a Braille display: BRLTTY with its Virtual driver (this
// test is the display), a desktop of the test's own, and drum in a game
// folder of its own with a stored game. The desktop is X (Xvfb, a window
// manager, xbrlapi telling BRLTTY which X window has the focus, xdotool's
// keys) or Wayland (a headless sway, Qt's Wayland platform, wtype's keys):
// there are no window ids there, and drum takes the display while it is the
// active application. Read on the cells: the game's line
// and its cursor after each move, the review's line and its caret moved by a
// routing key, the display given back when another window takes the focus.
// Typed on the display: chords that make moves, with the capital and
// number signs as on the PC keyboard.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "input/braillecells.h"
#include "support/noonzone.h"
#include "support/virtualbraille.h"

extern char** environ;

namespace drum::brailletest {
namespace {

using testing::VirtualBraille;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

bool onPath(const std::string& tool) {
  const std::string command = "command -v " + tool + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// A program the test started, stopped with it.
class Process {
 public:
  Process() = default;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() { stop(); }

  // `output`: the file its output goes to ("" for /dev/null).
  bool start(const std::vector<std::string>& argv, const std::string& output = {}, const std::string& folder = {}) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = output.empty() ? "/dev/null" : output;
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const int failed = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) pid_ = -1;
    return pid_ > 0;
  }
  bool running() {
    if (pid_ <= 0) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    return true;
  }
  void stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < 50; ++i) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return;
      }
      std::this_thread::sleep_for(20ms);
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
};

// What a command prints, trimmed.
std::string output(const std::string& command) {
  std::string text;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p)) text += buffer;
    ::pclose(p);
  }
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

void write(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

// Keys, windows and the focus on the desktop under test.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // Starts it in `work`; "" when it runs, else why not (`skip`: missing here).
  virtual std::string start(const std::string& work, bool& skip) = 0;
  // Keys as xdotool names them ("ctrl+s", "Escape"), pressed and released.
  virtual bool key(const std::string& keys) = 0;
  // The first window whose title matches `pattern` (an extended regular
  // expression), waited for: "" when none came.
  virtual std::string window(const std::string& pattern, int seconds) = 0;
  virtual bool activate(const std::string& window) = 0;
  // Another window (or none) takes the focus from drum.
  virtual bool leave() = 0;
  virtual void stop() = 0;
};

class X11 : public Desktop {
 public:
  std::string start(const std::string& work, bool& skip) override {
    for (const char* tool : {"Xvfb", "openbox", "xbrlapi", "xdotool", "xmessage"})
      if (!onPath(tool)) return skip = true, std::string(tool) + " is not installed";
    // An X server on a free display number.
    for (int n = 90 + (::getpid() % 200);; ++n) {
      if (fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) || fs::exists("/tmp/.X" + std::to_string(n) + "-lock"))
        continue;
      display_ = ":" + std::to_string(n);
      break;
    }
    if (!xserver_.start({"Xvfb", display_, "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, work + "/xvfb.log"))
      return "Xvfb did not start";
    ::setenv("DISPLAY", display_.c_str(), 1);
    ::unsetenv("WAYLAND_DISPLAY");
    bool up = false;
    for (int i = 0; i < 100 && !up; ++i) {
      std::this_thread::sleep_for(50ms);
      up = std::system("xdotool getdisplaygeometry >/dev/null 2>&1") == 0;
    }
    if (!up) return "Xvfb did not start on " + display_;
    if (!wm_.start({"openbox", "--sm-disable"}, work + "/openbox.log")) return "openbox did not start";
    if (!teller_.start({"xbrlapi", "-n", "-q", "-d", display_}, work + "/xbrlapi.log")) return "xbrlapi did not start";
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    return "";
  }
  bool key(const std::string& keys) override { return run("xdotool key --clearmodifiers " + keys); }
  std::string window(const std::string& pattern, int seconds) override {
    return output("timeout " + std::to_string(seconds) + " xdotool search --sync --name '" + pattern + "' | head -1");
  }
  bool activate(const std::string& window) override { return run("xdotool windowactivate --sync " + window + " >/dev/null 2>&1"); }
  bool leave() override {
    if (!other_.start({"xmessage", "-title", "other", "another window"})) return false;
    const std::string other = window("^other$", 10);
    return !other.empty() && activate(other);
  }
  void stop() override {
    other_.stop();
    teller_.stop();
    wm_.stop();
    xserver_.stop();
  }

 private:
  static bool run(const std::string& command) { return std::system(command.c_str()) == 0; }
  std::string display_;
  Process xserver_, wm_, teller_, other_;
};

class Wayland : public Desktop {
 public:
  std::string start(const std::string& work, bool& skip) override {
    for (const char* tool : {"sway", "swaymsg", "wtype"})
      if (!onPath(tool)) return skip = true, std::string(tool) + " is not installed";
    const std::string run = work + "/sway";
    if (!sway_.start({DRUM_SOURCE_DIR "/tests/support/sway.sh", run}, work + "/sway.log")) return "sway did not start";
    std::string socket, ipc;
    for (int i = 0; i < 100 && (socket.empty() || ipc.empty()); ++i) {
      std::this_thread::sleep_for(100ms);
      std::error_code ignored;
      for (const auto& entry : fs::directory_iterator(run, ignored)) {
        const std::string name = entry.path().filename();
        if (!entry.is_socket()) continue;
        if (name.rfind("wayland-", 0) == 0) socket = entry.path();
        if (name.rfind("sway-ipc.", 0) == 0) ipc = entry.path();
      }
      if (!sway_.running()) break;
    }
    if (socket.empty() || ipc.empty()) {
      std::ifstream in(work + "/sway.log");
      const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (log.find("unprivileged") != std::string::npos) skip = true;
      return "sway did not start: " + log;
    }
    ::setenv("WAYLAND_DISPLAY", socket.c_str(), 1);
    ::setenv("SWAYSOCK", ipc.c_str(), 1);
    ::unsetenv("DISPLAY");
    ::setenv("QT_QPA_PLATFORM", "wayland", 1);
    return "";
  }
  bool key(const std::string& keys) override {
    std::string command = "wtype";
    std::stringstream words(keys);
    for (std::string k; words >> k;) {
      std::string modifier;
      for (const char* m : {"ctrl", "alt", "shift"})
        if (k.rfind(std::string(m) + "+", 0) == 0) modifier = m;
      if (!modifier.empty()) k = k.substr(modifier.size() + 1);
      command += modifier.empty() ? " -k " + k : " -M " + modifier + " -k " + k + " -m " + modifier;
    }
    return std::system(command.c_str()) == 0;
  }
  // The window's con_id, as sway's criteria name it.
  std::string window(const std::string& pattern, int seconds) override {
    const std::string find =
        "swaymsg -t get_tree | python3 -c 'import json, re, sys\n"
        "def walk(n):\n"
        "    if re.search(sys.argv[1], n.get(\"name\") or \"\"): print(n[\"id\"]); sys.exit()\n"
        "    for c in n.get(\"nodes\", []) + n.get(\"floating_nodes\", []): walk(c)\n"
        "walk(json.load(sys.stdin))' '" + pattern + "'";
    for (int i = 0; i < seconds * 10; ++i) {
      if (const std::string id = output(find); !id.empty()) return id;
      std::this_thread::sleep_for(100ms);
    }
    return "";
  }
  bool activate(const std::string& window) override {
    return std::system(("swaymsg '[con_id=" + window + "] focus' >/dev/null").c_str()) == 0;
  }
  // An empty workspace: no window has the keyboard.
  bool leave() override { return std::system("swaymsg workspace 2 >/dev/null") == 0; }
  void stop() override { sway_.stop(); }

 private:
  Process sway_;
};

class DrumOnTheDisplay : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (const std::string why = VirtualBraille::missing(); !why.empty()) GTEST_SKIP() << why;
    char tmpl[] = "/tmp/drum-brlwin-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    work_ = tmpl;

    braille_ = std::make_unique<VirtualBraille>(40);
    ASSERT_TRUE(braille_->ready()) << braille_->error();
    braille_->exportEnvironment();
    // BrlAPI puts these in front of a window's path (and of a program's);
    // xbrlapi and drum must agree, and a desktop of the test's own has no
    // console of its own.
    ::unsetenv("WINDOWPATH");
    ::unsetenv("XDG_VTNR");
    ::unsetenv("WINDOWID");

    if (GetParam() == "wayland")
      desktop_ = std::make_unique<Wayland>();
    else
      desktop_ = std::make_unique<X11>();
    bool skip = false;
    const std::string why = desktop_->start(work_, skip);
    if (skip) GTEST_SKIP() << why;
    ASSERT_EQ(why, "");

    // A game folder of drum's own, silent: the display is what is read.
    const fs::path game = DRUM_GAME_DIR;
    for (const char* name : {"drum", "sounds.dat", "czech.ebt", "czech.eky", "english.eky", "slovak.eky"})
      fs::copy_file(game / name, fs::path(work_) / name);
    write(fs::path(work_) / "drum.ini",
          "[environment]\nlanguage=2000\n[voice]\nvoiceallowed=0\n[sounds]\noskirasounds=0\n");
    // A stored game: the horizontal row shifted four cells to the right (C
    // at the crossing), no moves yet.
    std::string ram(65536, '\0');
    ram.replace(262, 13, "JKLMABCDEFGHI");
    ram.replace(275, 13, "NOPQRSCTUVXYZ");
    ram.replace(288, 2, "10");
    ram.replace(293, 2, "10");
    write(fs::path(work_) / "ram.dat", ram);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::setenv("DRUM_KEYTRACE", (work_ + "/keys.log").c_str(), 1);  // what the game took
    ::setenv("TZ", testing::noonZone().c_str(), 1);                // the day's greeting at any hour
    ASSERT_TRUE(drum_.start({work_ + "/drum"}, work_ + "/drum.log", work_));
    window_ = desktop_->window("^drum - ", 20);
    ASSERT_FALSE(window_.empty()) << "the main window did not appear";
    activate(window_);
  }

  void TearDown() override {
    drum_.stop();
    if (desktop_) desktop_->stop();
    braille_.reset();
    if (!work_.empty()) {
      std::error_code ignored;
      if (!HasFailure()) fs::remove_all(work_, ignored);
      else std::fprintf(stderr, "logs kept in %s\n", work_.c_str());
    }
  }

  void activate(const std::string& window) { ASSERT_TRUE(desktop_->activate(window)); }
  void key(const std::string& keys) { ASSERT_TRUE(desktop_->key(keys)); }

  static VirtualBraille::Cells cellsOf(std::u16string_view text) {
    auto cells = brailleCells(text);
    return cells ? *cells : VirtualBraille::Cells();
  }
  // The display shows `text` with the cursor at `cursor`.
  bool shows(std::u16string_view text, int cursor, std::chrono::milliseconds timeout = 10s) {
    return braille_->waitForText(cellsOf(text), cursor, timeout);
  }
  std::string now() const { return VirtualBraille::cellsText(braille_->cells()); }

  std::string work_, window_;
  std::unique_ptr<VirtualBraille> braille_;
  std::unique_ptr<Desktop> desktop_;
  Process drum_;
};

// Dots 1-8 as the display sends them: bit 0 is dot 1.
constexpr int kB = 0b11;          // dots 1 2: "b", the row moves left
constexpr int kCapital = 0b100000;  // dot 6
constexpr int kNumber = 0b111100;   // dots 3 4 5 6

TEST_P(DrumOnTheDisplay, TheGameOnTheCellsAndTypedOnTheDisplay) {
  // At rest the main window has the display: an empty screen, blank cells.
  ASSERT_TRUE(shows(u"", 0)) << now();
  key("ctrl+s");
  // The prompt is the line the game wrote last (its cursor waits on the
  // empty line below).
  ASSERT_TRUE(shows(u"keď chceš kódy, napíš otazník.", -1)) << now();
  std::printf("the prompt's line on the display: %s\n", now().c_str());

  // A chord on the display makes a move: the letter at the crossing is
  // printed on a line of its own.
  braille_->dots(kB);
  ASSERT_TRUE(shows(u"D", -1)) << now();
  // The capital sign makes it "B", which is no move; the next "b" is one.
  braille_->dots(kCapital);
  braille_->dots(kB);
  braille_->dots(kB);
  ASSERT_TRUE(shows(u"E", -1)) << now();
  // The number sign makes it "2", no move; the space chord ends the sign
  // and is the game's own code for reading the crossing; then "b" moves.
  braille_->dots(kNumber);
  braille_->dots(kB);
  braille_->space();
  ASSERT_TRUE(shows(u"E", -1)) << now();
  braille_->dots(kB);
  ASSERT_TRUE(shows(u"F", -1)) << now();

  // The display is given back when another window has the focus, and taken
  // again when drum has it.
  ASSERT_TRUE(desktop_->leave());
  braille_->send("LNDN");  // BRLTTY redraws its own view at its next update
  ASSERT_TRUE(braille_->waitFor([&](const VirtualBraille::Cells& c) { return c != cellsOf(u"F"); }, 10s)) << now();
  braille_->dots(kB);  // not drum's: no move
  std::this_thread::sleep_for(500ms);
  activate(window_);
  ASSERT_TRUE(shows(u"F", -1)) << now();

  // Esc: the game saves and ends, and unlocks the review.
  key("Escape");
  ASSERT_TRUE(shows(u"ready", -1)) << now();
  std::this_thread::sleep_for(1s);
  // Up opens the review: its first line, the caret at its start.
  key("Up");
  const std::string review = desktop_->window("^Screen$", 10);
  ASSERT_FALSE(review.empty()) << "Up did not open the review";
  ASSERT_TRUE(shows(u"dobrý ďeň;", 0)) << now();
  // Down to the prompt's line.
  for (int line = 0; line < 30; ++line) {
    if (braille_->waitForText(cellsOf(u"keď chceš kódy, napíš otazník."), 0, 300ms)) break;
    key("Down");
  }
  ASSERT_TRUE(shows(u"keď chceš kódy, napíš otazník.", 0)) << now();
  // A routing key moves the review's caret to its cell.
  braille_->route(5);
  ASSERT_TRUE(shows(u"keď chceš kódy, napíš otazník.", 5)) << now();
  braille_->route(12);
  ASSERT_TRUE(shows(u"keď chceš kódy, napíš otazník.", 12)) << now();
  key("Escape");
  // Back in the main window: the line written last.
  ASSERT_TRUE(shows(u"ready", -1)) << now();

  // The moves were the game's: three to the left, kept by its saving and
  // written out as drum leaves.
  key("alt+F4");
  for (int i = 0; i < 100 && drum_.running(); ++i) std::this_thread::sleep_for(50ms);
  ASSERT_FALSE(drum_.running()) << "Alt+F4 did not end drum";
  std::ifstream in(fs::path(work_) / "ram.dat", std::ios::binary);
  std::string ram((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(ram.size(), 65536u);
  EXPECT_EQ(ram.substr(262, 13), "MABCDEFGHIJKL");
}

INSTANTIATE_TEST_SUITE_P(Desktops, DrumOnTheDisplay, ::testing::Values("x11", "wayland"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace drum::brailletest
