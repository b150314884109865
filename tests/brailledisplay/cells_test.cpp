// The cells a display shows: what the player reads is what they type (the
// shipped czech.ebt), eight-dot computer Braille (liblouis cs-comp8) for the
// rest.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "input/braillecells.h"
#include "input/brailletables.h"
#include "platform/cp1250.h"
#include "platform/host.h"
#include "platform/virtualhost.h"
#include "runtime/oskcommands.h"

namespace drum {
namespace {

std::u16string u16(const std::string& utf8) { return cp1250ToUtf16(utf8ToCp1250(utf8)); }

TEST(BrailleCells, OneCellPerCharacterInEightDotComputerBraille) {
  const auto cells = brailleCells(u"Ahoj 1.");
  ASSERT_TRUE(cells) << "liblouis cannot read " << kBrailleCellTable;
  ASSERT_EQ(cells->size(), 7u);
  EXPECT_EQ(cellDots((*cells)[0]), "17");   // a capital: dot 7 added to a
  EXPECT_EQ(cellDots((*cells)[1]), "125");  // h
  EXPECT_EQ(cellDots((*cells)[4]), "");     // a space is a blank cell
  EXPECT_EQ(cellDots((*cells)[5]), "18");   // digits carry dot 8
  EXPECT_EQ(cellDots((*cells)[6]), "3");
  EXPECT_TRUE(brailleCells(u"")->empty());
  // Slovak letters have cells of their own, not their base letters'.
  const auto slovak = brailleCells(u16("lľĺoôrŕ"));
  ASSERT_TRUE(slovak);
  std::set<std::uint8_t> distinct(slovak->begin(), slovak->end());
  EXPECT_EQ(distinct.size(), 7u);
}

TEST(BrailleCells, CharactersWithoutACellStayInPlace) {
  // One cell a character whatever the character, so the caret and the
  // routing keys still line up after a character the table lacks.
  const auto cells = brailleCells(u"a\u00F8\u20ACb\u0001");
  ASSERT_TRUE(cells);
  ASSERT_EQ(cells->size(), 5u);
  EXPECT_EQ(cellDots((*cells)[0]), "1");
  EXPECT_EQ(cellDots((*cells)[3]), "12");
}

TEST(BrailleScreenLine, TheLineTheGameWritesWithItsCursor) {
  printmemo.clear();
  printmemo.fill();
  printmemo.setLine(0, utf8ToCp1250("dobrý ďeň;") + std::string(70, ' '));
  printmemo.setLine(1, "hra");
  // In the middle of a line: that line, the cursor as the caret.
  scrcursor.setRow(1);
  scrcursor.setColumn(3);
  auto line = brailleScreenLine();
  EXPECT_EQ(line.text, u"hra");
  EXPECT_EQ(line.caret, 3);
  // A PRINT that ended its line: the line just written, padding left out.
  scrcursor.setRow(1);
  scrcursor.setColumn(0);
  printmemo.setLine(1, "");
  line = brailleScreenLine();
  EXPECT_EQ(line.text, u16("dobrý ďeň;"));
  EXPECT_EQ(line.caret, -1);
  // At the top of an empty screen: nothing, the cursor on the first cell.
  printmemo.clear();
  printmemo.fill();
  scrcursor.setRow(0);
  line = brailleScreenLine();
  EXPECT_EQ(line.text, u"");
  EXPECT_EQ(line.caret, 0);
}

void loadShippedTable() {
  VirtualHost host;
  setHost(&host);
  const std::string saved = brailletablefile;
  brailletablefile = std::string(DRUM_SOURCE_DIR) + "/data/czech.ebt";
  LoadBrailleTable();
  brailletablefile = saved;
  setHost(nullptr);
}

std::string dotsOf(const std::u16string& text) {
  const auto cells = brailleCells(text);
  std::string out;
  for (const std::uint8_t c : cells.value_or(std::vector<std::uint8_t>())) out += (out.empty() ? "" : " ") + cellDots(c);
  return out;
}

TEST(BrailleCells, EveryCharacterOfTheShippedTableReadsAsItIsTyped) {
  // Without a Braille table: eight-dot computer Braille throughout.
  charcount = 0;
  EXPECT_EQ(dotsOf(u16("ľäô Ľ $")), "138 3458 1268  1378  2358");
  loadShippedTable();
  ASSERT_GT(charcount, 40);
  // The Slovak letters the table types on cells of its own, their capitals
  // with dot 7; a sign typed after the number sign with dot 8.
  EXPECT_EQ(dotsOf(u16("ľĺäôŕ ĽĹÄÔŔ 1$")), "123456 46 45 56 5  1234567 467 457 567 57  18 12468");

  int typed = 0;
  for (int i = 1; i <= charcount; ++i) {
    const brlchartype& entry = brlchars[i];
    const std::u16string character = cp1250ToUtf16(entry.character);
    ASSERT_EQ(character.size(), 1u) << cp1250ToUtf8(entry.character);
    // Read as the first way of typing it: without a sign, then as a capital.
    const auto rank = [](const brlchartype& e) { return e.prefix.empty() ? 0 : e.prefix == "#cap" ? 1 : 2; };
    bool earlier = false;
    for (int j = 1; j <= charcount; ++j)
      if (j != i && brlchars[j].character == entry.character &&
          (rank(brlchars[j]) < rank(entry) || (rank(brlchars[j]) == rank(entry) && j < i)))
        earlier = true;
    if (earlier) continue;
    ++typed;
    const std::string sign = entry.prefix.empty() ? "" : entry.prefix == "#cap" ? "7" : "8";
    EXPECT_EQ(dotsOf(character), entry.dots + sign) << cp1250ToUtf8(entry.character) << " under " << entry.prefix;
  }
  EXPECT_GE(typed, 2 * 46 + 20);
  std::printf("characters of czech.ebt read as typed: %d\n", typed);
}

}  // namespace
}  // namespace drum
