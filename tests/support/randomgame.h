// A long random game as a drumrun key script: "n" first so the board is a
// real one, then keys drawn evenly from every code of the game but the two
// that end it and some keys it ignores, "e" last to save it. The benchmark
// and the wasm equivalence test play the same games.
#pragma once
#include <random>
#include <string>
#include <vector>

namespace drum::test {

inline const std::vector<std::string>& randomGameKeyPool() {
  static const std::vector<std::string> pool = {
      "s",          "p",     "?", "up", "down", "left", "right", "shift+up", "shift+down", "shift+left",
      "shift+right", "space", "n", ":",  "c",    "/",    "b",     "E",        "x",          "\\x89"};
  return pool;
}

// `keys` script lines in all; `used` (when given) counts each pool entry drawn.
inline std::vector<std::string> randomGameScript(int keys, unsigned seed, std::vector<int>* used = nullptr) {
  const auto& pool = randomGameKeyPool();
  if (used) used->assign(pool.size(), 0);
  std::mt19937 rng(seed);
  std::vector<std::string> script = {"n"};
  for (int k = 2; k < keys; ++k) {
    const std::size_t pick = rng() % pool.size();
    if (used) ++(*used)[pick];
    script.push_back(pool[pick]);
  }
  script.push_back("e");
  return script;
}

}  // namespace drum::test
