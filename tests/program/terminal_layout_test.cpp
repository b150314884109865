// drumrun's terminal: where the game's 24 lines and the status line go in a
// terminal of any size, lines cut to the width, and the keys that reach the
// terminal itself rather than the game.
#include <gtest/gtest.h>

#include "app/drumrun_terminal.h"

namespace drum {
namespace {

TEST(TerminalLayout, TheStatusLineGoesBelowTheGameWhenThereIsRoom) {
  for (const int rows : {25, 30, 60}) {
    const TerminalLayout l = layoutTerminal(rows, 100, 23, false, 0);
    EXPECT_EQ(l.gamerows, 24);
    EXPECT_EQ(l.top, 0);
    EXPECT_EQ(l.statusrow, 24) << rows;
  }
}

TEST(TerminalLayout, ASmallTerminalShowsTheStatusLineOnlyWhenAskedAndFollowsTheCursor) {
  TerminalLayout l = layoutTerminal(24, 80, 2, false, 0);
  EXPECT_EQ(l.gamerows, 24);
  EXPECT_EQ(l.statusrow, -1);
  l = layoutTerminal(24, 80, 2, true, 0);
  EXPECT_EQ(l.gamerows, 23);
  EXPECT_EQ(l.statusrow, 23);
  // The cursor on the last line: the shown part moves down just enough.
  l = layoutTerminal(24, 80, 23, true, 0);
  EXPECT_EQ(l.top, 1);
  l = layoutTerminal(10, 80, 15, false, 0);
  EXPECT_EQ(l.top, 6);
  EXPECT_EQ(l.gamerows, 10);
  // ...and stays while the cursor is inside it, going up only as far as needed.
  EXPECT_EQ(layoutTerminal(10, 80, 8, false, 6).top, 6);
  EXPECT_EQ(layoutTerminal(10, 80, 3, false, 6).top, 3);
  // A stale top from a smaller terminal is brought into range.
  EXPECT_EQ(layoutTerminal(20, 80, 0, false, 14).top, 0);
  // One row: the status line takes it when asked; no rows at all: nothing.
  l = layoutTerminal(1, 80, 5, true, 0);
  EXPECT_EQ(l.gamerows, 0);
  EXPECT_EQ(l.statusrow, 0);
  l = layoutTerminal(0, 0, 5, true, 0);
  EXPECT_EQ(l.gamerows, 0);
  EXPECT_EQ(l.statusrow, -1);
}

TEST(TerminalLayout, LinesAreCutByCharactersNotBytes) {
  EXPECT_EQ(fitWidth("keď chceš kódy", 5), "keď c");
  EXPECT_EQ(fitWidth("abc", 3), "abc");
  EXPECT_EQ(fitWidth("abc", 10), "abc");
  EXPECT_EQ(fitWidth("čč", 1), "č");
  EXPECT_EQ(fitWidth("abc", 0), "");
  // A broken byte counts as one character and never swallows what follows.
  EXPECT_EQ(fitWidth("\xFF" "ab", 2), "\xFF" "a");
}

TEST(TerminalKeys, F1InEveryTerminalsSpellingTogglesTheStatusLine) {
  for (const std::string seq : {"\x1bOP", "\x1b[11~", "\x1b[[A", "\x1b[1;2P"}) {
    KeyDecoder d;
    std::vector<TerminalKey> keys;
    d.feed(seq, keys);
    d.idle(keys);
    ASSERT_EQ(keys.size(), 1u) << seq.substr(1);
    EXPECT_TRUE(keys[0].status);
    EXPECT_TRUE(keys[0].text.empty());
  }
  // The Linux console's F2 to F5 give the game nothing (they used to type a letter).
  KeyDecoder d;
  std::vector<TerminalKey> keys;
  d.feed("\x1b[[B\x1b[[E", keys);
  d.idle(keys);
  EXPECT_TRUE(keys.empty());
  // Split across reads, F1 is still F1.
  d.feed("\x1b[", keys);
  d.feed("[A", keys);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_TRUE(keys[0].status);
}

}  // namespace
}  // namespace drum
