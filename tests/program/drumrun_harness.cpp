#include "drumrun_harness.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace drum::test {

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string l;
  while (std::getline(in, l)) out.push_back(l);
  return out;
}

std::string inquotes(const std::string& utf8) { return "\"" + utf8 + "\""; }

}  // namespace

GameFolder::GameFolder() {
  static std::atomic<int> counter{0};
  dir_ = fs::temp_directory_path() /
         ("drumrun-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  const fs::path game = DRUM_GAME_DIR;
  // A copy of the executable, so its settings file is this folder's own.
  fs::copy_file(game / "drumrun", dir_ / "drumrun");
  for (const char* name : {"sounds.dat", "czech.ebt", "czech.eky", "english.eky", "slovak.eky"})
    if (fs::exists(game / name)) fs::create_symlink(game / name, dir_ / name);
}

GameFolder::~GameFolder() {
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void GameFolder::writeRam(const std::vector<std::uint8_t>& image) {
  std::ofstream out(dir_ / "ram.dat", std::ios::binary);
  out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
}

std::vector<std::uint8_t> GameFolder::readRam() const {
  const std::string s = slurp(dir_ / "ram.dat");
  return std::vector<std::uint8_t>(s.begin(), s.end());
}

bool GameFolder::hasRam() const { return fs::exists(dir_ / "ram.dat"); }

void GameFolder::writeFile(const std::string& name, const std::string& content) {
  std::ofstream out(dir_ / name, std::ios::binary);
  out << content;
}

RunResult GameFolder::run(const std::vector<std::string>& keys, const std::vector<std::string>& extra) {
  std::string script;
  for (const auto& k : keys) script += k + "\n";
  writeFile("keys.txt", script);
  std::vector<std::string> args = {"--virtual", "--transcript", "--script", "keys.txt"};
  args.insert(args.end(), extra.begin(), extra.end());
  const char* wasm = std::getenv("DRUM_WASM_DRUMRUN");
  if (!wasm || !*wasm) return runRaw(args);

  // The same run by the WebAssembly drumrun under Node, from the same files:
  // everything it prints and leaves must be the same, byte for byte.
  const fs::path twin = dir_.string() + "-wasm";
  fs::remove_all(twin);
  fs::create_directories(twin);
  for (const auto& entry : fs::directory_iterator(dir_)) {
    if (entry.path().filename() == "drumrun") continue;
    if (entry.is_symlink()) fs::create_symlink(fs::read_symlink(entry.path()), twin / entry.path().filename());
    else fs::copy_file(entry.path(), twin / entry.path().filename());
  }
  const fs::path built = wasm;
  fs::copy_file(built / "drumrun.js", twin / "drumrun.js");
  fs::create_symlink(built / "drumrun.wasm", twin / "drumrun.wasm");
  RunResult native = runRaw(args);
  std::vector<std::string> node = {"node", "--no-experimental-fetch", "drumrun.js"};
  node.insert(node.end(), args.begin(), args.end());
  const RunResult web = execute(twin, node, "", {});
  EXPECT_EQ(web.status, native.status) << "the wasm drumrun's exit status";
  EXPECT_EQ(web.errors, native.errors) << "the wasm drumrun's standard error";
  EXPECT_EQ(slurp(twin / "ram.dat"), slurp(dir_ / "ram.dat")) << "the wasm drumrun's ram.dat";
  const std::size_t n = std::min(web.lines.size(), native.lines.size());
  std::size_t at = 0;
  while (at < n && web.lines[at] == native.lines[at]) ++at;
  if (at < n || web.lines.size() != native.lines.size()) {
    ADD_FAILURE() << "the wasm drumrun's transcript differs at line " << at + 1 << ":\n  native: "
                  << (at < native.lines.size() ? native.lines[at] : "(end)")
                  << "\n  wasm:   " << (at < web.lines.size() ? web.lines[at] : "(end)");
  }
  fs::remove_all(twin);
  return native;
}

RunResult GameFolder::runRaw(const std::vector<std::string>& args, const std::string& stdinput,
                             const std::vector<std::string>& env) {
  std::vector<std::string> argv = {"./drumrun"};
  argv.insert(argv.end(), args.begin(), args.end());
  return execute(dir_, argv, stdinput, env);
}

RunResult GameFolder::execute(const fs::path& folder, const std::vector<std::string>& command,
                              const std::string& stdinput, const std::vector<std::string>& env) {
  {
    std::ofstream in(folder / "stdin.txt", std::ios::binary);
    in << stdinput;
  }
  const std::string dir = folder.string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(dir.c_str()) != 0) _exit(126);
    const int in = ::open("stdin.txt", O_RDONLY);
    const int out = ::open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) _exit(126);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    for (const std::string& e : env) {
      const auto eq = e.find('=');
      if (eq == std::string::npos) ::unsetenv(e.c_str());
      else ::setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
    }
    ::alarm(60);  // a run that hangs is killed, and the test fails
    std::vector<std::string> copies = command;
    std::vector<char*> argv;
    for (auto& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    _exit(127);
  }
  RunResult r;
  int status = 0;
  ::waitpid(pid, &status, 0);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  r.lines = splitLines(slurp(folder / "stdout.txt"));
  r.errors = slurp(folder / "stderr.txt");
  return r;
}

std::vector<std::uint8_t> gameImage(const std::string& hrow, const std::string& vrow, int moves, int lastmoves) {
  std::vector<std::uint8_t> ram(65536, 0);
  for (int i = 0; i < 13; ++i) {
    ram[262 + i] = static_cast<std::uint8_t>(hrow.at(i));
    ram[275 + i] = static_cast<std::uint8_t>(vrow.at(i));
  }
  const auto count = [&](int at, int value) {
    const std::string d = std::to_string(value);
    ram[at] = static_cast<std::uint8_t>('0' + d.size());
    for (std::size_t i = 0; i < d.size(); ++i) ram[at + 1 + i] = static_cast<std::uint8_t>(d[i]);
  };
  count(288, moves);
  count(293, lastmoves);
  return ram;
}

std::string row(const std::vector<std::uint8_t>& ram, int first) {
  return std::string(ram.begin() + first, ram.begin() + first + 13);
}

std::string digits(const std::vector<std::uint8_t>& ram, int at) {
  std::string s;
  for (int i = 1; i <= ram.at(at) - '0' && i <= 3; ++i) s += static_cast<char>(ram.at(at + i));
  return s;
}

// ---- Expect ---------------------------------------------------------------------

Expect& Expect::line(const std::string& l) {
  lines_.push_back(l);
  return *this;
}

Expect& Expect::print(const std::string& text) {
  line("PRINT 0 " + inquotes(text));
  // A leading comma is a 300 ms wait, and speech gets the rest.
  std::string said = text;
  while (!said.empty() && said[0] == ',') said.erase(0, 1);
  return line("SAY " + inquotes(said));
}

Expect& Expect::number(const std::string& text) {
  line("PRINTN 1 " + inquotes(text));
  return line("SAY " + inquotes(text));
}

Expect& Expect::count(int n) {
  if (n == 1) return print("jeden pokus.");
  if (n == 2) return print("dva pokusy.");
  number(std::to_string(n));
  return print(n == 0 || n > 4 ? "pokusov." : "pokusy.");
}

Expect& Expect::jingle() {
  return line("SOUND 0 200 10")
      .line("SOUND 700 70 1")
      .line("SOUND 900 70 1")
      .line("SOUND 1100 70 1")
      .line("SOUND 0 200 10");
}

Expect& Expect::middle() { return line("SOUND 400,800 50 9"); }

Expect& Expect::refusal() {
  for (int i = 0; i < 3; ++i) line("SOUND 500,1000,1500,2000 100 1");
  return *this;
}

Expect& Expect::key(const std::string& scriptline) { return line("CLICK 9").line("KEY " + scriptline); }

Expect& Expect::shuffle() { return line("<shuffle>"); }

Expect& Expect::farewell() {
  for (int v = 3500; v >= 50; v -= 50) line("SOUND " + std::to_string(v) + " 25 3");
  return *this;
}

Expect& Expect::saveEnd() { return farewell().line("END").print("hotovo"); }

Expect& Expect::greeting(int hour) {
  if (hour > 8 && hour < 18) return print("dobrý ďeň;");
  if (hour > 2 && hour < 9) return print("dobré ráno;");
  return print("dobrý večer;");
}

Expect& Expect::start(int hour) {
  return greeting(hour).jingle().print("hra drúm.").print("keď chceš kódy, napíš otazník.").line("CLICK 19");
}

Expect& Expect::exit() { return line("CLICK 9").line("EXIT"); }

// ---- compare --------------------------------------------------------------------

std::string compare(const Expect& expected, const std::vector<std::string>& actual) {
  const auto& e = expected.lines();
  std::size_t a = 0;
  const auto context = [&](std::size_t at) {
    std::string s;
    for (std::size_t k = (at > 3 ? at - 3 : 0); k < std::min(actual.size(), at + 4); ++k)
      s += (k == at ? "  >> " : "     ") + actual[k] + "\n";
    return s;
  };
  for (std::size_t k = 0; k < e.size(); ++k) {
    if (e[k] == "<shuffle>") {
      // One or more passes, each the 20 ticks 100 .. 2000 of 40 ms in voice 8.
      int passes = 0;
      for (;;) {
        bool pass = a + 20 <= actual.size();
        for (int t = 1; pass && t <= 20; ++t)
          pass = actual[a + t - 1] == "SOUND " + std::to_string(100 * t) + " 40 8";
        if (!pass) break;
        a += 20;
        ++passes;
      }
      if (passes == 0) return "expected shuffle ticks at line " + std::to_string(a + 1) + "\n" + context(a);
      continue;
    }
    if (a >= actual.size())
      return "transcript ends at line " + std::to_string(a + 1) + ", expected: " + e[k] + "\n" +
             context(actual.empty() ? 0 : actual.size() - 1);
    if (actual[a] != e[k])
      return "line " + std::to_string(a + 1) + ": expected " + e[k] + "\n" + context(a);
    ++a;
  }
  if (a != actual.size()) return "more lines than expected from line " + std::to_string(a + 1) + "\n" + context(a);
  return {};
}

}  // namespace drum::test
