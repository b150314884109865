#include <gtest/gtest.h>

#include <functional>

#include "input/keyboardfixture.h"
#include "shell/settings/resourcelocalizer.h"

namespace drum::keyboardtest {
namespace {

std::string ch129() { return std::string(1, static_cast<char>(129)); }

// A review window whose modal loop is the test's script.
class ScriptedReview : public ReviewWindow {
 public:
  void setCopy(const std::string& text) override { copy = text; }
  void showModal() override {
    ++opened;
    open = true;
    if (script) script();
    open = false;
  }
  void close() override {
    open = false;
    ++closed;
  }
  std::string copy;
  std::function<void()> script;
  bool open = false;
  int opened = 0, closed = 0;
};

class ReviewTest : public KeyboardTest {
 protected:
  void SetUp() override {
    KeyboardTest::SetUp();
    setReviewWindow(&review);
    printmemo.clear();
    printmemo.fill();
  }
  // The line spoken after moving the caret to `caret` with `key`.
  void keyUp(int key, int caret, ShiftState shift = {}) { virtualscrmemoKeyUp(key, shift, caret); }
  // Opens the review on the screen as it stands and runs `script` inside it.
  void openWith(std::function<void()> script) {
    review.script = std::move(script);
    OpenScreenReview();
  }
  int lineStart(int line) const {
    int pos = 0;
    for (int i = 0; i < line; ++i) pos += static_cast<int>(printmemo.line(i).size()) + 2;
    return pos;
  }

  ScriptedReview review;
};

TEST_F(ReviewTest, OpeningAndClosingSoundsAndWords) {
  keybuffer = ch129();
  openWith([this] {
    EXPECT_EQ(keybuffer, "");
    // Opening: the two tones, then "Screen" not waited for.
    EXPECT_EQ(heard.events, (std::vector<std::string>{"sound 300+450/100/5"}));
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"Screen"}));
    heard.clear();
    speech.log.clear();
  });
  EXPECT_EQ(review.opened, 1);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"sound 300+450/100/5"}));
  EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"end of screen"}));
}

TEST_F(ReviewTest, TheCopyIsTheScreenWithCrLfAndIsNotUpdated) {
  printmemo.setLine(0, "first");
  printmemo.setLine(23, "last");
  openWith([this] { printmemo.setLine(0, "changed meanwhile"); });
  ASSERT_EQ(review.copy.size(), std::string("first").size() + std::string("last").size() + 24 * 2);
  EXPECT_EQ(review.copy.substr(0, 7), "first\r\n");
  EXPECT_EQ(review.copy.substr(review.copy.size() - 6), "last\r\n");
  EXPECT_EQ(textLineCount(review.copy), 24);
}

TEST_F(ReviewTest, LockedByTheProgramNothingOpensAndTheKeyStays) {
  ram[kReviewLockAddress] = 1;
  keybuffer = ch129();
  OpenScreenReview();
  EXPECT_EQ(review.opened, 0);
  EXPECT_EQ(keybuffer, ch129());
  EXPECT_TRUE(heard.events.empty());
  EXPECT_TRUE(speech.log.said.empty());
}

TEST_F(ReviewTest, F2TellsLineAndColumn) {
  printmemo.setLine(2, "abcdefghijklmnop");
  openWith([this] {
    speech.log.clear();
    virtualscrmemoKeyDown(vk::F2, {}, lineStart(2) + 11);  // before the twelfth character
    EXPECT_EQ(speech.log.said, (std::vector<std::string>{"<stop>", "line 3, column 12"}));
    speech.log.clear();
    virtualscrmemoKeyDown(vk::F2, {}, 0);
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"line 1, column 1"}));
  });
}

TEST_F(ReviewTest, F2InCzech) {
  languagebase = 1000;
  printmemo.setLine(1, "xy");
  openWith([this] {
    speech.log.clear();
    virtualscrmemoKeyDown(vk::F2, {}, lineStart(1) + 2);
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{cp("řádek 2, sloupec 3")}));
  });
}

TEST_F(ReviewTest, UpOnTheFirstLineClicksFromTheSecondTimeOn) {
  printmemo.setLine(0, "top line");
  printmemo.setLine(1, "second");
  openWith([this] {
    heard.clear();
    speech.log.clear();
    keyUp(vk::Up, 3);
    EXPECT_TRUE(heard.events.empty());
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"top line"}));
    keyUp(vk::Up, 3);
    keyUp(vk::Up, 0);
    EXPECT_EQ(heard.events, (std::vector<std::string>{"click 16", "click 16"}));
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"top line", "top line", "top line"}));
    // Down inside the text clears the mark.
    heard.clear();
    keyUp(vk::Down, lineStart(1));
    keyUp(vk::Up, 0);
    EXPECT_TRUE(heard.events.empty());
  });
}

TEST_F(ReviewTest, DownOntoTheLineAfterTheLastIsAnEmptyLineThenClicks) {
  printmemo.setLine(23, "bottom");
  openWith([this] {
    heard.clear();
    speech.log.clear();
    keyUp(vk::Down, lineStart(23));
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"bottom"}));
    keyUp(vk::Down, static_cast<int>(review.copy.size()));
    keyUp(vk::Down, static_cast<int>(review.copy.size()));
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"bottom", "empty line", "empty line"}));
    EXPECT_EQ(heard.events, (std::vector<std::string>{"click 16"}));
    keyUp(vk::Up, lineStart(5));
    EXPECT_EQ(speech.log.texts().back(), "empty line");  // line 6 is empty
  });
}

TEST_F(ReviewTest, CharactersByTheirKeyFileWords) {
  printmemo.setLine(0, "Al");
  openWith([this] {
    heard.clear();
    speech.log.clear();
    keyUp(vk::Right, 1);
    keyUp(vk::Right, 2);  // the line's end: a carriage return
    keyUp(vk::Left, 0);
    keyUp(vk::Home, 0);
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"l", "end of line", "a", "a"}));
    // The capital "A" at 0 gets the capital tone before it is said; the
    // second try at position 0 clicks first.
    EXPECT_EQ(heard.events,
              (std::vector<std::string>{"sound 2000/20/1", "click 16", "sound 2000/20/1"}));
  });
}

TEST_F(ReviewTest, ARoutingKeyReadsTheCharacterAsLeftAndRightDo) {
  printmemo.setLine(0, "Al");
  printmemo.setLine(1, "x y");
  openWith([this] {
    heard.clear();
    speech.log.clear();
    virtualscrmemoRoute(lineStart(1) + 1);  // the blank
    virtualscrmemoRoute(lineStart(1) + 2);
    virtualscrmemoRoute(0);  // the capital at the very start: arms the edge
    virtualscrmemoRoute(0);  // again: a click first
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"space", "y", "a", "a"}));
    EXPECT_EQ(heard.events, (std::vector<std::string>{"sound 2000/20/1", "click 16", "sound 2000/20/1"}));
    voiceready = false;
    speech.log.clear();
    virtualscrmemoRoute(1);  // without a voice: silent
    EXPECT_TRUE(speech.log.texts().empty());
    voiceready = true;
  });
}

TEST_F(ReviewTest, RightAtTheEndClicksTheSecondTimeAndSaysNothing) {
  openWith([this] {
    const int end = static_cast<int>(review.copy.size());
    heard.clear();
    speech.log.clear();
    keyUp(vk::Right, end);
    keyUp(vk::End, end);
    EXPECT_EQ(heard.events, (std::vector<std::string>{"click 16"}));
    EXPECT_TRUE(speech.log.texts().empty());
  });
}

TEST_F(ReviewTest, CtrlArrowReadsTheWordFromTheCaret) {
  printmemo.setLine(4, "hra drum,je tu");
  openWith([this] {
    speech.log.clear();
    const int at = lineStart(4);
    keyUp(vk::Right, at + 6, {false, true, false});  // inside "drum"
    keyUp(vk::Left, at + 9, {false, true, false});   // after the comma
    keyUp(vk::Right, at + 12, {false, true, false});  // "tu" up to the line end
    keyUp(vk::Home, at, {false, true, false});        // Ctrl+Home says nothing
    EXPECT_EQ(speech.log.texts(), (std::vector<std::string>{"um", "je", "tu"}));
  });
}

TEST_F(ReviewTest, WithoutAVoiceTheKeysAreSilentAndEscStillCloses) {
  printmemo.setLine(0, "text");
  openWith([this] {
    voiceready = false;
    sapi5inuse = false;
    heard.clear();
    speech.log.clear();
    keyUp(vk::Down, lineStart(1));
    keyUp(vk::Up, 0);
    keyUp(vk::Up, 0);
    virtualscrmemoKeyDown(vk::F2, {}, 0);
    EXPECT_TRUE(heard.events.empty());
    EXPECT_TRUE(speech.log.said.empty());
    virtualscrmemoKeyDown(vk::Escape, {}, 0);
    EXPECT_FALSE(review.open);
    EXPECT_EQ(review.closed, 1);
  });
}

TEST_F(ReviewTest, TheEdgeMarkSurvivesFromOneOpeningToTheNext) {
  openWith([this] { keyUp(vk::Up, 0); });
  heard.clear();
  openWith([this] {
    heard.clear();
    keyUp(vk::Up, 0);
  });
  EXPECT_EQ(heard.events.front(), "click 16");
}

TEST(CaretPlace, LinesAndColumnsOfACrLfText) {
  const std::string text = "ab\r\n\r\ncdef\r\n";
  EXPECT_EQ(caretPlace(text, 0).line, 0);
  EXPECT_EQ(caretPlace(text, 2).column, 3);
  EXPECT_EQ(caretPlace(text, 4).line, 1);
  EXPECT_EQ(caretPlace(text, 4).column, 1);
  EXPECT_EQ(caretPlace(text, 9).line, 2);
  EXPECT_EQ(caretPlace(text, 9).column, 4);
  EXPECT_EQ(caretPlace(text, 12).line, 3);  // the empty line after the last break
  EXPECT_EQ(caretPlace(text, 999).line, 3);  // clamped, never past the text
  EXPECT_EQ(caretPlace(text, -5).line, 0);
  EXPECT_EQ(textLineCount(text), 3);
  EXPECT_EQ(textLineCount(""), 0);
  EXPECT_EQ(textLineCount("x"), 1);
  EXPECT_EQ(textLine(text, 2), "cdef");
  EXPECT_EQ(textLine(text, 1), "");
  EXPECT_EQ(textLine(text, 7), "");
}

}  // namespace
}  // namespace drum::keyboardtest
