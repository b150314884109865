// The game on any stored position: the input's first 60 bytes are the
// memory the game keeps its position in (ram[250..309]: rows and move
// counts), the rest are keys, one byte each. Whatever the memory holds, the
// game plays it: it ends, waits for keys, or stops with a runtime error (VAL
// of a "%" among the digits); it never reads outside its rows or the memory,
// and its return stack never holds more than two labels.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/error.h"
#include "runtime/oskcommands.h"
#include "support/game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace drum;
  static const std::vector<std::string> keys = {
      "e", "\x1b", "s", "p", "?", "\x81", "\x82", "\x84", "\x88", "\x91", "\x92", "\x94",
      "\x98", " ", "n", ":", "c", "/", "b", "E", "x", "\x89", "\xA1", "1"};
  constexpr std::size_t kImage = 60, kMostKeys = 200;
  test::Game g;
  for (std::size_t a = 0; a < kImage; ++a) ram[250 + a] = a < size ? data[a] : 0;
  std::vector<std::string> script;
  for (std::size_t i = kImage; i < size && script.size() < kMostKeys; ++i) script.push_back(keys[data[i] % keys.size()]);
  try {
    g.run(script);
  } catch (const Error&) {
    // The conversion error of VAL ends the run, as it ends the game.
  }
  if (g.deepest > 2) std::abort();
  return 0;
}
