#include <gtest/gtest.h>

#include "input/keyboardfixture.h"
#include "shell/settings/resourcelocalizer.h"

namespace drum::keyboardtest {
namespace {

std::string ch(int code) { return std::string(1, static_cast<char>(code)); }

constexpr ShiftState kShift{true, false, false};
constexpr ShiftState kAlt{false, false, true};

// A review window that opens and closes at once, counting its openings.
class CountingReview : public ReviewWindow {
 public:
  void setCopy(const std::string&) override {}
  void showModal() override { ++opened; }
  void close() override {}
  int opened = 0;
};

using ControlCodes = KeyboardTest;

TEST_F(ControlCodes, KeysBelowSpaceStayInTheBufferAfterTheirRelease) {
  struct Case {
    int key;
    ShiftState shift;
    int code;
  };
  for (const Case& c : {Case{vk::Back, {}, 8}, Case{vk::Back, kShift, 25}, Case{vk::Return, {}, 13},
                        Case{vk::Escape, {}, 27}}) {
    keybuffer = "x";
    down(c.key, c.shift);
    EXPECT_EQ(keybuffer, ch(c.code)) << c.key;
    press(static_cast<char>(c.key));  // these keys type their control character too
    up(c.key, c.shift);
    EXPECT_EQ(keybuffer, ch(c.code)) << "released " << c.key;
  }
}

TEST_F(ControlCodes, FunctionKeysGiveTheirCodeOnlyWhileHeld) {
  struct Case {
    int key;
    ShiftState shift;
    int code;
  };
  for (const Case& c : {Case{vk::F6, {}, 8}, Case{vk::F6, kShift, 25}, Case{vk::F8, {}, 13}, Case{vk::F7, {}, 7}}) {
    down(c.key, c.shift);
    EXPECT_EQ(keybuffer, ch(c.code)) << c.key;
    up(c.key, c.shift);
    EXPECT_EQ(keybuffer, "") << "released " << c.key;
  }
}

TEST_F(ControlCodes, ModifiersEmptyTheBufferAndOtherKeysLeaveIt) {
  for (int key : {vk::Shift, vk::Control, vk::Menu}) {
    keybuffer = "q";
    down(key);
    EXPECT_EQ(keybuffer, "") << key;
    up(key);
  }
  keybuffer = "q";
  down(vk::F4);  // without Alt
  EXPECT_EQ(keybuffer, "q");
  down(vk::Insert);
  EXPECT_EQ(keybuffer, "q");
  down(vk::F1);
  EXPECT_EQ(keybuffer, "q");
}

TEST_F(ControlCodes, EveryCombinationOfArrowsHasItsCode) {
  const int arrows[4] = {vk::Up, vk::Down, vk::Left, vk::Right};
  for (int mask = 1; mask < 16; ++mask) {
    keys.held.clear();
    int last = 0;
    for (int bit = 0; bit < 4; ++bit)
      if (mask & (1 << bit)) keys.held.insert(last = arrows[bit]);
    FormKeyDown(last, {});
    EXPECT_EQ(static_cast<unsigned char>(keybuffer[0]), 128 + mask) << "mask " << mask;
    EXPECT_EQ(keybuffer.size(), 1u);
  }
}

TEST_F(ControlCodes, ShiftAddsSixteenAndSpaceThirtyTwo) {
  keys.held = {vk::Up, vk::Right};
  FormKeyDown(vk::Right, {});
  EXPECT_EQ(keybuffer, ch(137));
  FormKeyDown(vk::Right, kShift);
  EXPECT_EQ(keybuffer, ch(153));
  keys.held.insert(vk::Space);
  FormKeyDown(vk::Right, kShift);
  EXPECT_EQ(keybuffer, ch(185));
  FormKeyDown(vk::Right, {});
  EXPECT_EQ(keybuffer, ch(169));
  // The cursor code goes again with the arrow's release (its code is 32 or more).
  up(vk::Right);
  EXPECT_EQ(keybuffer, "");
}

TEST_F(ControlCodes, UpOrDownAloneOpensTheReviewOnlyOnceAProgramHasStarted) {
  CountingReview review;
  setReviewWindow(&review);
  down(vk::Up);
  EXPECT_EQ(keybuffer, ch(129));
  EXPECT_EQ(review.opened, 0);
  up(vk::Up);

  programstarted = true;
  down(vk::Down);
  EXPECT_EQ(review.opened, 1);
  EXPECT_EQ(keybuffer, "");  // the key that opened it is not passed on
  up(vk::Down);

  // Shift or Space held: a code for the program, no review.
  down(vk::Up, kShift);
  EXPECT_EQ(keybuffer, ch(145));
  up(vk::Up, kShift);
  keys.held.insert(vk::Space);
  down(vk::Down);
  EXPECT_EQ(keybuffer, ch(130 + 32));
  up(vk::Down);
  keys.held.clear();
  // Two arrows at once are no review key either.
  keys.held.insert(vk::Left);
  down(vk::Up);
  EXPECT_EQ(keybuffer, ch(133));
  EXPECT_EQ(review.opened, 1);
}

TEST_F(ControlCodes, TheProgramsLockKeepsTheReviewShutAndTheCodeForTheProgram) {
  CountingReview review;
  setReviewWindow(&review);
  programstarted = true;
  ram[kReviewLockAddress] = 1;
  down(vk::Up);
  EXPECT_EQ(keybuffer, ch(129));
  EXPECT_EQ(review.opened, 0);
  ram[kReviewLockAddress] = 2;  // only 1 locks
  down(vk::Up);
  EXPECT_EQ(review.opened, 1);
}

TEST_F(ControlCodes, AKeyGoingDownStopsSpeechAndEndsASoundWait) {
  sapi5inuse = true;
  speech.log.clear();
  // A long tone with a key half a second into it.
  clock.schedule(500000, [this] { down(vk::Right); });
  const std::int64_t start = clock.nowMicros();
  sound({440}, 5000, 1);
  EXPECT_LT(clock.nowMicros() - start, 600000);
  EXPECT_FALSE(soundplaying);
  EXPECT_EQ(keybuffer, ch(136));  // the key still reaches the program
  ASSERT_FALSE(speech.log.said.empty());
  EXPECT_EQ(speech.log.said.back(), "<stop>");
}

TEST_F(ControlCodes, AKeyCutsSpeechShort) {
  speech.log.speaktime = 2000000;
  clock.schedule(300000, [this] { down(vk::Escape); });
  SpeakText("a long sentence");
  EXPECT_LT(clock.nowMicros(), 400000);
  EXPECT_EQ(speech.log.said, (std::vector<std::string>{"a long sentence", "<stop>"}));
  EXPECT_EQ(keybuffer, ch(27));
}

TEST_F(ControlCodes, AltF4SavesTheMemoryAndEndsAtOnce) {
  ram[262] = 'Q';
  down(vk::Menu, kAlt);
  EXPECT_THROW(down(vk::F4, kAlt), ProcessTerminated);
  const std::string image = readFile("ram.dat");
  ASSERT_EQ(image.size(), kRamSize);
  EXPECT_EQ(image[262], 'Q');
  EXPECT_EQ(soundMixer(), nullptr);  // the sound objects were released
}

TEST_F(ControlCodes, AltF4ThatCannotSaveSaysSoAndTheNextOneLeavesWithoutSaving) {
  std::filesystem::create_directory(dir + "/ram.dat");  // nothing can be written there
  std::string text;
  try {
    FormKeyDown(vk::F4, kAlt);
  } catch (const Error& e) {
    text = e.what();
  }
  EXPECT_EQ(text, "Unable to write to " + dir + "/ram.dat: it is a folder, not a file. Exit once more to end the "
                  "program without saving the game.");
  EXPECT_NE(soundMixer(), nullptr);
  // The player is not trapped: the next Alt+F4 ends the program, saving nothing.
  EXPECT_THROW(FormKeyDown(vk::F4, kAlt), ProcessTerminated);
  EXPECT_TRUE(std::filesystem::is_directory(dir + "/ram.dat"));
  EXPECT_EQ(soundMixer(), nullptr);
}

using OrdinaryTyping = KeyboardTest;

TEST_F(OrdinaryTyping, ACharacterArrivesAtItsRelease) {
  down('A');
  press('a');
  EXPECT_EQ(keybuffer, "");
  EXPECT_EQ(pendingkey, "a");
  up('A');
  EXPECT_EQ(keybuffer, "a");
  EXPECT_EQ(pendingkey, "");
  // Read by the program, then gone.
  EXPECT_EQ(inkey(), "a");
  EXPECT_EQ(inkey(), "");
}

TEST_F(OrdinaryTyping, TheLastKeyWinsAndAKeyWithoutCharacterEmptiesTheBuffer) {
  type('C', 'c');
  type(vk::Oem1, ':', kShift);
  EXPECT_EQ(keybuffer, ":");
  down(vk::Home);
  up(vk::Home);
  EXPECT_EQ(keybuffer, "");
}

TEST_F(OrdinaryTyping, DotKeysTypeLettersWhileChordsAreOff) {
  down(vk::F);
  press('f');
  down(vk::D);
  press('d');
  up(vk::F);
  EXPECT_EQ(keybuffer, "d");
  up(vk::D);
  EXPECT_EQ(keybuffer, "");
}

class ChordTyping : public KeyboardTest {
 protected:
  void SetUp() override {
    KeyboardTest::SetUp();
    braillemode = true;
    braillekeyboardchecked = true;
  }
  // Keys go down one after the other, each with its character, and come up
  // in the same order; returns what the buffer held after each release.
  std::vector<std::string> chordKeys(const std::vector<std::pair<int, char>>& pressed) {
    for (auto [key, c] : pressed) {
      down(key);
      press(c);
    }
    std::vector<std::string> after;
    for (auto [key, c] : pressed) {
      up(key);
      after.push_back(keybuffer);
    }
    return after;
  }
};

TEST_F(ChordTyping, TheFirstReleaseDeliversTheChordAndTheSecondTakesItAway) {
  EXPECT_EQ(chordKeys({{vk::F, 'f'}, {vk::D, 'd'}}), (std::vector<std::string>{"b", ""}));
}

TEST_F(ChordTyping, AllSixDotsAndEveryOrder) {
  // 123456 is "é" in the Czech table; the order of pressing does not matter.
  const std::string full = chordKeys({{vk::L, 'l'}, {vk::S, 's'}, {vk::F, 'f'}, {vk::K, 'k'}, {vk::D, 'd'}, {vk::J, 'j'}})[0];
  std::string expected;
  TranslateChord("123456", expected);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(full, expected);
  EXPECT_EQ(chordKeys({{vk::K, 'k'}, {vk::F, 'f'}})[0], "e");  // dots 1 and 5
}

TEST_F(ChordTyping, TheChordIsWhatWasHeldAtTheLastKeyPress) {
  down(vk::F);
  press('f');
  down(vk::D);
  press('d');
  // D is let go and nothing else is pressed: the chord is still F and D.
  keys.held.erase(vk::D);
  up(vk::F);
  EXPECT_EQ(keybuffer, "b");
}

TEST_F(ChordTyping, CapitalSignMakesOneCapitalLetter) {
  EXPECT_EQ(chordKeys({{vk::L, 'l'}})[0], "");  // dot 6: the capital sign
  EXPECT_EQ(currentprefix, "#cap");
  EXPECT_EQ(chordKeys({{vk::F, 'f'}, {vk::D, 'd'}})[0], "B");
  EXPECT_EQ(currentprefix, "");
  EXPECT_EQ(chordKeys({{vk::F, 'f'}, {vk::D, 'd'}})[0], "b");
}

TEST_F(ChordTyping, NumberSignHoldsUntilTheSpaceChord) {
  EXPECT_EQ(chordKeys({{vk::S, 's'}, {vk::J, 'j'}, {vk::K, 'k'}, {vk::L, 'l'}})[0], "");  // 3456
  EXPECT_EQ(currentprefix, "#num");
  EXPECT_EQ(chordKeys({{vk::F, 'f'}})[0], "1");
  EXPECT_EQ(chordKeys({{vk::F, 'f'}, {vk::D, 'd'}})[0], "2");
  EXPECT_EQ(chordKeys({{vk::Space, ' '}})[0], " ");
  EXPECT_EQ(currentprefix, "");
  EXPECT_EQ(chordKeys({{vk::F, 'f'}})[0], "a");
}

TEST_F(ChordTyping, OtherKeysDeliverNothingAndEndAPrefix) {
  chordKeys({{vk::S, 's'}, {vk::J, 'j'}, {vk::K, 'k'}, {vk::L, 'l'}});
  ASSERT_EQ(currentprefix, "#num");
  keybuffer = "z";
  down('X');
  press('x');
  EXPECT_EQ(currentprefix, "");
  up('X');
  EXPECT_EQ(keybuffer, "");
  EXPECT_EQ(chordKeys({{vk::F, 'f'}})[0], "a");
}

TEST_F(ChordTyping, ControlAndCursorCodesWorkAsEver) {
  down(vk::Return);
  press('\r');
  up(vk::Return);
  EXPECT_EQ(keybuffer, ch(13));
  down(vk::Left);
  EXPECT_EQ(keybuffer, ch(132));
  up(vk::Left);
  EXPECT_EQ(keybuffer, "");
}

TEST_F(ChordTyping, TheMenuItemSwitchesWithTonesAndWritesTheSettingAtOnce) {
  braillemode = false;
  braillekeyboardchecked = false;
  braillekeyboarditemClick();
  EXPECT_TRUE(braillemode);
  EXPECT_TRUE(braillekeyboardchecked);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"sound 400/50/3", "sound 600/50/3"}));
  EXPECT_TRUE(settingsFile().readBool("keyboard", "braillekeys", false));

  heard.clear();
  braillekeyboarditemClick();
  EXPECT_FALSE(braillemode);
  EXPECT_FALSE(braillekeyboardchecked);
  EXPECT_EQ(heard.events, (std::vector<std::string>{"sound 600/50/3", "sound 400/50/3"}));
  EXPECT_FALSE(settingsFile().readBool("keyboard", "braillekeys", true));
  // The other settings were written with it.
  EXPECT_TRUE(settingsFile().readBool("voice", "voiceallowed", false));
  EXPECT_TRUE(settingsFile().readBool("sounds", "oskirasounds", false));
}

TEST_F(ChordTyping, TonesAreSilentWithoutOskiraSoundsButTheSwitchStillWorks) {
  oskirasounds = false;
  const std::int64_t start = clock.nowMicros();
  braillekeyboarditemClick();
  EXPECT_EQ(clock.nowMicros(), start);
  EXPECT_FALSE(braillemode);  // it was on: switched off
}

TEST_F(ChordTyping, ASettingThatCannotBeWrittenIsReported) {
  setSettingsPath(dir + "/missing/drum.ini");
  EXPECT_THROW(braillekeyboarditemClick(), Error);
  EXPECT_FALSE(braillemode);  // the switch happened before the write failed
  EXPECT_FALSE(braillekeyboardchecked);
}

// The Braille display's keyboard types as F D S J K L do, whether or not
// chord typing is on.
using DisplayTyping = KeyboardTest;

TEST_F(DisplayTyping, DotsBecomeTheChordsDotStringWithoutDotsSevenAndEight) {
  EXPECT_EQ(displayDots(0b000011), "12");
  EXPECT_EQ(displayDots(0b111111), "123456");
  EXPECT_EQ(displayDots(0b11000001), "1");
  EXPECT_EQ(displayDots(0b11000000), "");
  EXPECT_EQ(displayDots(0), "");
}

TEST_F(DisplayTyping, AChordStopsSpeechEndsASoundWaitAndWaitsInTheBuffer) {
  ASSERT_FALSE(braillemode);
  speech.log.clear();
  clock.schedule(500000, [] { DisplayKey({BrailleKey::Dots, 0b11}); });
  const std::int64_t start = clock.nowMicros();
  sound({440}, 5000, 1);
  EXPECT_LT(clock.nowMicros() - start, 600000);
  EXPECT_FALSE(soundplaying);
  EXPECT_EQ(keybuffer, "b");  // no release empties it: the display sends a chord whole
  ASSERT_FALSE(speech.log.said.empty());
  EXPECT_EQ(speech.log.said.back(), "<stop>");
}

TEST_F(DisplayTyping, PrefixesSpaceAndControlKeysAsOnThePCKeyboard) {
  const std::pair<BrailleKey, std::string> typed[] = {
      {{BrailleKey::Dots, 0b100000}, ""},  {{BrailleKey::Dots, 0b11}, "B"},      {{BrailleKey::Dots, 0b11}, "b"},
      {{BrailleKey::Dots, 0b111100}, ""},  {{BrailleKey::Dots, 0b1}, "1"},       {{BrailleKey::Space, 0}, " "},
      {{BrailleKey::Dots, 0b1}, "a"},      {{BrailleKey::Backspace, 0}, ch(8)},  {{BrailleKey::Enter, 0}, ch(13)},
      {{BrailleKey::Dots, 0b11000000}, ch(13)},  // dots 7 and 8 alone type nothing
      {{BrailleKey::Route, 4}, ch(13)},          // nor does a routing key
  };
  for (bool chords : {false, true}) {
    braillemode = chords;
    for (const auto& [key, text] : typed) {
      DisplayKey(key);
      EXPECT_EQ(keybuffer, text) << "chord typing " << chords << ", key " << key.kind << " " << key.value;
    }
    EXPECT_EQ(currentprefix, "");
  }
}

TEST_F(ChordTyping, APrefixTypedOnTheDisplayHoldsForTheKeyboardsNextChord) {
  DisplayKey({BrailleKey::Dots, 0b100000});  // the capital sign
  EXPECT_EQ(chordKeys({{vk::F, 'f'}, {vk::D, 'd'}})[0], "B");
  EXPECT_EQ(chordKeys({{vk::F, 'f'}, {vk::D, 'd'}})[0], "b");
}

}  // namespace
}  // namespace drum::keyboardtest
