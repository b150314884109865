// Key events as the window system delivers them, timed on the virtual clock,
// against the game's key wait (CLICK 9, then INKEY$): what the program takes.
#include <gtest/gtest.h>

#include "input/keyboardfixture.h"
#include "input/keyboardinput.h"
#include "runtime/keygate.h"

namespace drum::keyboardtest {
namespace {

std::string ch(int code) { return std::string(1, static_cast<char>(code)); }

constexpr std::int64_t ms = 1000;  // microseconds

// An event as a window system without timestamps reports it.
KeyEvent bare(int key, char typed = 0, KeyEvent::Receiver receiver = KeyEvent::Receiver::MainWindow) {
  KeyEvent e;
  e.key = key;
  if (typed) e.typed = typed;
  e.receiver = receiver;
  return e;
}

class CountingReview : public ReviewWindow {
 public:
  void setCopy(const std::string&) override {}
  void showModal() override { ++opened; }
  void close() override {}
  int opened = 0;
};

// Keys typed at given moments through KeyboardInput, the way the desktop
// feeds it, while the program waits for keys as the game does.
class KeyTiming : public KeyboardTest {
 protected:
  void SetUp() override {
    KeyboardTest::SetUp();
    setKeyState(&input);
    braillemode = true;
  }
  void TearDown() override {
    dropWaitingKeys();
    KeyboardTest::TearDown();
  }

  static char letter(int key) {
    switch (key) {
      case vk::F: return 'f';
      case vk::D: return 'd';
      case vk::S: return 's';
      case vk::J: return 'j';
      case vk::K: return 'k';
      case vk::L: return 'l';
      case vk::Space: return ' ';
      default: return 0;
    }
  }
  KeyEvent event(int key, std::int64_t at, bool autorepeat = false) const {
    KeyEvent e;
    e.key = key;
    if (const char c = letter(key)) e.typed = c;
    if (stamped) e.timestamp = static_cast<std::uint64_t>(at / ms);
    e.autorepeat = autorepeat;
    return e;
  }
  // A press or release reaching the window at `at` (microseconds), stamped
  // with that moment as X stamps it.
  void pressat(int key, std::int64_t at) {
    clock.schedule(at, [this, key, at] { input.press(event(key, at)); });
  }
  void releaseat(int key, std::int64_t at) {
    clock.schedule(at, [this, key, at] { input.release(event(key, at)); });
  }
  // X11's repeat of a held key: a release and a press of the same moment.
  void repeatpairat(int key, std::int64_t at) {
    clock.schedule(at, [this, key, at] {
      input.release(event(key, at));
      input.press(event(key, at));
    });
  }
  // The game's key wait for `duration`: CLICK 9, then INKEY$, over and over.
  std::vector<std::string> keywait(std::int64_t duration) {
    std::vector<std::string> taken;
    const std::int64_t end = clock.nowMicros() + duration;
    while (clock.nowMicros() < end) {
      click(9);
      if (std::string key = inkey(); !key.empty()) taken.push_back(key);
    }
    return taken;
  }
  // Both keys' events land in one pass of the key wait (CLICK 9 lasts 10 ms
  // in the test bank and delivers nothing meanwhile).
  void chordfd(std::int64_t at, std::int64_t releasegap) {
    pressat(vk::F, at);
    pressat(vk::D, at + 1 * ms);
    releaseat(vk::F, at + 100 * ms);
    releaseat(vk::D, at + 100 * ms + releasegap);
  }

  KeyboardInput input;
  bool stamped = true;  // events carry the window system's timestamp
};

TEST_F(KeyTiming, AChordWhoseReleasesArriveInOnePassIsTakenOnce) {
  for (bool withtimestamps : {false, true})
  for (std::int64_t gap : {std::int64_t{0}, 1 * ms, 4 * ms}) {
    stamped = withtimestamps;
    chordfd(clock.nowMicros() + 3 * ms, gap);
    EXPECT_EQ(keywait(400 * ms), std::vector<std::string>{"b"}) << "release gap " << gap << " " << stamped;
    EXPECT_FALSE(input.isKeyDown(vk::F));
    EXPECT_FALSE(input.isKeyDown(vk::D));
    EXPECT_FALSE(keysWaiting());
  }
  // Releases far apart: the text lives between them and is read once too.
  chordfd(clock.nowMicros() + 3 * ms, 80 * ms);
  EXPECT_EQ(keywait(400 * ms), std::vector<std::string>{"b"});
}

TEST_F(KeyTiming, ReleasesWithoutTimestampsAndWithTheSoundsOff) {
  oskirasounds = false;  // CLICK returns at once; INKEY$ waits a little instead
  clock.schedule(clock.nowMicros() + 5 * ms, [this] {
    const KeyEvent f = bare(vk::F, 'f'), d = bare(vk::D, 'd');
    input.press(f);
    input.press(d);
  });
  clock.schedule(clock.nowMicros() + 100 * ms, [this] {
    input.release(bare(vk::D));
    input.release(bare(vk::F));
  });
  EXPECT_EQ(keywait(300 * ms), std::vector<std::string>{"b"});
}

TEST_F(KeyTiming, AShortTapIsTakenOnceAndItsReleaseStillEmptiesTheBuffer) {
  braillemode = false;
  for (bool withtimestamps : {false, true}) {
    stamped = withtimestamps;
    pressat(vk::Right, clock.nowMicros() + 2 * ms);
    releaseat(vk::Right, clock.nowMicros() + 4 * ms);
    EXPECT_EQ(keywait(200 * ms), std::vector<std::string>{ch(136)});
    EXPECT_EQ(keybuffer, "");
  }
  // A code below 32 outlives its release, as before, and is read once.
  pressat(vk::Back, clock.nowMicros() + 2 * ms);
  releaseat(vk::Back, clock.nowMicros() + 3 * ms);
  EXPECT_EQ(keywait(200 * ms), std::vector<std::string>{ch(8)});
}

TEST_F(KeyTiming, AKeyTypedDuringALongSoundOrSpeechIsDropped) {
  braillemode = false;
  // Pressed and released within the tone's wait: the press ends the wait,
  // the release empties keybuffer, and no key is typed ahead.
  clock.schedule(300 * ms, [this] {
    input.press(event(vk::Right, 300 * ms));
    input.release(bare(vk::Right));
  });
  sound({440}, 2000, 1);
  EXPECT_LT(clock.nowMicros(), 400 * ms);
  EXPECT_TRUE(keywait(100 * ms).empty());

  speech.log.speaktime = 2000 * ms;
  const std::int64_t at = clock.nowMicros() + 300 * ms;
  clock.schedule(at, [this, at] {
    input.press(event(vk::Left, at));
    input.release(bare(vk::Left));
  });
  SpeakText("a long sentence");
  EXPECT_TRUE(keywait(100 * ms).empty());

  // A chord typed within the wait is dropped as well.
  const std::int64_t later = clock.nowMicros() + 300 * ms;
  clock.schedule(later, [this] {
    const KeyEvent f = bare(vk::F, 'f'), d = bare(vk::D, 'd');
    braillemode = true;
    input.press(f);
    input.press(d);
    input.release(bare(vk::F));
    input.release(bare(vk::D));
  });
  sound({440}, 2000, 1);
  EXPECT_TRUE(keywait(100 * ms).empty());
}

TEST_F(KeyTiming, AHeldChordGivesOneTextWhateverTheRepeatLooksLike) {
  // The last key pressed repeats every 40 ms after 500 ms, as X11 sends it:
  // flagged pairs, unflagged pairs (the flag is Qt's guess), or presses alone
  // (X's detectable auto-repeat).
  enum class Repeat { Flagged, Unflagged, PressesAlone };
  for (Repeat how : {Repeat::Flagged, Repeat::Unflagged, Repeat::PressesAlone}) {
    const std::int64_t t0 = clock.nowMicros() + 3 * ms;
    pressat(vk::F, t0);
    pressat(vk::D, t0 + 10 * ms);
    auto repeat = [&](std::int64_t at) {
      switch (how) {
        case Repeat::Flagged:
          clock.schedule(at, [this, at] {
            input.release(event(vk::D, at, true));
            input.press(event(vk::D, at, true));
          });
          break;
        case Repeat::Unflagged: repeatpairat(vk::D, at); break;
        case Repeat::PressesAlone:
          clock.schedule(at, [this, at] { input.press(event(vk::D, at)); });
          break;
      }
    };
    std::int64_t at = t0 + 510 * ms;
    for (; at < t0 + 2000 * ms; at += 40 * ms) repeat(at);
    releaseat(vk::F, at);  // D keeps repeating after F is let go
    for (at += 40 * ms; at < t0 + 2400 * ms; at += 40 * ms) repeat(at);
    releaseat(vk::D, at + 5 * ms);
    EXPECT_EQ(keywait(2600 * ms), std::vector<std::string>{"b"}) << static_cast<int>(how);
    EXPECT_EQ(currentprefix, "");
  }
}

TEST_F(KeyTiming, ALongHeldChordEndingInDotSixLeavesNoCapitalSign) {
  // "/" is 12456; L, pressed last, repeats while the others are let go one
  // by one. The keys still down never make a chord of their own ("|" is 456,
  // the capital sign 6).
  const std::int64_t t0 = clock.nowMicros() + 3 * ms;
  const int keys[] = {vk::F, vk::D, vk::J, vk::K, vk::L};
  for (int i = 0; i < 5; ++i) pressat(keys[i], t0 + i * 5 * ms);
  std::int64_t at = t0 + 520 * ms;
  for (int i = 0; i < 4; ++i) {
    for (int r = 0; r < 8; ++r, at += 33 * ms) repeatpairat(vk::L, at);
    releaseat(keys[i], at + 7 * ms);
    at += 16 * ms;
  }
  repeatpairat(vk::L, at);
  releaseat(vk::L, at + 20 * ms);
  EXPECT_EQ(keywait(at + 200 * ms - clock.nowMicros()), std::vector<std::string>{"/"});
  EXPECT_EQ(currentprefix, "");
  // The next chord is a small letter.
  chordfd(clock.nowMicros() + 3 * ms, 0);
  EXPECT_EQ(keywait(300 * ms), std::vector<std::string>{"b"});
}

TEST_F(KeyTiming, AHeldCursorKeyStillRepeatsItsCode) {
  braillemode = false;
  const std::int64_t t0 = clock.nowMicros() + 3 * ms;
  pressat(vk::Right, t0);
  for (int r = 1; r <= 3; ++r) repeatpairat(vk::Right, t0 + 500 * ms + r * 100 * ms);
  releaseat(vk::Right, t0 + 1000 * ms);
  EXPECT_EQ(keywait(1200 * ms), std::vector<std::string>(4, ch(136)));
}

TEST_F(KeyTiming, KeysOfAMenuOrAnotherWindowGiveNoCodes) {
  braillemode = false;
  CountingReview review;
  setReviewWindow(&review);
  programstarted = true;
  // Alt tapped: the menu bar is in keyboard mode and owns Right and Down.
  const std::int64_t t0 = clock.nowMicros() + 3 * ms;
  pressat(vk::Menu, t0);
  releaseat(vk::Menu, t0 + 50 * ms);
  for (int key : {vk::Right, vk::Down}) {
    clock.schedule(t0 + (key == vk::Right ? 100 : 200) * ms, [this, key] {
      const KeyEvent e = bare(key, 0, KeyEvent::Receiver::Menu);
      input.press(e);
      // The held keys are still known while the menu has them.
      EXPECT_TRUE(input.isKeyDown(key));
      input.release(e);
    });
  }
  EXPECT_TRUE(keywait(400 * ms).empty());
  EXPECT_EQ(review.opened, 0);
  // Another window's keys do not reach the program either.
  clock.schedule(clock.nowMicros() + 3 * ms, [this] {
    input.press(bare(vk::Escape, 0, KeyEvent::Receiver::Other));
  });
  EXPECT_TRUE(keywait(100 * ms).empty());
  EXPECT_TRUE(input.isKeyDown(vk::Escape));
}

}  // namespace
}  // namespace drum::keyboardtest
