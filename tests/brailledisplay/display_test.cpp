// The display through the real BRLTTY: what it shows, the keys it gives,
// panning, giving the display back, and a machine without BRLTTY.
#include <cstdlib>
#include <string>
#include <thread>

#include "displayfixture.h"
#include "input/brailletables.h"
#include "input/chordkeyboard.h"
#include "runtime/oskcommands.h"

namespace drum::brailletest {
namespace {

std::u16string longLine() {
  std::u16string text;
  for (int i = 0; i < 100; ++i) text += static_cast<char16_t>(u'a' + i % 26);
  return text;
}

VirtualBraille::Cells slice(const VirtualBraille::Cells& cells, std::size_t from, std::size_t count) {
  VirtualBraille::Cells part(cells.begin() + static_cast<long>(std::min(from, cells.size())),
                             cells.begin() + static_cast<long>(std::min(from + count, cells.size())));
  return part;
}

TEST_F(DisplayTest, ShowsTheLineWithItsCaret) {
  ASSERT_TRUE(connect());
  EXPECT_EQ(display().columns(), 40);
  display().focusProgram();
  const std::u16string line = u"hra dr\u00FAm.";
  display().show(line, 3);
  EXPECT_TRUE(braille().waitForText(cellsOf(line), 3)) << VirtualBraille::cellsText(braille().cells());
  // A new line replaces it whole; no caret, no cursor.
  display().show(u"\u013Eavo", -1);
  EXPECT_TRUE(braille().waitForText(cellsOf(u"\u013Eavo"))) << VirtualBraille::cellsText(braille().cells());
  // The caret after the last character is shown on the blank cell there.
  display().show(u"ab", 2);
  EXPECT_TRUE(braille().waitForText(cellsOf(u"ab"), 2)) << VirtualBraille::cellsText(braille().cells());
}

TEST_F(DisplayTest, KeysArriveAsTheyWereTyped) {
  ASSERT_TRUE(connect());
  display().focusProgram();
  display().show(u"abc", 0);
  ASSERT_TRUE(braille().waitForText(cellsOf(u"abc"), 0));
  BrailleKey k;
  braille().dots(0x12);  // dots 2 and 5: a chord, not BRLTTY's ':'
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.kind, BrailleKey::Dots);
  EXPECT_EQ(k.value, 0x12);
  braille().dots(0xFF);
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.kind, BrailleKey::Dots);
  EXPECT_EQ(k.value, 0xFF);
  braille().space();
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.kind, BrailleKey::Space);
  braille().backspace();
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.kind, BrailleKey::Backspace);
  braille().enter();
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.kind, BrailleKey::Enter);
  braille().route(2);
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.kind, BrailleKey::Route);
  EXPECT_EQ(k.value, 2);
  // Keys BRLTTY has commands for, and we none, are not passed on.
  braille().send("LNDN");
  braille().dots(0x01);
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.kind, BrailleKey::Dots);
  EXPECT_EQ(k.value, 0x01);
}

TEST_F(DisplayTest, PanKeysMoveAlongALongLineAndRoutingCountsThePan) {
  ASSERT_TRUE(connect());
  display().focusProgram();
  const std::u16string line = longLine();
  const auto cells = cellsOf(line);
  display().show(line, -1);
  ASSERT_TRUE(braille().waitForText(slice(cells, 0, 40)));
  braille().panRight();
  ASSERT_TRUE(braille().waitForText(slice(cells, 40, 40))) << VirtualBraille::cellsText(braille().cells());
  braille().route(3);
  BrailleKey k;
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.kind, BrailleKey::Route);
  EXPECT_EQ(k.value, 43);
  braille().panRight();
  ASSERT_TRUE(braille().waitForText(slice(cells, 80, 40)));
  braille().panRight();  // at the end: stays
  braille().panLeft();
  ASSERT_TRUE(braille().waitForText(slice(cells, 40, 40)));
  braille().panLeft();
  braille().panLeft();  // at the start: stays
  ASSERT_TRUE(braille().waitForText(slice(cells, 0, 40)));
  // Keys are taken in order: the routing key's cell says the last pan was
  // taken, and taken at the start.
  braille().route(1);
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.value, 1);
  // A caret out of view brings its part of the line.
  display().show(line, 85);
  ASSERT_TRUE(braille().waitForText(slice(cells, 80, 40), 5)) << VirtualBraille::cellsText(braille().cells());
  // Panned away from the caret, a line that changed shows the caret again.
  braille().panLeft();
  ASSERT_TRUE(braille().waitForText(slice(cells, 40, 40)));
  display().show(line, 86);
  EXPECT_TRUE(braille().waitForText(slice(cells, 80, 40), 6));
}

TEST_F(DisplayTest, TheDisplayIsGivenBackWithTheFocusAndTakenAgain) {
  ASSERT_TRUE(connect());
  display().focusProgram();
  const std::u16string line = u"hra";
  display().show(line, -1);
  ASSERT_TRUE(braille().waitForText(cellsOf(line)));
  const auto ours = braille().cells();
  display().unfocus();
  // BRLTTY (here without a screen) draws its own window again at its next
  // update, which a key of the display brings; the key is BRLTTY's now.
  braille().send("LNDN");
  EXPECT_TRUE(braille().waitFor([&](const VirtualBraille::Cells& c) { return c != ours; }, 5s))
      << "the display still shows our line";
  display().focusProgram();
  EXPECT_TRUE(braille().waitForText(cellsOf(line))) << "the line is not shown again";
  // Switched off: let go at once, and no key comes.
  display().setEnabled(false);
  EXPECT_TRUE(pumpUntil([] { return !display().connected(); }));
  braille().dots(0x01);
  EXPECT_TRUE(braille().waitFor([&](const VirtualBraille::Cells& c) { return c != ours; }, 5s));
  std::this_thread::sleep_for(300ms);
  host_.processEvents();
  EXPECT_TRUE(keys_.empty());
  // On again: the focus and the line as they were wanted.
  ASSERT_TRUE(connect());
  EXPECT_TRUE(braille().waitForText(cellsOf(line)));
}

TEST_F(DisplayTest, KeysWithoutAHostAreDropped) {
  ASSERT_TRUE(connect());
  display().focusProgram();
  display().show(u"a", -1);
  ASSERT_TRUE(braille().waitForText(cellsOf(u"a")));
  setHost(nullptr);
  braille().dots(0x03);
  // BRLTTY reads its display every 40 ms or so; the key is read and dropped.
  for (int i = 0; i < 20 && braille().logTimes("client code 0000000020220003").empty(); ++i)
    std::this_thread::sleep_for(50ms);
  std::this_thread::sleep_for(500ms);  // for the display's thread to read it (nothing shows when)
  setHost(&host_);
  braille().dots(0x07);
  BrailleKey k;
  ASSERT_TRUE(nextKey(k));
  EXPECT_EQ(k.value, 0x07);
  EXPECT_EQ(keys_.size(), 1u);
}

TEST_F(DisplayTest, BrlttyComingBackFindsTheFocusAndTheLine) {
  ASSERT_TRUE(connect());
  display().focusProgram();
  display().show(u"abc", 1);
  ASSERT_TRUE(braille().waitForText(cellsOf(u"abc"), 1));
  braille_.reset();  // BRLTTY ends
  EXPECT_TRUE(pumpUntil([] { return !display().connected(); }));
  braille_ = std::make_unique<VirtualBraille>(30);
  ASSERT_TRUE(braille_->ready()) << braille_->error();
  braille_->exportEnvironment();
  // Tried again every 2 s.
  ASSERT_TRUE(pumpUntil([] { return display().connected(); }, 10s));
  EXPECT_EQ(display().columns(), 30);
  EXPECT_TRUE(braille().waitForText(cellsOf(u"abc"), 1)) << VirtualBraille::cellsText(braille().cells());
}

// Chords typed on the display go through the Braille table as F D S J K L
// do: the shipped czech.ebt, its capital and number signs, keybuffer.
TEST_F(DisplayTest, ChordsReachKeybufferThroughTheTableWithItsPrefixes) {
  const std::string saved = brailletablefile;
  brailletablefile = std::string(DRUM_SOURCE_DIR) + "/data/czech.ebt";
  LoadBrailleTable();
  brailletablefile = saved;
  currentprefix.clear();
  std::vector<std::string> typed;
  display().onKey = [&](const BrailleKey& k) {
    keybuffer.clear();
    DisplayKey(k);
    typed.push_back(keybuffer);
  };
  ASSERT_TRUE(connect());
  display().focusProgram();
  display().show(u"a", 0);
  ASSERT_TRUE(braille().waitForText(cellsOf(u"a"), 0));
  const auto type = [&](const std::function<void()>& press) {
    const std::size_t before = typed.size();
    press();
    return pumpUntil([&] { return typed.size() > before; }) ? typed.back() : std::string("(nothing)");
  };
  EXPECT_EQ(type([&] { braille().dots(0x12); }), ":");   // 25: not BRLTTY's own ':' but ours all the same
  EXPECT_EQ(type([&] { braille().dots(0x20); }), "");    // 6: the capital sign, for one letter
  EXPECT_EQ(type([&] { braille().dots(0x01); }), "A");
  EXPECT_EQ(type([&] { braille().dots(0x01); }), "a");
  EXPECT_EQ(type([&] { braille().dots(0x3C); }), "");    // 3456: the number sign, until the space
  EXPECT_EQ(type([&] { braille().dots(0x01); }), "1");
  EXPECT_EQ(type([&] { braille().dots(0x03); }), "2");
  EXPECT_EQ(type([&] { braille().space(); }), " ");
  EXPECT_EQ(type([&] { braille().dots(0x01); }), "a");
  // An eight-dot chord types its six dots; Backspace and Enter their codes.
  EXPECT_EQ(type([&] { braille().dots(0x41); }), "a");
  EXPECT_EQ(type([&] { braille().backspace(); }), "\x08");
  EXPECT_EQ(type([&] { braille().enter(); }), "\r");
  keybuffer.clear();
  currentprefix.clear();
}

// No BRLTTY at all: nothing connects, nothing is said, nothing waits.
TEST(NoBrltty, NothingConnectsAndNothingIsSaid) {
  RealHost host;
  setHost(&host);
  auto& d = BrailleDisplay::instance();
  ::setenv("BRLAPI_HOST", "127.0.0.1:1", 1);  // port 4102: nobody
  ::setenv("BRLAPI_AUTH", "none", 1);
  int keys = 0;
  d.onKey = [&](const BrailleKey&) { ++keys; };
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  d.setEnabled(true);
  d.focusProgram();
  d.show(u"hra dr\u00FAm.", 2);
  for (int i = 0; i < 25; ++i) host.waitForEvents(Millis(20));
  EXPECT_FALSE(d.connected());
  EXPECT_EQ(d.columns(), 0);
  d.unfocus();
  d.setEnabled(false);
  const std::string out = ::testing::internal::GetCapturedStdout();
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");
  EXPECT_EQ(keys, 0);
  d.onKey = {};
  setHost(nullptr);
}

}  // namespace
}  // namespace drum::brailletest
