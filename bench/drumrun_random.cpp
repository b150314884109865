// A long random game through drumrun on the virtual clock: how long 10,000
// keys take, and whether the memory image is sound afterwards.
//
//   bench_drumrun_random [keys] [seed] [build-web]   (run from anywhere; uses the game folder)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/randomgame.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// What a saved game must look like: 25 letters A to Z without W once each,
// the crossing the same in both rows, digit counts with their digits, and
// the review lock released.
std::string checkimage(const std::string& ram) {
  if (ram.size() != 65536) return "ram.dat has " + std::to_string(ram.size()) + " bytes";
  const std::string h = ram.substr(262, 13), v = ram.substr(275, 13);
  if (h[6] != v[6]) return "the crossing differs between the rows";
  std::string letters = h + v.substr(0, 6) + v.substr(7);
  std::sort(letters.begin(), letters.end());
  if (letters != "ABCDEFGHIJKLMNOPQRSTUVXYZ") return "the board is not the 25 letters: " + letters;
  for (int at : {288, 293}) {
    const int n = ram[at] - '0';
    if (n < 1 || n > 3) return "bad digit count at " + std::to_string(at);
    for (int i = 1; i <= n; ++i)
      if (ram[at + i] < '0' || ram[at + i] > '9') return "bad digit at " + std::to_string(at + i);
  }
  if (ram[50730] != 0) return "the review lock is still set";
  return {};
}

// Runs `command` --virtual --transcript --script keys.txt in `dir`, the
// transcript into transcript.txt; the wall time in seconds, the child's CPU
// time (user + system) in `cpu` (the figure to compare on a shared machine).
double timed(const fs::path& dir, std::vector<std::string> command, int& status, double& cpu) {
  for (const char* a : {"--virtual", "--transcript", "--script", "keys.txt"}) command.push_back(a);
  std::fflush(stdout);  // the child's freopen would write what is buffered
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    if (!freopen("transcript.txt", "w", stdout)) _exit(126);
    std::vector<char*> argv;
    for (auto& a : command) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const auto secs = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  cpu = secs(usage.ru_utime) + secs(usage.ru_stime);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::atoi(argv[1]) : 10000;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
  // The browser build's folder (build-web): its drumrun.js plays the same game.
  const std::string wasm = argc > 3 ? fs::absolute(argv[3]).string() : std::string();

  const fs::path game = DRUM_GAME_DIR;
  const fs::path dir = fs::temp_directory_path() / ("drumrun-bench-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy_file(game / "drumrun", dir / "drumrun");
  for (const char* name : {"sounds.dat", "czech.ebt", "czech.eky"}) fs::create_symlink(game / name, dir / name);

  std::ofstream script(dir / "keys.txt");
  for (const std::string& key : drum::test::randomGameScript(keys, seed)) script << key << "\n";
  script.close();

  int status = 0;
  double cpu = 0;
  const double seconds = timed(dir, {"./drumrun"}, status, cpu);

  const std::string transcript = slurp(dir / "transcript.txt");
  const auto count = [&](const std::string& prefix) {
    std::size_t n = 0, at = 0;
    while ((at = transcript.find("\n" + prefix, at)) != std::string::npos) ++n, ++at;
    return n;
  };
  const std::string problem = checkimage(slurp(dir / "ram.dat"));

  std::printf("drumrun --virtual, %d random keys (seed %u)\n", keys, seed);
  std::printf("  wall time          %.3f s (CPU %.3f s)\n", seconds, cpu);
  std::printf("  exit status        %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  std::printf("  keys delivered     %zu\n", count("KEY "));
  std::printf("  transcript lines   %zu (%zu SOUND, %zu PRINT)\n",
              static_cast<std::size_t>(std::count(transcript.begin(), transcript.end(), '\n')), count("SOUND "),
              count("PRINT"));
  std::printf("  ended with END     %s\n", transcript.find("\nEND\n") != std::string::npos ? "yes" : "no");
  std::printf("  memory image       %s\n", problem.empty() ? "valid" : problem.c_str());
  bool same = true;
  if (!wasm.empty()) {
    // The same game by the browser build's drumrun under Node, from the same
    // files (ram.dat is made afresh, as in the native run).
    const fs::path twin = dir.string() + "-wasm";
    fs::remove_all(twin);
    fs::create_directories(twin);
    for (const char* name : {"sounds.dat", "czech.ebt", "czech.eky"}) fs::create_symlink(game / name, twin / name);
    fs::copy_file(dir / "keys.txt", twin / "keys.txt");
    fs::copy_file(fs::path(wasm) / "drumrun.js", twin / "drumrun.js");
    fs::create_symlink(fs::path(wasm) / "drumrun.wasm", twin / "drumrun.wasm");
    int webstatus = 0;
    double webcpu = 0;
    const double webseconds = timed(twin, {"node", "--no-experimental-fetch", "drumrun.js"}, webstatus, webcpu);
    same = slurp(twin / "transcript.txt") == transcript && slurp(twin / "ram.dat") == slurp(dir / "ram.dat");
    std::printf("  wasm under Node    %.3f s, CPU %.3f s (%.1f x native), exit status %d, transcript and ram.dat %s\n",
                webseconds, webcpu, webcpu / cpu, WIFEXITED(webstatus) ? WEXITSTATUS(webstatus) : -1,
                same ? "the same" : "DIFFERENT");
    if (!std::getenv("DRUM_BENCH_KEEP")) fs::remove_all(twin);
  }
  // DRUM_BENCH_KEEP=1 leaves the game folders for profiling by hand.
  if (std::getenv("DRUM_BENCH_KEEP")) std::printf("  kept in            %s\n", dir.c_str());
  else fs::remove_all(dir);
  return problem.empty() && same && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
