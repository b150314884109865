// The browser build's drumrun against the native one (DRUM_WASM_DRUMRUN
// names the browser build's folder; the harness compares every run of the
// golden games then too): three long random games, byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>

#include "drumrun_harness.h"
#include "support/randomgame.h"

namespace drum::test {
namespace {

TEST(WasmDrumrun, LongRandomGamesPrintAndSaveTheSame) {
  const char* wasm = std::getenv("DRUM_WASM_DRUMRUN");
  if (!wasm || !*wasm) GTEST_SKIP() << "no browser build given (DRUM_WASM_DRUMRUN)";
  for (const unsigned seed : {1u, 2u, 3u}) {
    GameFolder game;
    const RunResult r = game.run(randomGameScript(10000, seed));
    EXPECT_EQ(r.status, 0) << "seed " << seed;
    EXPECT_EQ(game.readRam().size(), 65536u) << "seed " << seed;
  }
}

}  // namespace
}  // namespace drum::test
