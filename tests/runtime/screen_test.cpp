#include <gtest/gtest.h>

#include "runtimefixture.h"

namespace drum {
namespace {

using ScreenTest = RuntimeTest;
using PrintTest = RuntimeTest;
using PageTest = RuntimeTest;

TEST_F(ScreenTest, TextEndingAtColumn80StaysThereUntilTheNextTextWraps) {
  at(3, 70);
  printstring("0123456789", 1);
  EXPECT_EQ(cursor(), std::make_pair(3, 80));
  EXPECT_EQ(printmemo.line(3), blanks(70) + "0123456789");

  printstring("", 1);  // an empty text at column 80 changes nothing
  EXPECT_EQ(cursor(), std::make_pair(3, 80));
  EXPECT_EQ(printmemo.line(4), "");

  printstring("ab", 1);
  EXPECT_EQ(printmemo.line(3), blanks(70) + "0123456789");
  EXPECT_EQ(printmemo.line(4), "ab" + blanks(78));
  EXPECT_EQ(cursor(), std::make_pair(4, 2));
}

TEST_F(ScreenTest, EightyOneCharactersWrapTheLastOneOntoTheNextLine) {
  const std::string text = std::string(80, 'a') + "b";
  at(5, 0);
  printstring(text, 0);
  EXPECT_EQ(printmemo.line(5), std::string(80, 'a'));
  EXPECT_EQ(printmemo.line(6), "b" + blanks(79));
  EXPECT_EQ(cursor(), std::make_pair(7, 0));
  EXPECT_EQ(printmemo.line(7), "");
}

TEST_F(ScreenTest, EightyCharactersFillOneLineAndSeparators0And2GoToTheNext) {
  at(0, 0);
  printstring(std::string(80, 'x'), 0);
  EXPECT_EQ(printmemo.line(0), std::string(80, 'x'));
  EXPECT_EQ(printmemo.line(1), "");
  EXPECT_EQ(cursor(), std::make_pair(1, 0));

  printstring(std::string(80, 'y'), 2);
  EXPECT_EQ(printmemo.line(1), std::string(80, 'y'));
  EXPECT_EQ(cursor(), std::make_pair(2, 0));
}

TEST_F(ScreenTest, LongTextsWrapOverSeveralLinesFromTheCursorColumn) {
  at(2, 75);
  printstring(std::string(170, 'z'), 1);  // 5 + 80 + 80 + 5
  EXPECT_EQ(printmemo.line(2), blanks(75) + std::string(5, 'z'));
  EXPECT_EQ(printmemo.line(3), std::string(80, 'z'));
  EXPECT_EQ(printmemo.line(4), std::string(80, 'z'));
  EXPECT_EQ(printmemo.line(5), std::string(5, 'z') + blanks(75));
  EXPECT_EQ(cursor(), std::make_pair(5, 5));
}

TEST_F(ScreenTest, WritingOverAnOldLineKeepsItsOtherCharacters) {
  printmemo.setLine(0, std::string(80, '-'));
  at(0, 10);
  printstring("abc", 1);
  EXPECT_EQ(printmemo.line(0), std::string(10, '-') + "abc" + std::string(67, '-'));
}

TEST_F(ScreenTest, SeparatorTwoMovesToTheNextTabZoneWithTheRemainderOneRule) {
  const std::pair<int, int> cases[] = {{5, 8}, {9, 10}, {1, 2}, {16, 16}, {15, 16}, {72, 72}, {0, 0}, {66, 72}};
  for (const auto& [from, to] : cases) {
    SCOPED_TRACE(from);
    at(4, 0);
    printstring(std::string(from, 'q'), 2);
    EXPECT_EQ(cursor(), std::make_pair(4, to));
  }
  at(4, 0);
  printstring(std::string(73, 'q'), 2);
  EXPECT_EQ(cursor(), std::make_pair(5, 0));
  at(4, 70);
  printstring("abc", 2);  // ends at 73
  EXPECT_EQ(cursor(), std::make_pair(5, 0));
}

TEST_F(ScreenTest, NewLineOnTheLastLineScrollsEveryLineUp) {
  for (int r = 0; r < 24; ++r) printmemo.setLine(r, "line " + std::to_string(r));
  at(23, 0);
  printstring("bottom", 0);
  ASSERT_EQ(printmemo.count(), 24);
  EXPECT_EQ(printmemo.line(0), "line 1");
  EXPECT_EQ(printmemo.line(22), "bottom3" + blanks(73));  // written over "line 23"
  EXPECT_EQ(printmemo.line(23), "");
  EXPECT_EQ(cursor(), std::make_pair(23, 0));
}

TEST_F(ScreenTest, WrappingOnTheLastLineScrollsInTheMiddleOfTheText) {
  at(23, 78);
  printstring("abcd", 1);
  ASSERT_EQ(printmemo.count(), 24);
  EXPECT_EQ(printmemo.line(22), blanks(78) + "ab");
  EXPECT_EQ(printmemo.line(23), "cd" + blanks(78));
  EXPECT_EQ(cursor(), std::make_pair(23, 2));
}

TEST_F(ScreenTest, ManyLinesKeepTwentyFourLinesWithTheNewestAtTheBottom) {
  for (int i = 0; i < 100; ++i) printnumber(0, i);
  ASSERT_EQ(printmemo.count(), 24);
  EXPECT_EQ(printmemo.line(22).substr(0, 3), "99 ");
  EXPECT_EQ(printmemo.line(0).substr(0, 3), "77 ");
  EXPECT_EQ(cursor(), std::make_pair(23, 0));
}

TEST_F(ScreenTest, ObserverSeesEveryChangeAndTextJoinsLinesWithCrLf) {
  int changes = 0;
  printmemo.setObserver([&] { ++changes; });
  printstring("hi", 1);
  EXPECT_GT(changes, 0);
  printmemo.setObserver(nullptr);
  const std::string all = printmemo.text();
  EXPECT_EQ(all.substr(0, 84), "hi" + blanks(78) + "\r\n\r\n");
  EXPECT_EQ(all.size(), 80u + 23 * 2);
}

TEST_F(ScreenTest, ClsClearsOnlyWhileVoiceIsAllowed) {
  printstring("keep", 0);
  voiceallowed = false;
  cls();
  EXPECT_EQ(printmemo.line(0), "keep" + blanks(76));
  EXPECT_EQ(cursor(), std::make_pair(1, 0));

  voiceallowed = true;
  cls();
  ASSERT_EQ(printmemo.count(), 24);
  for (int r = 0; r < 24; ++r) EXPECT_EQ(printmemo.line(r), "");
  EXPECT_EQ(cursor(), std::make_pair(0, 0));
}

TEST_F(ScreenTest, ResetruntimeMovesToColumnZeroAndKeepsTheRowAndScreen) {
  printstring("first run", 1);
  lastvoice = 7;
  lastduration = 99;
  resetruntime();
  EXPECT_EQ(cursor(), std::make_pair(0, 0));
  at(12, 40);
  resetruntime();
  EXPECT_EQ(cursor(), std::make_pair(12, 0));
  EXPECT_EQ(lastvoice, 1);
  EXPECT_EQ(lastduration, 1);
  EXPECT_EQ(printmemo.line(0), "first run" + blanks(71));
}

TEST_F(ScreenTest, ACursorOffTheScreenIsBroughtBackInsteadOfReadingPastIt) {
  printmemo.clear();
  at(200, 250);
  printstring("x", 1);
  ASSERT_EQ(printmemo.count(), 24);
  EXPECT_EQ(printmemo.line(23), "x" + blanks(79));
}

TEST_F(PrintTest, PlainTextIsSpokenWholeWithItsLeadingBlanks) {
  printstring(" x", 0);
  EXPECT_EQ(spoken, (std::vector<Spoken>{{" x", 0}}));
}

TEST_F(PrintTest, LeadingMarksWait300MsEachAndAreNotSpoken) {
  printstring(" ,x", 0);
  EXPECT_EQ(spoken, (std::vector<Spoken>{{"x", 300000}}));
  EXPECT_EQ(printmemo.line(0), " ,x" + blanks(77));

  spoken.clear();
  printstring(",,,word", 0);
  EXPECT_EQ(spoken, (std::vector<Spoken>{{"word", 1200000}}));
}

TEST_F(PrintTest, MarksAfterABlankAreSpokenAndOnlyTheFourMarksPause) {
  printstring(". .", 0);
  EXPECT_EQ(spoken, (std::vector<Spoken>{{" .", 300000}}));

  spoken.clear();
  printstring("?;.,!", 0);
  EXPECT_EQ(spoken, (std::vector<Spoken>{{"!", 1500000}}));

  spoken.clear();
  printstring("\t\x01.", 0);  // control characters are trimmed like blanks
  EXPECT_EQ(spoken, (std::vector<Spoken>{{"", 1800000}}));

  spoken.clear();
  printstring("!.", 0);  // a mark later in the text is spoken as it stands
  EXPECT_EQ(spoken, (std::vector<Spoken>{{"!.", 1800000}}));
}

TEST_F(PrintTest, HighCodesAreNotTakenForControlCharacters) {
  printstring("\xE1.", 0);  // á in Windows-1250
  EXPECT_EQ(spoken, (std::vector<Spoken>{{"\xE1.", 0}}));
}

TEST_F(PrintTest, EmptyTextPadsTheLineAndSaysNothing) {
  at(6, 0);
  printstring("", 0);
  EXPECT_TRUE(spoken.empty());
  EXPECT_EQ(printmemo.line(6), blanks(80));
  EXPECT_EQ(cursor(), std::make_pair(7, 0));
  printstring("   ", 0);  // blanks only: spoken as they are
  EXPECT_EQ(spoken, (std::vector<Spoken>{{"   ", 0}}));
}

TEST_F(PrintTest, NumbersAreSpokenWholeWithoutThePunctuationRule) {
  printnumber(1, -0.5);
  printstring(" points", 0);
  EXPECT_EQ(printmemo.line(0), "-0,5 points" + blanks(69));
  EXPECT_EQ(spoken, (std::vector<Spoken>{{"-0,5", 0}, {" points", 0}}));
}

TEST_F(PrintTest, WithoutSpeechTheScreenIsTheSame) {
  speaktexthook = nullptr;
  printstring("hello", 1);
  printnumber(0, 42);
  EXPECT_EQ(printmemo.line(0), "hello42" + blanks(73));
  EXPECT_EQ(cursor(), std::make_pair(1, 0));
  EXPECT_EQ(clock.nowMicros(), 0);
}

TEST_F(PageTest, PagemodeSilencesPrintAndPausesAtTheBottomUntilAKey) {
  pagemode = true;
  clock.schedule(5000000, [] { keybuffer = "k"; });
  for (int i = 0; i < 23; ++i) printstring("line", 0);
  EXPECT_TRUE(spoken.empty());
  EXPECT_EQ(cursor(), std::make_pair(23, 0));

  printstring("overflow", 0);  // the new-line step reaches row 24
  ASSERT_EQ(spoken.size(), 1u);
  EXPECT_EQ(spoken[0].text, "The screen is full.");
  EXPECT_EQ(spoken[0].atMicros, 0);
  EXPECT_GE(clock.nowMicros(), 5000000);
  EXPECT_LE(clock.nowMicros(), 5010000);  // waited in short event waits, no busy loop
  EXPECT_TRUE(keybuffer.empty());         // the key was consumed
  EXPECT_TRUE(pagemode);
  EXPECT_EQ(printmemo.line(0), "");  // cleared by CLS
  EXPECT_EQ(printmemo.line(22), "");
  EXPECT_EQ(cursor(), std::make_pair(0, 0));
}

TEST_F(PageTest, AWrapDuringThePauseContinuesAtTheTopLeft) {
  pagemode = true;
  clock.schedule(1000, [] { keybuffer = "k"; });
  at(23, 78);
  printstring("abcd", 1);
  EXPECT_EQ(printmemo.line(0), "cd" + blanks(78));
  EXPECT_EQ(cursor(), std::make_pair(0, 2));
}

TEST_F(PageTest, ThePauseNeverLeavesTheCursorBelowTheScreenWhenVoiceIsOff) {
  voiceallowed = false;  // CLS does nothing then
  pagemode = true;
  clock.schedule(1000, [] { keybuffer = "k"; });
  printmemo.setLine(5, "old");
  at(23, 0);
  printstring("end", 0);
  EXPECT_EQ(cursor(), std::make_pair(0, 0));
  EXPECT_EQ(printmemo.line(5), "old");
  printstring("top", 1);
  EXPECT_EQ(printmemo.line(0).substr(0, 3), "top");
}

TEST_F(PageTest, TheMessageComesInTheCurrentLanguage) {
  languagebase = 3000;
  clock.schedule(0, [] { keybuffer = "k"; });
  screenfull();
  ASSERT_EQ(spoken.size(), 1u);
  EXPECT_EQ(spoken[0].text, cp("Obrazovka je plná."));
}

}  // namespace
}  // namespace drum
