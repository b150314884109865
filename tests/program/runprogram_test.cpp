// The program frame and the game's invariants, run in this process on the
// virtual clock: the return stack's depth, the shuffle, the dispatcher, the
// punctuation waits, fresh variables at every run, and any memory image.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "support/game.h"
#include "platform/cp1250.h"
#include "platform/error.h"
#include "program/oskprog.h"
#include "runtime/oskcommands.h"
#include "runtime/trace.h"

namespace drum::test {
namespace {

const std::string kLeft = "\x84", kRight = "\x88", kUp = "\x81", kDown = "\x82";
const std::string kShiftLeft = "\x94", kShiftRight = "\x98", kShiftUp = "\x91", kShiftDown = "\x92";

// Every key the game knows, and a few it does not.
std::vector<std::string> allKeys() {
  return {"e", "\x1b", "s", "p", "?", kUp, kDown, kLeft, kRight, kShiftUp, kShiftDown, kShiftLeft,
          kShiftRight, " ", "n", ":", "c", "/", "b", "E", "x", "\x89", "\xA1", "1"};
}

TEST(ReturnStack, NeverHoldsMoreThanTwoLabels) {
  std::mt19937 pick(7);
  const auto keys = allKeys();
  int deepestseen = 0;
  for (int game = 0; game < 40; ++game) {
    Game g;
    g.host.advance(game * 1000 + 1);
    if (game % 2) storeGame(kSolvedH, kSolvedV, 12, 30);  // starts with a new game at once
    std::vector<std::string> script;
    for (int k = 0; k < 400; ++k) {
      std::string key = keys[pick() % keys.size()];
      if (key == "e" || key == "\x1b") key = ":";  // keep the game going
      script.push_back(key);
    }
    g.run(script);
    EXPECT_LE(g.deepest, 2) << "game " << game;
    deepestseen = std::max(deepestseen, g.deepest);
  }
  // The new game's jingle is the deepest nesting, and it was reached.
  EXPECT_EQ(deepestseen, 2);
}

TEST(ReturnStack, EmptyAtTheStartOfEveryRun) {
  Game g;
  std::vector<int> atgreeting;
  tracehooks.printstring = [&](const std::string&, std::uint8_t) {
    int n = 0;
    for (auto* s = returnstack; s; s = s->next) ++n;
    atgreeting.push_back(n);
  };
  stackpush(70, returnstack);
  stackpush(100, returnstack);
  g.run({});
  ASSERT_FALSE(atgreeting.empty());
  EXPECT_EQ(atgreeting.front(), 0);
}

TEST(Dispatcher, ALabelThatMatchesNothingEndsTheProgram) {
  Game g;
  auto record = tracehooks.sound;
  tracehooks.sound = [&](const std::vector<double>& v, double d, double w) {
    record(v, d, w);
    // Inside the first jingle: its RETURN will pop this label.
    if (returnstack && returnstack->label == 100060) returnstack->label = 4242;
  };
  EXPECT_TRUE(g.run({"n"}));
  ASSERT_FALSE(g.events.empty());
  EXPECT_EQ(g.events.back().kind, "END");
  EXPECT_EQ(g.only("SOUND").size(), 5u);  // the jingle, then nothing more
  const auto printed = g.printed();
  ASSERT_EQ(printed.size(), 1u);  // the greeting only: no title, no prompt
  EXPECT_EQ(returnstack, nullptr);
}

TEST(Frame, EveryRunStartsWithFreshVariables) {
  Game g;
  ASSERT_TRUE(g.run({" ", kLeft, "e"}));  // the cursor placed, then saved
  const auto firstrun = g.only("SOUND").size();
  g.events.clear();
  // A new run: the cursor is back at cell 0, so a single step is refused.
  EXPECT_FALSE(g.run({kLeft}));
  const auto sounds = g.only("SOUND");
  ASSERT_GE(sounds.size(), 8u);
  const std::vector<double> refusal{500, 1000, 1500, 2000};
  EXPECT_EQ(sounds[sounds.size() - 1].values, refusal);
  EXPECT_EQ(sounds[sounds.size() - 3].values, refusal);
  EXPECT_GT(firstrun, 70u);
}

// A new game from any position: the 25 letters A to Z without W once each,
// the crossing equal in both rows, at most 7 of A to M in the horizontal row,
// and 20 ticks (100 to 2000, 40 ms, voice 8) for every shuffle pass.
TEST(NewGame, ShuffleHoldsForManySeeds) {
  std::set<std::string> boards;
  int passes = 0, games = 0;
  for (int seed = 0; seed < 300; ++seed) {
    Game g;
    g.host.advance(static_cast<std::int64_t>(seed) * 104729 + 17);
    ASSERT_TRUE(g.run({"n", "e"}));
    const std::string h = storedRow(262), v = storedRow(275);
    boards.insert(h + v);
    ++games;

    EXPECT_EQ(h[6], v[6]) << "seed " << seed;
    std::string letters = h + v.substr(0, 6) + v.substr(7);
    std::sort(letters.begin(), letters.end());
    EXPECT_EQ(letters, "ABCDEFGHIJKLMNOPQRSTUVXYZ") << "seed " << seed;
    EXPECT_LE(std::count_if(h.begin(), h.end(), [](char c) { return c < 'N'; }), 7) << "seed " << seed;

    std::vector<Event> ticks;
    for (const auto& e : g.only("SOUND"))
      if (e.b == 8) ticks.push_back(e);
    ASSERT_FALSE(ticks.empty());
    ASSERT_EQ(ticks.size() % 20, 0u) << "seed " << seed;
    for (std::size_t t = 0; t < ticks.size(); ++t) {
      ASSERT_EQ(ticks[t].values, std::vector<double>{100.0 * static_cast<double>(t % 20 + 1)});
      ASSERT_EQ(ticks[t].a, 40);
    }
    passes += static_cast<int>(ticks.size() / 20);
    EXPECT_EQ(storedCount(288), "0");
  }
  // The clock seeds the generator: different starts give different boards.
  EXPECT_GT(boards.size(), 290u);
  EXPECT_GE(passes, games);
}

// A text that starts with commas waits 300 ms for each before the rest is
// spoken; the others are spoken at once.
TEST(Texts, LeadingCommasWaitBeforeSpeech) {
  Game g;
  g.run({"?"});
  int commas = 0;
  for (std::size_t k = 0; k + 1 < g.events.size(); ++k) {
    const Event& p = g.events[k];
    if (p.kind != "PRINT") continue;
    const Event& s = g.events[k + 1];
    ASSERT_EQ(s.kind, "SAY") << p.text;
    if (p.text[0] == ',') {
      ++commas;
      EXPECT_EQ(s.micros - p.micros, 300000) << p.text;
      EXPECT_EQ(s.text, p.text.substr(1));
    } else {
      EXPECT_EQ(s.micros, p.micros) << p.text;
      EXPECT_EQ(s.text, p.text);
    }
  }
  EXPECT_EQ(commas, 8);  // ,c, ,dvojbodka, ,b, ,ďeleno, ,E, ,n, ,p, ,s,
}

TEST(Texts, PausesOfRulesAndCodeList) {
  Game g;
  g.run({"p"});
  const auto pauses = g.only("PAUSE");
  ASSERT_EQ(pauses.size(), 2u);
  EXPECT_EQ(pauses[0].a, 700);
  EXPECT_EQ(pauses[1].a, 1000);
  // The pause sleeps: the clock moved by it between the key and the heading.
  const auto printed = g.only("PRINT");
  const auto key = g.only("KEY").back();
  const Event* heading = nullptr;
  for (const auto& e : printed)
    if (e.text == cp("pravidlá.")) heading = &e;
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->micros - key.micros, 700000);
}

// Rows of any bytes (a damaged or foreign image) are played as they are and
// kept: a look and the end of the game store them back unchanged, with the
// move count. Any image at all, keys included, is the fuzz target storedgame.
TEST(StoredGame, RowsOfAnyBytesArePlayedAndStoredBackUnchanged) {
  std::mt19937 rng(99);
  for (int round = 0; round < 20; ++round) {
    std::string hrow, vrow;
    for (int i = 0; i < 13; ++i) {
      hrow += static_cast<char>(rng());
      vrow += static_cast<char>(rng());
    }
    Game g;
    storeGame(hrow, vrow, 12, 30);
    EXPECT_TRUE(g.run({"s", "e"})) << "round " << round;
    EXPECT_EQ(storedRow(262), hrow) << "round " << round;
    EXPECT_EQ(storedRow(275), vrow) << "round " << round;
    EXPECT_EQ(storedCount(288), "12");
  }
}

}  // namespace
}  // namespace drum::test
