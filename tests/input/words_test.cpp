#include "input/words.h"

#include <gtest/gtest.h>

#include "platform/cp1250.h"
#include "speech/voicemodels.h"

namespace drum {
namespace {

TEST(Words, CtrlArrowsStopAtWordStartsOnly) {
  wordseparators = {'\r', ' ', ','};
  const std::string text = "ab, cd.ef gh";
  std::vector<int> forward;
  for (int at = 0; at < static_cast<int>(text.size()); at = nextWordStart(text, at)) forward.push_back(at);
  EXPECT_EQ(forward, (std::vector<int>{0, 4, 7, 10}));
  EXPECT_EQ(nextWordStart(text, 10), 12);
  EXPECT_EQ(nextWordStart(text, 2), 4);  // from the comma
  std::vector<int> backward;
  for (int at = static_cast<int>(text.size()); at > 0;) backward.push_back(at = previousWordStart(text, at));
  EXPECT_EQ(backward, (std::vector<int>{10, 7, 4, 0}));
  EXPECT_EQ(previousWordStart(text, 8), 7);  // inside a word: its own start
  // Line ends of the review's copy lie between words too.
  EXPECT_EQ(nextWordStart("end.\r\n\r\nnext", 0), 8);
  EXPECT_EQ(previousWordStart("end.\r\n\r\nnext", 8), 0);
  // Out-of-range carets are held to the text.
  EXPECT_EQ(nextWordStart(text, 99), 12);
  EXPECT_EQ(previousWordStart(text, -3), 0);
  EXPECT_EQ(nextWordStart("", 0), 0);
}

TEST(Words, AccentedLettersAndDigitsBelongToTheWord) {
  wordseparators = {'\r', ' ', ','};
  const std::string text = utf8ToCp1250("Žluťoučký kůň, 10-20 úpěl");
  EXPECT_EQ(cp1250ToUtf8(wordAt(text, 0)), "Žluťoučký");
  const int kun = nextWordStart(text, 0);
  EXPECT_EQ(cp1250ToUtf8(wordAt(text, kun)), "kůň");
  const int ten = nextWordStart(text, kun);
  EXPECT_EQ(wordAt(text, ten), "10");
  EXPECT_EQ(wordAt(text, nextWordStart(text, ten)), "20");
  EXPECT_EQ(cp1250ToUtf8(wordAt(text, previousWordStart(text, static_cast<int>(text.size())))), "úpěl");
  for (char c : std::string("-+.,;:!?()[]/ \r\n")) EXPECT_FALSE(isWordCharacter(c)) << c;
  EXPECT_FALSE(isWordCharacter(utf8ToCp1250("×")[0]));
}

TEST(Words, WhereNoWordStartsTheTextUpToASeparatorIsRead) {
  wordseparators = {'\r', ' ', ','};
  EXPECT_EQ(wordAt("... next", 0), "...");
  EXPECT_EQ(wordAt("a b", 1), "");
  EXPECT_EQ(wordAt("a b", 99), "");
  EXPECT_EQ(wordAt("cd.ef", 0), "cd");
}

}  // namespace
}  // namespace drum
