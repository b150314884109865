// The Braille display against BRLTTY with its Virtual driver (this program
// being the display, tests/support/virtualbraille): how long a change of the
// text screen takes to reach the display's cells, and how long a chord typed
// on the display takes to reach keybuffer. Prints figures; asserts nothing.
//
//   bench_braille [changes=100] [chords=100]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "input/braillecells.h"
#include "input/brailledisplay.h"
#include "input/brailletables.h"
#include "input/chordkeyboard.h"
#include "platform/cp1250.h"
#include "platform/host.h"
#include "platform/realhost.h"
#include "runtime/oskcommands.h"
#include "support/virtualbraille.h"

using namespace drum;
using drum::testing::VirtualBraille;
using Clock = std::chrono::steady_clock;

namespace {

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double wallMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch()).count();
}

void report(const char* what, std::vector<double> v) {
  if (v.empty()) {
    std::printf("%-58s no samples\n", what);
    return;
  }
  std::sort(v.begin(), v.end());
  const auto at = [&](double q) { return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5)]; };
  std::printf("%-58s n=%zu  median %.2f  p90 %.2f  worst %.2f  best %.2f ms\n", what, v.size(), at(0.5), at(0.9),
              v.back(), v.front());
}

bool pumpUntil(Host& host, const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = Clock::now() + timeout;
  while (!done()) {
    if (Clock::now() > end) return false;
    host.waitForEvents(Millis(5));
  }
  return true;
}

// Whether a frame shows a text's cells (the cursor's dots 7 and 8 aside).
bool shows(const VirtualBraille::Cells& frame, const VirtualBraille::Cells& text) {
  for (std::size_t i = 0; i < frame.size(); ++i) {
    const std::uint8_t want = i < text.size() ? text[i] : 0;
    if (frame[i] != want && (frame[i] & 0x3F) != (want & 0x3F)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int changes = argc > 1 ? std::atoi(argv[1]) : 100;
  const int chords = argc > 2 ? std::atoi(argv[2]) : 100;
  if (const std::string why = VirtualBraille::missing(); !why.empty()) {
    std::printf("skipped: %s\n", why.c_str());
    return 0;
  }
  VirtualBraille braille(40);
  if (!braille.ready()) {
    std::printf("BRLTTY did not start: %s\n", braille.error().c_str());
    return 1;
  }
  braille.exportEnvironment();
  RealHost host;
  setHost(&host);
  auto& display = BrailleDisplay::instance();
  display.setEnabled(true);
  display.focusProgram();
  if (!pumpUntil(host, [&] { return display.connected(); }, std::chrono::seconds(10))) {
    std::printf("no connection to BRLTTY\n");
    return 1;
  }

  // ---- A line of the text screen to the display's cells, as drumrun shows it.
  initRuntime();
  printmemo.setObserver([&] {
    host.post([&] {
      const BrailleScreenLine line = brailleScreenLine();
      display.show(line.text, line.caret);
    });
  });
  std::vector<double> toCells;
  for (int i = 0; i < changes; ++i) {
    const std::string text = "pokus " + std::to_string(i) + ": " + std::string(1, static_cast<char>('A' + i % 26));
    const auto cells = brailleCells(cp1250ToUtf16(text));
    const std::size_t before = braille.frames().size();
    const auto start = Clock::now();
    printstring(text, 0);
    Clock::time_point arrived{};
    pumpUntil(
        host,
        [&] {
          const auto frames = braille.frames();
          for (std::size_t f = before; f < frames.size(); ++f)
            if (shows(frames[f].cells, *cells)) {
              arrived = frames[f].at;
              return true;
            }
          return false;
        },
        std::chrono::seconds(2));
    if (arrived != Clock::time_point{}) toCells.push_back(ms(arrived - start));
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
  }
  printmemo.setObserver({});

  // ---- A chord on the display to keybuffer, through the Braille table.
  brailletablefile = std::string(DRUM_GAME_DIR) + "/czech.ebt";
  LoadBrailleTable();
  std::vector<double> keyAt;
  display.onKey = [&](const BrailleKey& k) {
    DisplayKey(k);
    if (!keybuffer.empty()) keyAt.push_back(wallMs());
  };
  std::vector<double> sentAt;
  for (int i = 0; i < chords; ++i) {
    keybuffer.clear();
    const std::size_t before = keyAt.size();
    sentAt.push_back(wallMs());
    braille.dots(i % 2 ? 0x12 : 0x09);  // ":" and "c", two of the game's moves
    pumpUntil(host, [&] { return keyAt.size() > before; }, std::chrono::seconds(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(30 + i % 7 * 5));
  }
  display.onKey = {};
  const std::vector<double> read = braille.logTimes("] Command received: PASSDOTS");
  const std::vector<double> passed = braille.logTimes("transmitting accepted command 22");
  std::vector<double> sendToRead, passedToKey, sendToKey;
  for (std::size_t i = 0; i < keyAt.size() && i < passed.size() && i < read.size() && i < sentAt.size(); ++i) {
    sendToRead.push_back(read[i] - sentAt[i]);
    passedToKey.push_back(keyAt[i] - passed[i]);
    sendToKey.push_back(keyAt[i] - sentAt[i]);
  }

  std::printf("Braille display (BRLTTY Virtual driver, 40 cells), %d changes, %d chords\n", changes, chords);
  report("screen line changed -> cells at the display", toCells);
  report("chord: sent -> BRLTTY read it (its polling, log)", sendToRead);
  report("chord: BRLTTY passed it on (log) -> keybuffer", passedToKey);
  report("chord: sent -> keybuffer (all of it)", sendToKey);
  std::printf("(log times have 1 ms steps; chords taken %zu of %d)\n", keyAt.size(), chords);
  display.unfocus();
  display.setEnabled(false);
  setHost(nullptr);
  return 0;
}
