// A long random game through drumrun on the virtual clock: how long 10,000
// keys take, and whether the memory image is sound afterwards.
//
//   bench_drumrun_random [keys] [seed]     (run from anywhere; uses the game folder)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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

}  // namespace

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::atoi(argv[1]) : 10000;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;

  const fs::path game = DRUM_GAME_DIR;
  const fs::path dir = fs::temp_directory_path() / ("drumrun-bench-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy_file(game / "drumrun", dir / "drumrun");
  for (const char* name : {"sounds.dat", "czech.ebt", "czech.eky"}) fs::create_symlink(game / name, dir / name);

  // Every code of the game but the two that end it, and some keys it ignores;
  // a new game first so the board is a real one, "e" last to save it.
  const std::vector<std::string> pool = {"s",  "p",     "?",     "up",         "down",       "left",
                                         "right", "shift+up", "shift+down", "shift+left", "shift+right",
                                         "space", "n",  ":",     "c",     "/",          "b",          "E",
                                         "x",  "\\x89"};
  std::mt19937 rng(seed);
  std::ofstream script(dir / "keys.txt");
  script << "n\n";
  std::vector<int> used(pool.size());
  for (int k = 2; k < keys; ++k) {
    const std::size_t pick = rng() % pool.size();
    ++used[pick];
    script << pool[pick] << "\n";
  }
  script << "e\n";
  script.close();

  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    if (!freopen("transcript.txt", "w", stdout)) _exit(126);
    execl("./drumrun", "./drumrun", "--virtual", "--transcript", "--script", "keys.txt", (char*)nullptr);
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

  const std::string transcript = slurp(dir / "transcript.txt");
  const auto count = [&](const std::string& prefix) {
    std::size_t n = 0, at = 0;
    while ((at = transcript.find("\n" + prefix, at)) != std::string::npos) ++n, ++at;
    return n;
  };
  const std::string problem = checkimage(slurp(dir / "ram.dat"));

  std::printf("drumrun --virtual, %d random keys (seed %u)\n", keys, seed);
  std::printf("  wall time          %.3f s\n", seconds);
  std::printf("  exit status        %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  std::printf("  keys delivered     %zu\n", count("KEY "));
  std::printf("  transcript lines   %zu (%zu SOUND, %zu PRINT)\n",
              static_cast<std::size_t>(std::count(transcript.begin(), transcript.end(), '\n')), count("SOUND "),
              count("PRINT"));
  std::printf("  ended with END     %s\n", transcript.find("\nEND\n") != std::string::npos ? "yes" : "no");
  std::printf("  memory image       %s\n", problem.empty() ? "valid" : problem.c_str());
  fs::remove_all(dir);
  return problem.empty() && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
