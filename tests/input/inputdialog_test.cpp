#include "input/inputdialog.h"

#include <gtest/gtest.h>

#include <functional>

#include "input/keyboardfixture.h"
#include "platform/error.h"
#include "runtime/inputstring.h"
#include "shell/settings/resourcelocalizer.h"

namespace drum::keyboardtest {
namespace {

// The dialog's edit as a text and a caret; its modal loop is the test's script.
class ScriptedInput : public InputDialogWindow {
 public:
  std::string text() const override { return text_; }
  int caret() const override { return caret_; }
  void setText(const std::string& text, int caret) override {
    text_ = text;
    caret_ = caret;
  }
  bool showModal() override {
    ++shown;
    inputdialog::inputeditEnter();  // the edit's first focus
    if (script) script();
    inputdialog::FormClose();
    return ok;
  }
  std::string text_;
  int caret_ = 0;
  std::function<void()> script;
  bool ok = true;
  int shown = 0;
};

class ScriptedReview : public ReviewWindow {
 public:
  void setCopy(const std::string&) override {}
  void showModal() override { ++opened; }
  void close() override {}
  int opened = 0;
};

class InputDialogTest : public KeyboardTest {
 protected:
  void SetUp() override {
    KeyboardTest::SetUp();
    tracehooks.beep = [this] { heard.events.push_back("beep"); };
    setInputDialogWindow(&edit);
    setReviewWindow(&review);
    inputdialog::FormCreate();
    inputdialog::edgeflag = false;
    inputdialog::announceedit = false;
    inputdialog::chordtext.clear();
  }
  void TearDown() override {
    setInputDialogWindow(nullptr);
    KeyboardTest::TearDown();
  }

  void at(const std::string& text, int caret) { edit.setText(text, caret); }
  // A key going down in the edit, before the edit acts on it.
  void keyDown(int key, ShiftState shift = {}, std::optional<char> typed = {}) {
    inputdialog::inputeditKeyDown(key, shift, edit.text_, edit.caret_, typed);
  }
  // The key's release, with the caret where the edit has put it.
  void keyUp(int key, int caret, ShiftState shift = {}) {
    edit.caret_ = caret;
    inputdialog::inputeditKeyUp(key, shift);
  }
  // A Braille chord: its dot keys pressed one after another (each spoken as
  // the chord stands), then released.
  void chord(const std::vector<std::pair<int, char>>& dots) {
    for (auto [key, c] : dots) {
      keys.held.insert(key);
      inputdialog::inputeditKeyDown(key, {}, edit.text_, edit.caret_, c);
      EXPECT_FALSE(inputdialog::inputeditKeyPress(c));
    }
    for (auto [key, c] : dots) {
      keys.held.erase(key);
      inputdialog::inputeditKeyUp(key, {});
    }
  }
  std::vector<std::string> said() const { return speech.log.texts(); }
  void forget() {
    speech.log.clear();
    heard.clear();
  }

  ScriptedInput edit;
  ScriptedReview review;
};

const ShiftState kCtrl{false, true, false};
const ShiftState kAlt{false, false, true};

TEST_F(InputDialogTest, BackspaceAndDeleteSayWhatTheyRemoveAndBeepAtTheEnds) {
  at("abc", 0);
  keyDown(vk::Back);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"click 2", "beep"}));
  EXPECT_TRUE(said().empty());

  forget();
  at("abc", 2);
  keyDown(vk::Back);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"click 2"}));
  EXPECT_EQ(said(), (std::vector<std::string>{"b"}));

  forget();
  at("abc", 1);
  keyDown(vk::Delete);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"click 2"}));
  EXPECT_EQ(said(), (std::vector<std::string>{"b"}));

  forget();
  at("abc", 3);
  keyDown(vk::Delete);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"click 2", "beep"}));
  EXPECT_TRUE(said().empty());
}

TEST_F(InputDialogTest, TypedKeysAreEchoedExceptTheSlashKeyAndInBrailleMode) {
  keyDown('A', {}, 'a');
  keyDown('A', {true, false, false}, 'A');
  keyDown(vk::Space, {}, ' ');
  keyDown(vk::Oem2, {}, '/');
  keyDown(vk::Shift);
  EXPECT_EQ(said(), (std::vector<std::string>{"a", "a", "space"}));
  EXPECT_EQ(heard.events, (std::vector<std::string>{"sound 2000/20/1"}));  // the capital's tone

  forget();
  braillemode = true;
  keyDown('F', {}, 'f');
  EXPECT_TRUE(said().empty());
}

TEST_F(InputDialogTest, LeftOnAnEmptyTextBeepsOnEveryRelease) {
  at("", 0);
  for (int i = 0; i < 3; ++i) keyUp(vk::Left, 0);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"beep", "beep", "beep"}));
  EXPECT_TRUE(said().empty());
}

TEST_F(InputDialogTest, LeftReachingTheStartArmsThenBeeps) {
  at("xyz", 2);
  keyUp(vk::Left, 1);
  keyUp(vk::Left, 0);
  EXPECT_TRUE(heard.events.empty());
  keyUp(vk::Left, 0);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"beep"}));
  EXPECT_EQ(said(), (std::vector<std::string>{"y", "x", "x"}));
  keyUp(vk::Right, 1);  // moving away disarms
  heard.clear();
  keyUp(vk::Left, 0);
  EXPECT_TRUE(heard.events.empty());
}

TEST_F(InputDialogTest, RightAtTheEndClicksThenClicksAndBeeps) {
  at("ab", 1);
  keyUp(vk::Right, 2);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"click 2"}));
  keyUp(vk::Right, 2);
  keyUp(vk::Right, 2);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"click 2", "click 2", "beep", "click 2", "beep"}));
  EXPECT_TRUE(said().empty());  // nothing right of the caret

  heard.clear();
  keyUp(vk::Left, 1);
  keyUp(vk::Right, 1);  // inside the text: clears the flag
  keyUp(vk::Right, 2);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"click 2"}));
}

TEST_F(InputDialogTest, HomeSaysTheFirstCharacterAndEndClicksAndBeeps) {
  at("Hello", 3);
  keyUp(vk::Home, 0);
  EXPECT_EQ(said(), (std::vector<std::string>{"h"}));
  EXPECT_EQ(heard.events, (std::vector<std::string>{"sound 2000/20/1"}));
  forget();
  keyUp(vk::End, 5);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"click 2", "beep"}));
}

TEST_F(InputDialogTest, CtrlWithLeftOrRightReadsTheWordFromTheCaret) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "filler ";
  text += "alpha,beta gamma\rdelta";
  const int alpha = static_cast<int>(text.find("alpha"));
  at(text, 0);
  keyUp(vk::Right, alpha, kCtrl);
  keyUp(vk::Left, alpha + 2, kCtrl);
  keyUp(vk::Right, static_cast<int>(text.find("gamma")), kCtrl);
  keyUp(vk::Right, static_cast<int>(text.find("delta")) - 1, kCtrl);  // on the carriage return
  keyUp(vk::Left, static_cast<int>(text.find("delta")), kCtrl);
  EXPECT_EQ(said(), (std::vector<std::string>{"alpha", "pha", "gamma", "delta"}));
  EXPECT_EQ(inputdialog::wordAt("a b", 1), "");
  EXPECT_EQ(inputdialog::wordAt("a b", 99), "");
}

TEST_F(InputDialogTest, AltUpReadsTheLineOrSaysEmptyLine) {
  at("", 0);
  keyDown(vk::Up, kAlt);
  at("two words", 4);
  keyDown(vk::Up, kAlt);
  EXPECT_EQ(said(), (std::vector<std::string>{"empty line", "two words"}));
  EXPECT_EQ(review.opened, 0);
}

TEST_F(InputDialogTest, UpOrDownWithoutAltOpensTheReviewUnlessLocked) {
  EXPECT_FALSE(programstarted);
  keyDown(vk::Up);
  keyDown(vk::Down);
  EXPECT_EQ(review.opened, 2);
  ram[kReviewLockAddress] = 1;
  keyDown(vk::Down);
  EXPECT_EQ(review.opened, 2);
}

TEST_F(InputDialogTest, ACapitalChordInTheMiddleOfTheText) {
  braillemode = true;
  at("ab", 1);
  chord({{vk::L, 'l'}});  // dot 6: the capital sign, says nothing
  EXPECT_EQ(edit.text_, "ab");
  EXPECT_TRUE(said().empty());
  EXPECT_EQ(inputdialog::savedprefix, "#cap");

  chord({{vk::F, 'f'}, {vk::J, 'j'}});  // dots 1 4: c
  // While the chord forms: "a" for dot 1 alone, then "c", each a capital.
  EXPECT_EQ(said(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(heard.events, (std::vector<std::string>{"sound 2000/20/1", "sound 2000/20/1"}));
  EXPECT_EQ(edit.text_, "aCb");
  EXPECT_EQ(edit.caret_, 2);
  EXPECT_EQ(inputdialog::savedprefix, "");

  forget();
  chord({{vk::F, 'f'}, {vk::S, 's'}});  // dots 1 3: k, without a prefix now
  EXPECT_EQ(edit.text_, "aCkb");
  EXPECT_EQ(edit.caret_, 3);
  EXPECT_TRUE(heard.events.empty());
}

TEST_F(InputDialogTest, DisplayChordsAreSpokenAndPutInWhetherOrNotChordTypingIsOn) {
  for (bool chords : {false, true}) {
    braillemode = chords;
    at("ab", 1);
    forget();
    inputdialog::displayChord("6");  // the capital sign: nothing said, nothing put in
    EXPECT_EQ(edit.text_, "ab");
    inputdialog::displayChord("14");  // c, as a capital
    EXPECT_EQ(said(), (std::vector<std::string>{"c"}));
    EXPECT_EQ(heard.events, (std::vector<std::string>{"sound 2000/20/1"}));
    EXPECT_EQ(edit.text_, "aCb");
    EXPECT_EQ(edit.caret_, 2);
    inputdialog::displayChord("13");  // k, the capital sign used up
    inputdialog::displayChord(" ");
    EXPECT_EQ(edit.text_, "aCk b");
    EXPECT_EQ(edit.caret_, 4);
    EXPECT_EQ(inputdialog::savedprefix, "");
  }
}

TEST_F(InputDialogTest, ChordsAtTheEndAppendAndTheSpaceBarTypesASpace) {
  braillemode = true;
  at("x", 1);
  chord({{vk::F, 'f'}});
  chord({{vk::Space, ' '}});
  chord({{vk::F, 'f'}, {vk::D, 'd'}});
  EXPECT_EQ(edit.text_, "xa b");
  EXPECT_EQ(edit.caret_, 4);
  EXPECT_EQ(said(), (std::vector<std::string>{"a", "space", "a", "b"}));
}

TEST_F(InputDialogTest, BrailleModeKeepsPrintingKeysOutOfTheEdit) {
  braillemode = true;
  EXPECT_FALSE(inputdialog::entersEdit('f'));
  EXPECT_FALSE(inputdialog::entersEdit(' '));
  EXPECT_TRUE(inputdialog::entersEdit('\b'));
  EXPECT_TRUE(inputdialog::entersEdit('\r'));
  EXPECT_TRUE(inputdialog::inputeditKeyPress('\b'));
  braillemode = false;
  EXPECT_TRUE(inputdialog::entersEdit('f'));
}

TEST_F(InputDialogTest, FocusAnnouncements) {
  at("", 0);
  currentprefix = "#cap";
  inputdialog::inputeditEnter();  // as the dialog opens: silent
  EXPECT_TRUE(said().empty());
  EXPECT_EQ(currentprefix, "");

  inputdialog::EnterbitbtnEnter();
  inputdialog::exitprogrambtnEnter();
  inputdialog::inputeditEnter();
  at("some data", 9);
  inputdialog::inputeditEnter();
  EXPECT_EQ(said(), (std::vector<std::string>{"&OK", "E&xit program", "empty line", "some data"}));

  inputdialog::FormClose();
  forget();
  inputdialog::inputeditEnter();
  EXPECT_TRUE(said().empty());
}

TEST_F(InputDialogTest, TheSavedPrefixOutlivesTheDialogButTheCurrentOneDoesNot) {
  braillemode = true;
  at("", 0);
  chord({{vk::L, 'l'}});
  inputdialog::FormClose();
  EXPECT_EQ(currentprefix, "");
  EXPECT_EQ(inputdialog::savedprefix, "#cap");
  chord({{vk::F, 'f'}});
  EXPECT_EQ(edit.text_, "A");
}

TEST_F(InputDialogTest, InputStatementGivesTheTextOnlyWhenClosedWithOk) {
  edit.script = [this] {
    EXPECT_EQ(edit.text_, "start");
    EXPECT_EQ(edit.caret_, 5);
    edit.setText(cp("Žluťoučký kůň"), 3);
  };
  EXPECT_EQ(inputstring("start"), cp("Žluťoučký kůň"));
  EXPECT_TRUE(said().empty());  // the first focus is silent
  EXPECT_FALSE(inputdialog::announceedit);

  edit.ok = false;
  edit.script = {};
  EXPECT_EQ(inputstring(), "");
  EXPECT_EQ(edit.shown, 2);

  setInputDialogWindow(nullptr);
  EXPECT_THROW(inputstring(), Error);
}

TEST_F(InputDialogTest, TheExitButtonAndAltF4SaveTheMemoryAndEndTheProgram) {
  ram[100] = 42;
  EXPECT_THROW(inputdialog::exitprogrambtnClick(), ProcessTerminated);
  EXPECT_EQ(static_cast<unsigned char>(readFile("ram.dat").at(100)), 42);

  ram[100] = 43;
  initSound(true);
  EXPECT_THROW(keyDown(vk::F4, kAlt), ProcessTerminated);
  EXPECT_EQ(static_cast<unsigned char>(readFile("ram.dat").at(100)), 43);
  keyDown(vk::F4);  // F4 alone is only a key
}

}  // namespace
}  // namespace drum::keyboardtest
